#include "data/connection.h"
#include "data/dberror.h"
#include "data/loginstore.h"
#include "data/scram.h"
#include "data/serverrights.h"
#include "data/setup.h"

#include "support/testdb.h"
#include <QRegularExpression>
#include <QSqlRecord>

using namespace wb;

// The server preparation: who may connect to the catalogue, what the listing account may do, and a
// second preparation of a prepared catalogue.
namespace {

// A user of the register with its login and one row of menu rights (the commands no row names stay
// open, as the main window shows them).
void addDesk(Connection& admin, const QString& name, const QString& menu) {
    admin.logins().create(name, name + QStringLiteral("-pass-1"), false);
    admin.Execute(QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, Status) values "
                                 "(2, 'UC-2', ?, 'U')"),
                  {name});
    admin.Execute(QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (2, ?, '1')"),
                  {menu});
}

class PostgresPreparation : public ::testing::Test {
protected:
    void SetUp() override {
        if (!wbtest::postgresConfigured())
            GTEST_SKIP() << "no PostgreSQL server configured (WARDBOOK_TEST_PG)";
        db = std::make_unique<wbtest::TestDatabase>(Engine::Postgres);
        server.Open(wbtest::serverAdminInfo(QStringLiteral("postgres")));
        owner.Open(wbtest::serverAdminInfo(db->name()));
    }
    void TearDown() override {
        owner.Close();
        server.Close();
        db.reset();
    }
    Setup::PostgresSetup setup() const {
        const ConnectInfo super = wbtest::serverAdminInfo(QStringLiteral("postgres"));
        Setup::PostgresSetup s;
        s.server = super.server;
        s.superUser = super.user;
        s.superPassword = super.password;
        s.database = db->name();
        s.adminPassword = wbtest::AdminPassword;
        s.listerPassword = wbtest::TestDatabase::listerPassword();
        return s;
    }
    ConnectInfo as(const QString& user, const QString& password) const {
        ConnectInfo info = db->info(user, password);
        return info;
    }
    // Everything the preparation decides, read by the server's superuser.
    QStringList snapshot() {
        const QString like = db->name() + QStringLiteral("\\_%");
        QStringList out;
        const auto read = [&out](Connection& con, const QString& sql, const QVariantList& params = {}) {
            QSqlQuery q = con.query(sql, params);
            while (q.next()) {
                QStringList row;
                for (int c = 0; c < q.record().count(); ++c)
                    row << q.value(c).toString();
                out << row.join(QLatin1Char('|'));
            }
        };
        read(
            server,
            QStringLiteral("select rolname, rolcanlogin, rolcreaterole, rolcreatedb, rolinherit, rolpassword "
                           "from pg_authid where rolname like ?::text or rolname = 'ADMIN' order by 1"),
            {like});
        read(server,
             QStringLiteral("select g.rolname, r.rolname from pg_auth_members m join pg_roles g on g.oid = "
                            "m.roleid join pg_roles r on r.oid = m.member where g.rolname like ?::text order "
                            "by 1, 2"),
             {like});
        read(server, QStringLiteral("select datacl::text from pg_database where datname = ?::text"),
             {db->name()});
        read(owner, QStringLiteral("select nspacl::text from pg_namespace where nspname = 'public'"));
        read(owner, QStringLiteral("select relname, relacl::text from pg_class where relnamespace = "
                                   "'public'::regnamespace order by 1"));
        read(owner,
             QStringLiteral("select p.oid, proname, proacl::text, pg_get_userbyid(proowner), md5(prosrc), "
                            "proconfig::text from pg_proc p where pronamespace = 'public'::regnamespace "
                            "order by 2"));
        read(owner, QStringLiteral("select attrelid::regclass::text, attname, attacl::text from pg_attribute "
                                   "where attacl is not null order by 1, 2"));
        read(owner, QStringLiteral("select tgrelid::regclass::text, tgname, md5(pg_get_triggerdef(oid)) from "
                                   "pg_trigger where not tgisinternal order by 1, 2"));
        read(server,
             QStringLiteral(
                 "select g.rolname, r.rolname from pg_auth_members m join pg_roles g on g.oid = "
                 "m.roleid join pg_roles r on r.oid = m.member where r.rolname like ?::text order by 1, 2"),
             {like});
        read(owner, QStringLiteral("select count(*) from User_Information"));
        read(owner, QStringLiteral("select count(*), max(Version) from Schema_Version"));
        return out;
    }
    std::unique_ptr<wbtest::TestDatabase> db;
    Connection server;
    Connection owner;
};

TEST_F(PostgresPreparation, OnlyTheProgramsLoginsConnectAndTheListerOnlyConnects) {
    // A role of another application, with a password, cannot connect: PUBLIC has no right on the catalogue.
    const QString outsider = db->name() + QStringLiteral("_other_app");
    ServerRights::runQuoted(server, QStringLiteral("CREATE ROLE %I LOGIN PASSWORD %L"),
                            {outsider, scramVerifier(server, QStringLiteral("Other-app-1"))});
    EXPECT_THROW(db->connect(outsider, QStringLiteral("Other-app-1")), DbError);
    ServerRights::runQuoted(server, QStringLiteral("DROP ROLE %I"), {outsider});

    auto lister = db->connect(ServerRights::listerRole(db->name()), wbtest::TestDatabase::listerPassword());
    EXPECT_EQ(lister->logins().list(), QStringList{QStringLiteral("ADMIN")});
    for (const char* sql :
         {"create temporary table lister_scratch (x integer)", "select count(*) from User_Information",
          "select count(*) from Patient_Slips", "create table lister_table (x integer)",
          "select wardbook_set_password('ADMIN', 'SCRAM-SHA-256$4096:AA==$AA==:AA==')"}) {
        EXPECT_THROW(lister->Execute(QString::fromLatin1(sql)), DbError) << sql;
    }
}

TEST_F(PostgresPreparation, PreparingAPreparedCatalogueAgainSucceedsAndChangesNothing) {
    auto admin = db->connect();
    addDesk(*admin, QStringLiteral("CLERK"), QStringLiteral("Patient"));
    const QStringList before = snapshot();
    ASSERT_NO_THROW(Setup::preparePostgres(setup()));
    EXPECT_EQ(snapshot(), before);
    EXPECT_NO_THROW(db->connect(QStringLiteral("CLERK"), QStringLiteral("CLERK-pass-1")));
    EXPECT_NO_THROW(
        db->connect(ServerRights::listerRole(db->name()), wbtest::TestDatabase::listerPassword()));
}

TEST_F(PostgresPreparation, ACatalogueOfAnEarlierVersionIsBroughtToTheRightsOfANewOne) {
    auto admin = db->connect();
    addDesk(*admin, QStringLiteral("CASHIER"), QStringLiteral("Patient Slips"));
    admin.reset();
    // The functions are made anew, so their numbers differ: everything else must be the same.
    const auto withoutNumbers = [](QStringList rows) {
        for (QString& row : rows)
            row.remove(QRegularExpression(QStringLiteral("^[0-9]+\\|(?=wardbook_)")));
        return rows;
    };
    const QStringList prepared = withoutNumbers(snapshot());

    // What an earlier version left: every login wrote every data table, and nothing followed the
    // menu rights.
    const QString users = ServerRights::usersRole(db->name());
    QStringList later;
    {
        QSqlQuery q = server.query(QStringLiteral("select rolname from pg_roles where rolname like ?::text"),
                                   {db->name() + QStringLiteral("\\_writes\\_%")});
        while (q.next())
            later << q.value(0).toString();
    }
    ASSERT_FALSE(later.isEmpty()) << "no role holds the writers of a table";
    for (const QString& role : later)
        ServerRights::runQuoted(owner, QStringLiteral("DROP OWNED BY %I"), {role});
    for (const QString& role : later)
        ServerRights::runQuoted(server, QStringLiteral("DROP ROLE %I"), {role});
    owner.Execute(QStringLiteral("DROP SCHEMA IF EXISTS wardbook_private CASCADE"));
    {
        QSqlQuery q = owner.query(QStringLiteral(
            "select p.oid::regprocedure::text from pg_proc p where pronamespace = 'public'::regnamespace "
            "and proname not in ('wardbook_create_login', 'wardbook_set_password', "
            "'wardbook_set_administrator', 'wardbook_drop_login') and proname like 'wardbook%'"));
        QStringList functions;
        while (q.next())
            functions << q.value(0).toString();
        q.finish();
        for (const QString& f : functions)
            owner.Execute(QStringLiteral("DROP FUNCTION %1 CASCADE").arg(f));
    }
    {
        QSqlQuery q = owner.query(
            QStringLiteral("select tablename from pg_tables where schemaname = 'public' and tablename not in "
                           "('user_information', 'chart_of_menus', 'schema_version')"));
        QStringList tables;
        while (q.next())
            tables << q.value(0).toString();
        q.finish();
        for (const QString& t : tables)
            ServerRights::runQuoted(
                owner, QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON TABLE %I TO %I"), {t, users});
    }
    ServerRights::runQuoted(
        owner, QStringLiteral("GRANT USAGE, SELECT, UPDATE ON ALL SEQUENCES IN SCHEMA public TO %I"),
        {users});
    {
        auto cashier = db->connect(QStringLiteral("CASHIER"), QStringLiteral("CASHIER-pass-1"));
        ASSERT_NO_THROW(cashier->Execute(QStringLiteral("delete from SLIP_DETAIL")))
            << "not the earlier version's rights";
    }

    ASSERT_NO_THROW(Setup::preparePostgres(setup()));
    EXPECT_EQ(withoutNumbers(snapshot()), prepared);
    auto cashier = db->connect(QStringLiteral("CASHIER"), QStringLiteral("CASHIER-pass-1"));
    EXPECT_THROW(cashier->Execute(QStringLiteral("delete from SLIP_DETAIL")), DbError);
    EXPECT_THROW(cashier->Execute(QStringLiteral("update SLIPS_MASTER set amount = 0")), DbError);
    EXPECT_NO_THROW(cashier->Execute(
        QStringLiteral("insert into SLIPS_MASTER (Row_no, p_name, amount, n_amou) values (1, 'NEW', 1, 1)")));
}

TEST_F(PostgresPreparation, ASecondCatalogueBesideAnotherOnesAdministratorSaysWhyBeforeChangingAnything) {
    // The first catalogue's ADMIN is a login of the whole server: the second cannot make its own.
    Setup::PostgresSetup s = setup();
    s.database = db->name() + QStringLiteral("_second");
    try {
        Setup::preparePostgres(s);
        // Prepared all the same: its first administrator must then be able to log in.
        Connection second;
        ConnectInfo info = as(s.adminName, s.adminPassword);
        info.database = s.database;
        EXPECT_NO_THROW(second.Open(info)) << "prepared, but its first administrator cannot log in";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Refused);
        EXPECT_TRUE(e.text().contains(QStringLiteral("ADMIN"))) << e.text().toStdString();
        EXPECT_FALSE(
            server.scalar(QStringLiteral("select 1 from pg_database where datname = ?::text"), {s.database})
                .isValid());
        EXPECT_FALSE(ServerRights::roleExists(server, ServerRights::usersRole(s.database)));
        EXPECT_FALSE(ServerRights::roleExists(server, ServerRights::listerRole(s.database)));
    }
    if (server.scalar(QStringLiteral("select 1 from pg_database where datname = ?::text"), {s.database})
            .isValid())
        ServerRights::runQuoted(server, QStringLiteral("DROP DATABASE %I WITH (FORCE)"), {s.database});
    for (const QString& role : ServerRights::catalogueRoles(s.database))
        if (ServerRights::roleExists(server, role))
            ServerRights::runQuoted(server, QStringLiteral("DROP ROLE %I"), {role});
    // The first catalogue's administrator still logs in to the first.
    EXPECT_NO_THROW(db->connect());
}

TEST_F(PostgresPreparation, PasswordsThatCannotBeUsedAreRefusedBeforeAnythingIsMade) {
    Setup::PostgresSetup s = setup();
    s.database = db->name() + QStringLiteral("_second");
    const auto refusedWith = [&](const QString& admin, const QString& lister, const QString& says) {
        s.adminPassword = admin;
        s.listerPassword = lister;
        try {
            Setup::preparePostgres(s);
            ADD_FAILURE() << "prepared with " << admin.toStdString() << " / " << lister.toStdString();
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Refused);
            EXPECT_TRUE(e.text().contains(says)) << e.text().toStdString();
        }
    };
    refusedWith(wbtest::AdminPassword, QStringLiteral("with,comma-1"), QStringLiteral("Server.txt"));
    refusedWith(wbtest::AdminPassword, QStringLiteral("with\"quote-1"), QStringLiteral("Server.txt"));
    refusedWith(wbtest::AdminPassword, QStringLiteral(" blank-at-start"), QStringLiteral("Server.txt"));
    refusedWith(wbtest::AdminPassword, QStringLiteral("short"), QStringLiteral("8 characters"));
    refusedWith(QStringLiteral("short"), wbtest::TestDatabase::listerPassword(),
                QStringLiteral("8 characters"));
    EXPECT_FALSE(
        server.scalar(QStringLiteral("select 1 from pg_database where datname = ?::text"), {s.database})
            .isValid());
    EXPECT_FALSE(ServerRights::roleExists(server, ServerRights::usersRole(s.database)));
}

} // namespace
