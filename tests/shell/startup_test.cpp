#include "data/setup.h"
#include "shell/databasecheck.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(StartupTest, ADatabaseFileThatCannotBeOpenedIsNamedWithWhatToDo) {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("Wardbook.sqlite"));
    wb::Setup::createEmbedded(good, wbtest::AdminPassword);
    EXPECT_EQ(wb::embeddedDatabaseProblem(good), QString());

    const QString broken = dir.filePath(QStringLiteral("Broken.sqlite"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const QString folder = dir.filePath(QStringLiteral("Folder.sqlite"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& path : {broken, folder, dir.filePath(QStringLiteral("Missing.sqlite"))}) {
        const QString text = wb::embeddedDatabaseProblem(path);
        EXPECT_TRUE(text.contains(QStringLiteral("\"%1\" cannot be opened").arg(path))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("WARDBOOK_DATABASE"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("restore"))) << text.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Missing.sqlite"))))
        << "the check creates nothing";
}

} // namespace
