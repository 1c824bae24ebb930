#include "data/dberror.h"
#include "data/loginstore.h"
#include "data/schema.h"
#include "support/testdb.h"

#include <QFile>

using namespace wb;
using wbtest::EngineTest;

// What a login may and may not do, tried as an intruder at a desk would.
namespace {

class LoginRightsTest : public EngineTest {
protected:
    // Runs a statement that must be refused; a failure of the test names the statement otherwise.
    static void refused(Connection& con, const QString& sql, const QVariantList& params = {}) {
        try {
            con.Execute(sql, params);
            ADD_FAILURE() << "allowed: " << sql.toStdString();
        } catch (const DbError&) {
        }
    }
    static void allowed(Connection& con, const QString& sql) {
        try {
            con.Execute(sql);
        } catch (const DbError& e) {
            ADD_FAILURE() << "refused: " << sql.toStdString() << ": " << e.text().toStdString();
        }
    }
    bool canCreateLogins(Connection& con, const QString& newLogin) {
        try {
            con.logins().create(newLogin, QStringLiteral("Made-by-probe-1"), false);
            return true;
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Refused) << e.text().toStdString();
            return false;
        }
    }
};

TEST_P(LoginRightsTest, AnEmptyOrBlankUserNameNeverLogsIn) {
    for (const QString& name : {QString(), QStringLiteral("   ")}) {
        for (const QString& password : {QString(), wbtest::AdminPassword}) {
            try {
                db->connect(name, password);
                ADD_FAILURE() << "logged in with the name '" << name.toStdString() << "'";
            } catch (const DbError& e) {
                EXPECT_EQ(e.kind(), DbError::Kind::Login);
                EXPECT_TRUE(e.text().contains(QStringLiteral("user name"))) << e.text().toStdString();
            }
        }
    }
}

TEST_P(LoginRightsTest, TheUserListConnectionCannotChangeOrCreateLogins) {
    if (GetParam() != Engine::Sqlite)
        GTEST_SKIP() << "the server lists through an account of its own";
    ConnectInfo info = db->info(QString(), QString());
    info.purpose = Purpose::ListUsers;
    Connection lister;
    lister.Open(info);
    EXPECT_EQ(lister.logins().list(), QStringList{QStringLiteral("ADMIN")});
    EXPECT_THROW(lister.logins().changePassword(QStringLiteral("ADMIN"), QStringLiteral("Taken-over-1")),
                 DbError);
    EXPECT_FALSE(canCreateLogins(lister, QStringLiteral("INTRUDER")));
    EXPECT_NO_THROW(db->connect()); // ADMIN's password is unchanged
}

TEST_P(LoginRightsTest, ADemotedAdministratorLosesTheRightToManageLogins) {
    auto admin = db->connect();
    admin->logins().create(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-1"), true);
    auto chief = db->connect(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-1"));
    EXPECT_TRUE(admin->logins().isAdministrator(QStringLiteral("CHIEF")));
    EXPECT_TRUE(canCreateLogins(*chief, QStringLiteral("FIRSTHIRE")));

    admin->logins().setAdministrator(QStringLiteral("CHIEF"), false);
    EXPECT_FALSE(admin->logins().isAdministrator(QStringLiteral("CHIEF")));
    EXPECT_FALSE(canCreateLogins(*chief, QStringLiteral("SECONDHIRE")));
    EXPECT_THROW(chief->logins().changePassword(QStringLiteral("ADMIN"), QStringLiteral("Taken-over-1")),
                 DbError);
    EXPECT_THROW(chief->logins().setAdministrator(QStringLiteral("CHIEF"), true), DbError);
    // A login still changes its own password.
    chief->logins().changePassword(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-2"));
    EXPECT_NO_THROW(db->connect(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-2")));

    admin->logins().setAdministrator(QStringLiteral("CHIEF"), true);
    EXPECT_TRUE(canCreateLogins(*chief, QStringLiteral("THIRDHIRE")));
    EXPECT_FALSE(admin->logins().exists(QStringLiteral("SECONDHIRE")));
}

TEST_P(LoginRightsTest, PostgresAdministratorCannotReachBeyondTheCatalogue) {
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "server roles only";
    auto admin = db->connect();
    admin->logins().create(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-1"), true);
    Connection server;
    server.Open(wbtest::serverAdminInfo(QStringLiteral("postgres")));
    const QString outsider = db->name() + QStringLiteral("_other_app");
    server.Execute(QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(outsider));

    auto chief = db->connect(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-1"));
    refused(*chief, QStringLiteral("GRANT pg_execute_server_program TO \"CHIEF\""));
    refused(*chief, QStringLiteral("GRANT pg_read_all_data TO \"CHIEF\""));
    refused(*chief, QStringLiteral("CREATE ROLE %1_sneaky CREATEDB").arg(db->name()));
    refused(*chief, QStringLiteral("CREATE ROLE %1_sneaky").arg(db->name()));
    refused(*chief, QStringLiteral("ALTER ROLE %1 CONNECTION LIMIT 1").arg(outsider));
    refused(*chief, QStringLiteral("DROP ROLE %1").arg(outsider));
    refused(*chief, QStringLiteral("select count(*) from pg_authid"));
    // Nor through the login functions: they touch the catalogue's own logins only.
    for (const QString& target : {outsider, wbtest::serverAdminInfo({}).user}) {
        EXPECT_THROW(chief->logins().changePassword(target, QStringLiteral("Taken-over-1")), DbError);
        EXPECT_THROW(chief->logins().setAdministrator(target, true), DbError);
        EXPECT_THROW(chief->logins().drop(target), DbError);
    }
    // A password sent in clear is refused by the function itself.
    refused(*chief, QStringLiteral("select wardbook_create_login(?::text, ?::text, false)"),
            {QStringLiteral("CLEARTEXT"), QStringLiteral("Clear-text-1")});

    EXPECT_TRUE(server.scalar(QStringLiteral("select 1 from pg_roles where rolname = ?::text"), {outsider})
                    .isValid());
    EXPECT_EQ(server
                  .scalar(QStringLiteral("select count(*) from pg_roles where rolname like ?::text"),
                          {db->name() + QStringLiteral("_sneaky")})
                  .toInt(),
              0);
    // No login of the catalogue may create roles.
    EXPECT_EQ(server
                  .scalar(QStringLiteral("select count(*) from pg_roles r join pg_auth_members m on m.member "
                                         "= r.oid join pg_roles g on g.oid = m.roleid where g.rolname = "
                                         "?::text and (r.rolcreaterole or r.rolcreatedb or r.rolsuper)"),
                          {db->name() + QStringLiteral("_users")})
                  .toInt(),
              0);
    server.Execute(QStringLiteral("DROP ROLE %1").arg(outsider));
}

TEST_P(LoginRightsTest, PostgresUsersCannotWriteUsersMenuRightsOrTheVersionWithPlainSql) {
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "server rights only";
    auto admin = db->connect();
    admin->logins().create(QStringLiteral("CLERK"), QStringLiteral("Clerk-pass-1"), false);
    admin->logins().create(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-1"), true);
    auto clerk = db->connect(QStringLiteral("CLERK"), QStringLiteral("Clerk-pass-1"));
    refused(*clerk, QStringLiteral("update User_Information set Status = 'U' where Row_No = 1"));
    refused(*clerk,
            QStringLiteral("insert into User_Information (Row_No, User_Name, Status) values (9, 'X', 'A')"));
    refused(*clerk, QStringLiteral("delete from User_Information"));
    refused(*clerk,
            QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (1, 'Patient', '1')"));
    refused(*clerk, QStringLiteral("delete from Chart_Of_Menus"));
    refused(*clerk, QStringLiteral("insert into Schema_Version (Version) values (999)"));
    refused(*clerk, QStringLiteral("truncate Panel"));
    allowed(*clerk,
            QStringLiteral("insert into Panel (Row_no, Panel_Code, Panel_Name) values (1, 'Pcode-1', 'A')"));
    EXPECT_EQ(clerk->scalar(QStringLiteral("select count(*) from User_Information")).toInt(), 1);

    auto chief = db->connect(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-1"));
    allowed(*chief, QStringLiteral("update User_Information set Designation = 'HEAD' where Row_No = 1"));
    allowed(*chief,
            QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (1, 'Patient', '1')"));
    refused(*chief, QStringLiteral("insert into Schema_Version (Version) values (999)"));
    refused(*chief, QStringLiteral("delete from Schema_Version"));

    // A table that a later step of the schema adds is a data table for the users at once.
    Connection owner;
    owner.Open(wbtest::serverAdminInfo(db->name()));
    owner.Execute(QStringLiteral("CREATE TABLE Later_Table (Id integer)"));
    Schema::migrate(owner);
    allowed(*clerk, QStringLiteral("insert into Later_Table (Id) values (1)"));
}

TEST_P(LoginRightsTest, PostgresServerLogNeverHoldsAPassword) {
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "server log only";
    const QString logPath = qEnvironmentVariable("WARDBOOK_TEST_PG_LOG");
    if (logPath.isEmpty())
        GTEST_SKIP() << "WARDBOOK_TEST_PG_LOG names no server log (the test command sets it)";
    const QString secret = QStringLiteral("Log-Secret-%1").arg(db->name());
    auto admin = db->connect();
    LoginStore& store = admin->logins();
    EXPECT_THROW(store.create(QStringLiteral("ADMIN"), secret + QStringLiteral("-a"), false), DbError);
    EXPECT_THROW(store.changePassword(QStringLiteral("NOBODYHERE"), secret + QStringLiteral("-b")), DbError);
    store.create(QStringLiteral("CLERK"), secret + QStringLiteral("-c"), false);
    auto clerk = db->connect(QStringLiteral("CLERK"), secret + QStringLiteral("-c"));
    EXPECT_THROW(clerk->logins().changePassword(QStringLiteral("ADMIN"), secret + QStringLiteral("-d")),
                 DbError);

    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << logPath.toStdString();
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("already exists"))) << "the failures were not logged";
    EXPECT_FALSE(text.contains(QStringLiteral("Log-Secret-"))) << "a password reached the server log";
}

WB_ENGINES(LoginRightsTest);

} // namespace
