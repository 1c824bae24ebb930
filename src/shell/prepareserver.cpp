#include "prepareserver.h"

#include "data/passwordrule.h"
#include "data/serverconfig.h"
#include "data/setup.h"
#include "firststart.h"

#include <iostream>

namespace wb {

namespace {

// `problem` says why a password cannot be used, or the empty text.
QString askTwice(const QString& what, QString (*problem)(const QString&)) {
    for (;;) {
        QString first;
        QString second;
        if (!readSecretLine(QStringLiteral("Password of %1: ").arg(what), first) ||
            !readSecretLine(QStringLiteral("Type it again: "), second))
            return {};
        if (const QString why = problem(first); !why.isEmpty())
            std::cerr << why.toStdString() << " Again.\n";
        else if (first != second)
            std::cerr << "The two passwords differ; again.\n";
        else
            return first;
    }
}

QString listerProblem(const QString& password) {
    const QString why = serverFileProblem(password);
    return why.isEmpty() ? newPasswordProblem(password) : why;
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
            askTwice(QStringLiteral("the first administrator (%1)").arg(Setup::FirstAdministrator),
                     &newPasswordProblem);
    s.listerPassword = qEnvironmentVariable("WARDBOOK_LISTER_PASSWORD");
    if (s.listerPassword.isEmpty())
        s.listerPassword =
            askTwice(QStringLiteral("the account that lists the users (wardbook_lister)"), &listerProblem);
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
              << ". Write into Server.txt beside the program (it then holds the listing account's password: "
                 "make it readable only by the desk's users):\n"
              << server << ",<the listing account's password>\n";
    return 0;
}

} // namespace wb
