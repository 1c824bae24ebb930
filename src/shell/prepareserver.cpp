#include "prepareserver.h"

#include "data/setup.h"
#include "firststart.h"

#include <iostream>

namespace wb {

namespace {

QString askTwice(const QString& what) {
    for (;;) {
        QString first;
        QString second;
        if (!readSecretLine(QStringLiteral("Password of %1: ").arg(what), first) ||
            !readSecretLine(QStringLiteral("Type it again: "), second))
            return {};
        if (!first.isEmpty() && first == second)
            return first;
        std::cerr << "The passwords are empty or differ; again.\n";
    }
}

} // namespace

int preparePostgresServer(const char* server) {
    Setup::PostgresSetup s;
    s.server = QString::fromLocal8Bit(server);
    s.superUser = qEnvironmentVariable("PGUSER", QStringLiteral("postgres"));
    s.superPassword = qEnvironmentVariable("PGPASSWORD");
    s.adminPassword = qEnvironmentVariable("WARDBOOK_ADMIN_PASSWORD");
    if (s.adminPassword.isEmpty())
        s.adminPassword =
            askTwice(QStringLiteral("the first administrator (%1)").arg(Setup::FirstAdministrator));
    s.listerPassword = qEnvironmentVariable("WARDBOOK_LISTER_PASSWORD");
    if (s.listerPassword.isEmpty())
        s.listerPassword = askTwice(QStringLiteral("the account that lists the users (wardbook_lister)"));
    if (s.adminPassword.isEmpty() || s.listerPassword.isEmpty()) {
        std::cerr << "Both passwords are needed (a terminal, or WARDBOOK_ADMIN_PASSWORD and "
                     "WARDBOOK_LISTER_PASSWORD).\n";
        return 1;
    }
    try {
        Setup::preparePostgres(s);
    } catch (const std::exception& e) {
        std::cerr << "The server could not be prepared: " << e.what() << '\n';
        return 1;
    }
    std::cerr << "Prepared catalogue Wardbook on " << server
              << ". Write into Server.txt beside the program:\n"
              << server << ",<the listing account's password>\n";
    return 0;
}

} // namespace wb
