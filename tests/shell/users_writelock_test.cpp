#include "data/loginstore_sqlite.h"
#include "shell/Frm_User.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui_Frm_User.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace wb;

namespace {

// Another desk on the embedded database tries to start writing while this desk hashes a password:
// with the hash outside the saving transaction, the write lock is free.
class UsersWriteLockTest : public wbtest::RegisterTest {
protected:
    void beforeMainWindow() override {
        Module1::LoginUserName = QStringLiteral("ADMIN");
        Module1::UserType = QStringLiteral("A");
        Module1::UserRowNo = 1;
    }
    void SetUp() override {
        RegisterTest::SetUp();
        if (HasFailure())
            return;
        QSqlDatabase other =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other-desk"));
        other.setDatabaseName(db->info({}, {}).server);
        other.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0")); // no waiting: locked is locked
        ASSERT_TRUE(other.open());
        SqliteLoginStore::setHashObserver([this] {
            ++hashes;
            QSqlQuery q(QSqlDatabase::database(QStringLiteral("other-desk")));
            if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
                lockedWhileHashing << q.lastError().text();
            else
                q.exec(QStringLiteral("ROLLBACK"));
        });
    }
    void TearDown() override {
        SqliteLoginStore::setHashObserver({});
        QSqlDatabase::database(QStringLiteral("other-desk"), false).close();
        QSqlDatabase::removeDatabase(QStringLiteral("other-desk"));
        RegisterTest::TearDown();
    }
    int hashes = 0;
    QStringList lockedWhileHashing;
};

TEST_P(UsersWriteLockTest, APasswordIsHashedBeforeTheSaveTakesTheWriteLock) {
    auto& w = wbtest::openFromMenu<Frm_User>("mnuAddUser");
    QTest::keyClicks(w.ui()->txt_User_Nm, QStringLiteral("NEW DESK"));
    QTest::keyClicks(w.ui()->txt_User_pass, QStringLiteral("pass-1234"));
    w.ui()->Opt_User->setChecked(true);
    w.cmdSave->click();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from Logins where Login_Name = 'NEWDESK'"))
                  .toInt(),
              1);

    // A new password for an existing user likewise.
    w.Msh->setRow(wbtest::gridRow(*w.Msh, 2, QStringLiteral("NEW DESK")));
    w.Msh_DblClick();
    QTest::keyClicks(w.ui()->txt_User_pass, QStringLiteral("pass-2345"));
    w.cmdSave->click();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_NO_THROW(db->connect(QStringLiteral("NEWDESK"), QStringLiteral("pass-2345")));

    EXPECT_EQ(hashes, 2); // each password hashed once
    EXPECT_TRUE(lockedWhileHashing.isEmpty()) << lockedWhileHashing.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Embedded, UsersWriteLockTest, ::testing::Values(Engine::Sqlite), wbtest::engineName);

} // namespace
