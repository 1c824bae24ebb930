#include "data/serverconfig.h"
#include "data/setup.h"
#include "shell/databasecheck.h"
#include "shell/desktopsession.h"
#include "shell/firststart.h"
#include "shell/module1.h"
#include "shell/prepareserver.h"
#include "shell/windowcheck.h"
#include "ui/guard.h"
#include "ui/msgbox.h"

#include <QIcon>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    wb::ensureRuntimeFolder();
    if (argc == 3 && std::string_view(argv[1]) == "--prepare-postgres") {
        QCoreApplication setup(argc, argv);
        return wb::preparePostgresServer(argv[2]);
    }
    // Checks every window offscreen and exits (the build's own test of the program).
    const bool checkWindows = argc == 2 && std::string_view(argv[1]) == "--check-windows";
    if (!wb::hasDesktopSession()) {
        std::cerr << wb::noDesktopSessionMessage().toStdString();
        return 1;
    }
    wb::ui::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wardbook"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tevo.png")));
    try {
        const wb::ServerConfig config = wb::readServerFile(wb::serverFilePath());
        if (config.embedded()) {
            if (!wb::prepareEmbeddedDatabase())
                return 1;
            // A file that cannot be opened is told once, here, with what to do about it.
            const QString problem = wb::embeddedDatabaseProblem(wb::embeddedDatabasePath());
            if (!problem.isEmpty()) {
                std::cerr << problem.toStdString() << '\n';
                if (!checkWindows)
                    wb::ui::MsgBox(problem, wb::ui::vbCritical);
                return 1;
            }
            // A file written by an earlier version first gains this version's tables and indexes.
            try {
                if (wb::Setup::upgradeEmbedded(wb::embeddedDatabasePath()))
                    std::cerr << "The database was brought up to date for this version of Wardbook.\n";
            } catch (const std::exception& e) {
                const QString text =
                    QStringLiteral(
                        "The database could not be brought up to date for this version of Wardbook: "
                        "%1\n\nNothing was changed by the step that failed. Start the earlier "
                        "version, or ask for help.")
                        .arg(QString::fromUtf8(e.what()));
                std::cerr << text.toStdString() << '\n';
                if (!checkWindows)
                    wb::ui::MsgBox(text, wb::ui::vbCritical);
                return 1;
            }
        }
    } catch (const std::exception& e) {
        // The login window reports a missing or empty server file itself.
        std::cerr << e.what() << '\n';
    }
    Module1::Main();
    if (checkWindows)
        return wb::shell::checkEveryWindow();
    return QApplication::exec();
}
