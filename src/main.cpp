#include "data/serverconfig.h"
#include "shell/firststart.h"
#include "shell/module1.h"
#include "shell/prepareserver.h"
#include "ui/guard.h"

#include <QIcon>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--prepare-postgres") {
        QCoreApplication setup(argc, argv);
        return wb::preparePostgresServer(argv[2]);
    }
    wb::ui::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wardbook"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tevo.png")));
    try {
        const wb::ServerConfig config = wb::readServerFile(wb::serverFilePath());
        if (config.embedded() && !wb::prepareEmbeddedDatabase())
            return 1;
    } catch (const std::exception& e) {
        // The login window reports a missing or empty server file itself.
        std::cerr << e.what() << '\n';
    }
    Module1::Main();
    return QApplication::exec();
}
