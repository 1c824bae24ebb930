#include "report/print.h"
#include "ui/guard.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep every file a test writes out of the user's own folders.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.filePath("runtime").toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    wb::ui::Application app(argc, argv);
    // The templates as they stand in the source tree.
    wb::report::setTemplateFolder(QStringLiteral(WARDBOOK_SOURCE_DIR "/Hos_Report"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
