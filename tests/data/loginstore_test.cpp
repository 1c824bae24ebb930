#include "data/dberror.h"
#include "data/loginstore.h"
#include "data/serverconfig.h"
#include "support/testdb.h"

#include <QTemporaryDir>
#include <QTextStream>

using namespace wb;
using wbtest::EngineTest;

namespace {

class LoginStoreTest : public EngineTest {};

DbError::Kind openError(const wbtest::TestDatabase& db, const QString& user, const QString& password,
                        QString& text) {
    try {
        db.connect(user, password);
    } catch (const DbError& e) {
        text = e.text();
        return e.kind();
    }
    return DbError::Kind::General;
}

TEST_P(LoginStoreTest, CreateListCheckChangeAndDrop) {
    auto admin = db->connect();
    LoginStore& store = admin->logins();
    EXPECT_EQ(store.list(), QStringList{QStringLiteral("ADMIN")});

    store.create(QStringLiteral("RECEPTION"), QStringLiteral("Desk-1"), false);
    EXPECT_EQ(store.list(), (QStringList{QStringLiteral("ADMIN"), QStringLiteral("RECEPTION")}));
    EXPECT_NO_THROW(db->connect(QStringLiteral("RECEPTION"), QStringLiteral("Desk-1")));
    EXPECT_THROW(store.create(QStringLiteral("RECEPTION"), QStringLiteral("x"), false), DbError);

    QString text;
    EXPECT_EQ(openError(*db, QStringLiteral("RECEPTION"), QStringLiteral("wrong"), text),
              DbError::Kind::Login);
    EXPECT_TRUE(text.contains(QStringLiteral("password"))) << text.toStdString();
    EXPECT_EQ(openError(*db, QStringLiteral("NOBODY"), QStringLiteral("x"), text), DbError::Kind::Login);

    store.changePassword(QStringLiteral("RECEPTION"), QStringLiteral("Desk-2"));
    EXPECT_NO_THROW(db->connect(QStringLiteral("RECEPTION"), QStringLiteral("Desk-2")));
    EXPECT_EQ(openError(*db, QStringLiteral("RECEPTION"), QStringLiteral("Desk-1"), text),
              DbError::Kind::Login);

    store.drop(QStringLiteral("RECEPTION"));
    EXPECT_EQ(openError(*db, QStringLiteral("RECEPTION"), QStringLiteral("Desk-2"), text),
              DbError::Kind::Login);
    EXPECT_EQ(store.list(), QStringList{QStringLiteral("ADMIN")});
}

TEST_P(LoginStoreTest, OnlyAnAdministratorCreatesLogins) {
    db->connect()->logins().create(QStringLiteral("CLERK"), QStringLiteral("Clerk-1"), false);
    auto clerk = db->connect(QStringLiteral("CLERK"), QStringLiteral("Clerk-1"));
    try {
        clerk->logins().create(QStringLiteral("INTRUDER"), QStringLiteral("x"), false);
        FAIL() << "a user login created a login";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Refused) << e.text().toStdString();
    }
    EXPECT_FALSE(db->connect()->logins().exists(QStringLiteral("INTRUDER")));
}

TEST_P(LoginStoreTest, EmbeddedHashesAreNeverThePassword) {
    if (GetParam() != Engine::Sqlite)
        GTEST_SKIP() << "the server keeps its own secrets";
    auto admin = db->connect();
    const QString hash =
        admin->scalar(QStringLiteral("select Pass_Hash from Logins where Login_Name = 'ADMIN'")).toString();
    EXPECT_TRUE(hash.startsWith(QStringLiteral("$argon2id$")));
    EXPECT_FALSE(hash.contains(wbtest::AdminPassword));
}

WB_ENGINES(LoginStoreTest);

TEST(ServerFile, FirstFieldNamesTheServerAndTheSecondTheListerPassword) {
    QTemporaryDir dir;
    const auto write = [&](const QString& text) {
        QFile f(dir.filePath(QStringLiteral("Server.txt")));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text.toUtf8());
        f.close();
        return readServerFile(f.fileName());
    };
    EXPECT_TRUE(write(QStringLiteral(".\r\n")).embedded());
    const ServerConfig pg = write(QStringLiteral("\"db.ward:5433\",secret\nignored"));
    EXPECT_EQ(pg.server, QStringLiteral("db.ward:5433"));
    EXPECT_EQ(pg.listerPassword, QStringLiteral("secret"));
    EXPECT_FALSE(pg.embedded());
    EXPECT_THROW(write(QString()), DbError);
    EXPECT_THROW(readServerFile(dir.filePath(QStringLiteral("missing.txt"))), DbError);
}

} // namespace
