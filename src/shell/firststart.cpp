#include "firststart.h"

#include "data/filemodes.h"
#include "data/passwordrule.h"
#include "data/serverconfig.h"
#include "data/setup.h"

#include <QFile>
#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace wb {

bool readSecretLine(const QString& prompt, QString& out) {
    if (!isatty(STDIN_FILENO))
        return false;
    std::cerr << prompt.toStdString() << std::flush;
    termios old{};
    tcgetattr(STDIN_FILENO, &old);
    termios silent = old;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &silent);
    std::string line;
    const bool ok = static_cast<bool>(std::getline(std::cin, line));
    tcsetattr(STDIN_FILENO, TCSANOW, &old);
    std::cerr << '\n';
    out = QString::fromStdString(line);
    return ok;
}

bool prepareEmbeddedDatabase() {
    QString path;
    try {
        path = embeddedDatabasePath();
        if (QFile::exists(path)) {
            FileModes::ownerOnlyDatabase(path); // hashes and patients: the owner's only
            return true;
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return false;
    }
    QString password = qEnvironmentVariable("WARDBOOK_ADMIN_PASSWORD");
    if (!password.isEmpty() && !newPasswordProblem(password).isEmpty()) {
        std::cerr << "WARDBOOK_ADMIN_PASSWORD: " << newPasswordProblem(password).toStdString() << '\n';
        return false;
    }
    if (password.isEmpty()) {
        std::cerr << "A new Wardbook database will be created at " << path.toStdString() << ".\n";
        for (;;) {
            QString again;
            if (!readSecretLine(QStringLiteral("Choose the password of the first administrator (%1): ")
                                    .arg(Setup::FirstAdministrator),
                                password) ||
                !readSecretLine(QStringLiteral("Type it again: "), again)) {
                std::cerr << "No terminal to ask the first administrator's password: set "
                             "WARDBOOK_ADMIN_PASSWORD.\n";
                return false;
            }
            if (const QString problem = newPasswordProblem(password); !problem.isEmpty())
                std::cerr << problem.toStdString() << '\n';
            else if (password != again)
                std::cerr << "The two passwords differ.\n";
            else
                break;
        }
    }
    try {
        Setup::createEmbedded(path, password);
    } catch (const std::exception& e) {
        std::cerr << "The database could not be created: " << e.what() << '\n';
        return false;
    }
    std::cerr << "Created " << path.toStdString() << " with the administrator login "
              << Setup::FirstAdministrator.toStdString() << ".\n";
    return true;
}

} // namespace wb
