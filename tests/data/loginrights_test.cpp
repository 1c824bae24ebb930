#include "data/connection.h"
#include "data/dberror.h"
#include "data/loginstore.h"
#include "data/schema.h"
#include "support/testdb.h"

#include <QFile>
#include <map>
#include <optional>

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
    // No menu right opens the panel register for this clerk.
    refused(*clerk,
            QStringLiteral("insert into Panel (Row_no, Panel_Code, Panel_Name) values (1, 'Pcode-1', 'A')"));
    EXPECT_EQ(clerk->scalar(QStringLiteral("select count(*) from User_Information")).toInt(), 1);

    auto chief = db->connect(QStringLiteral("CHIEF"), QStringLiteral("Chief-pass-1"));
    allowed(*chief, QStringLiteral("update User_Information set Designation = 'HEAD' where Row_No = 1"));
    allowed(*chief,
            QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (1, 'Patient', '1')"));
    refused(*chief, QStringLiteral("insert into Schema_Version (Version) values (999)"));
    refused(*chief, QStringLiteral("delete from Schema_Version"));

    // A table that a later step of the schema adds is read by the users and written by the
    // administrators at once; a user writes it once a menu's screen that writes it is theirs.
    Connection owner;
    owner.Open(wbtest::serverAdminInfo(db->name()));
    owner.Execute(QStringLiteral("CREATE TABLE Later_Table (Id integer)"));
    Schema::migrate(owner);
    allowed(*clerk, QStringLiteral("select count(*) from Later_Table"));
    refused(*clerk, QStringLiteral("insert into Later_Table (Id) values (1)"));
    allowed(*chief, QStringLiteral("insert into Later_Table (Id) values (1)"));
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

// The fourteen commands the rights editor saves for every user.
const QStringList menuCaptions = {QStringLiteral("Patient"),
                                  QStringLiteral("Doctor"),
                                  QStringLiteral("Services"),
                                  QStringLiteral("RateList"),
                                  QStringLiteral("Panel"),
                                  QStringLiteral("Employees"),
                                  QStringLiteral("SHIFT"),
                                  QStringLiteral("Patient Slips"),
                                  QStringLiteral("Admissions"),
                                  QStringLiteral("Observations"),
                                  QStringLiteral("Birth Certificate"),
                                  QStringLiteral("Discharge Certificate"),
                                  QStringLiteral("Death Certificate"),
                                  QStringLiteral("Company Information")};

// The users of a front desk on the server, each with a login of their own, made with plain SQL by
// the first administrator as the users register and the rights editor write them.
class PostgresDeskRights : public ::testing::Test {
protected:
    void SetUp() override {
        if (!wbtest::postgresConfigured())
            FAIL() << wbtest::noServerMessage();
        db = std::make_unique<wbtest::TestDatabase>(Engine::Postgres);
        admin = db->connect();
        owner.Open(wbtest::serverAdminInfo(db->name()));
        for (const char* sql :
             {"insert into Patient_Slips (Row_no, Code_no, Pat_name) values (1, 'PAT-1', 'ASLAM')",
              "insert into SLIPS_MASTER (Row_no, p_name, amount, n_amou) values (1, 'ASLAM', 300, 300)",
              "insert into SLIPS_MASTER (Row_no, p_name, amount, n_amou, CancelStatus, CanResign) values "
              "(2, 'BILAL', 100, 100, 'CANCEL', 'WRONG TEST')",
              "insert into SLIP_DETAIL (Row_no, Line_no, service, rate_list, test_rate) values (1, 1, 1, 1, "
              "100), (1, 2, 1, 2, 200), (2, 1, 1, 1, 100)"})
            owner.Execute(QString::fromLatin1(sql));
    }
    void TearDown() override {
        for (auto& [name, con] : desks)
            con.reset();
        admin.reset();
        owner.Close();
        db.reset();
    }
    // Adds a user with a login, status "A" or "U", and the menus ticked in the rights editor.
    qint64 addUser(const QString& name, bool administrator, const QStringList& menus) {
        admin->logins().create(name, password(name), administrator);
        const qint64 rowNo =
            admin->scalar(QStringLiteral("select coalesce(max(Row_No),0)+1 from User_Information"))
                .toLongLong();
        admin->Execute(QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, Status) "
                                      "values (?, ?, ?, ?)"),
                       {rowNo, QStringLiteral("UC-%1").arg(rowNo), name,
                        administrator ? QStringLiteral("A") : QStringLiteral("U")});
        setMenus(rowNo, menus);
        return rowNo;
    }
    // Replaces the user's rights as the rights editor saves them: fourteen rows in one transaction.
    void setMenus(qint64 rowNo, const QStringList& menus) {
        Transaction t(*admin);
        admin->Execute(QStringLiteral("delete from Chart_Of_Menus where User_ID = ?"), {rowNo});
        for (const QString& caption : menuCaptions)
            admin->Execute(
                QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (?, ?, ?)"),
                {rowNo, caption, menus.contains(caption) ? QStringLiteral("1") : QStringLiteral("0")});
        t.commit();
    }
    static QString password(const QString& name) { return name.left(1) + name.mid(1).toLower() + "-pass-1"; }
    Connection& desk(const QString& name) {
        auto& con = desks[name];
        if (!con)
            con = db->connect(name, password(name));
        return *con;
    }
    // Runs the statements in one transaction, rolled back afterwards. Empty when all of them were
    // allowed, else what the login was told when the first was refused.
    static std::optional<QString> outcome(Connection& con, const QStringList& statements) {
        std::optional<QString> refusal;
        con.BeginTrans();
        for (qsizetype i = 0; i < statements.size(); ++i) {
            try {
                con.Execute(statements[i]);
            } catch (const DbError& e) {
                EXPECT_EQ(e.kind(), DbError::Kind::NotPermitted) << e.text().toStdString();
                refusal = e.text();
                break;
            }
        }
        con.RollbackTrans();
        return refusal;
    }
    static bool allowed(Connection& con, const QString& sql) { return !outcome(con, {sql}).has_value(); }

    std::unique_ptr<wbtest::TestDatabase> db;
    std::unique_ptr<Connection> admin;
    Connection owner;
    std::map<QString, std::unique_ptr<Connection>> desks;
};

const char* const newSlip =
    "insert into SLIPS_MASTER (Row_no, p_name, amount, n_amou) values (3, 'NEW', 100, 100)";
const char* const newSlipLine =
    "insert into SLIP_DETAIL (Row_no, Line_no, service, rate_list, test_rate) values (3, 1, 1, 1, 100)";
const char* const cancelFirst =
    "update SLIPS_MASTER set CancelStatus = 'CANCEL', CanResign = 'WRONG' where Row_no = 1";

TEST_F(PostgresDeskRights, EachLoginWritesOnlyWhatItsMenusOpenAndSavedSlipsStayAsCashed) {
    addUser(QStringLiteral("RECEPTION"), false, {QStringLiteral("Patient")});
    addUser(QStringLiteral("CASHIER"), false, {QStringLiteral("Patient Slips")});
    addUser(QStringLiteral("CHIEF"), true, {QStringLiteral("Patient Slips")});
    // Who may: R the reception ("U", Patient only), C the cashier ("U", Patient Slips only), A the
    // chief (an administrator).
    struct Case {
        QStringList statements;
        const char* who;
    };
    QList<Case> cases = {
        // The session of an intruder at a cash desk, statement by statement.
        {{"update slips_master set cancelstatus = null where cancelstatus = 'CANCEL'"}, "A"},
        {{"update slips_master set amount = 0, n_amou = 0"}, "A"},
        {{"delete from slip_detail"}, "A"},
        {{"delete from slips_master"}, "A"},
        {{"delete from patient_slips"}, "RA"},
        // What the slip screen does: a new slip with its lines, a cancel, a cancel again.
        {{newSlip, newSlipLine}, "CA"},
        {{cancelFirst}, "CA"},
        {{"update SLIPS_MASTER set CancelStatus = 'CANCEL', CanResign = 'AGAIN' where Row_no = 2"}, "CA"},
        // What only an administrator may do to a saved slip.
        {{"update SLIPS_MASTER set CanResign = 'NO CANCEL' where Row_no = 1"}, "A"},
        {{"update SLIPS_MASTER set CancelStatus = 'VOID' where Row_no = 1"}, "A"},
        {{"update SLIPS_MASTER set p_name = 'SOMEONE' where Row_no = 1"}, "A"},
        {{"update SLIP_DETAIL set test_rate = 0 where Row_no = 1"}, "A"},
        {{"insert into SLIP_DETAIL (Row_no, Line_no, service, rate_list, test_rate) values (1, 3, 1, 3, 0)"},
         "A"},
        {{cancelFirst,
          "insert into SLIP_DETAIL (Row_no, Line_no, service, rate_list, test_rate) values (1, 3, 1, 3, 0)"},
         "A"},
        {{"delete from SLIP_DETAIL where Row_no = 2"}, "A"},
        {{"delete from SLIPS_MASTER where Row_no = 2"}, "A"},
        // The patient register.
        {{"insert into Patient_Slips (Row_no, Code_no, Pat_name) values (2, 'PAT-2', 'NEW')"}, "RA"},
        {{"update Patient_Slips set Pat_name = 'CHANGED' where Row_no = 1"}, "RA"},
        // The users, their rights and the version, as before.
        {{"update User_Information set Status = 'A'"}, "A"},
        {{"insert into Chart_Of_Menus (User_ID, Menus, Active) values (2, 'Doctor', '1')"}, "A"},
        {{"delete from Schema_Version"}, ""},
        // The account reports keep their work rows in a temporary table of the session's own.
        {{"create temporary table rptHeadWise as select * from public.rptHeadWise where false",
          "insert into rptHeadWise (S_Code, Qty) values (1, 2)"},
         "RCA"},
    };
    // Every other table: written by the screens of menus none of the two users has.
    for (const char* table : {"Company", "doc", "Services", "Rate_List", "Panel", "Employees", "SHIFT",
                              "Addmission", "Brith_Certificate", "Death_Certificate", "Discharge_Certificate",
                              "public.rptHeadWise", "Patient_Slips_Code_no_walk", "Addmission_Reg_no_walk",
                              "Addmission_by_name", "Patient_Slips_Pat_name_values"})
        cases.append({{QStringLiteral("delete from %1").arg(QLatin1String(table))}, "A"});

    for (const Case& c : cases) {
        for (const auto& [login, letter] :
             {std::pair{QStringLiteral("RECEPTION"), 'R'}, std::pair{QStringLiteral("CASHIER"), 'C'},
              std::pair{QStringLiteral("CHIEF"), 'A'}}) {
            const bool expected = QByteArray(c.who).contains(letter);
            const std::optional<QString> refusal = outcome(desk(login), c.statements);
            EXPECT_EQ(!refusal.has_value(), expected)
                << login.toStdString() << (expected ? " was refused: " : " was allowed: ")
                << c.statements.join(QStringLiteral("; ")).toStdString();
            if (refusal) {
                EXPECT_FALSE(refusal->contains(QLatin1String("permission denied")))
                    << "the server's own text: " << refusal->toStdString();
            }
        }
    }
    EXPECT_EQ(owner.scalar(QStringLiteral("select count(*) from SLIP_DETAIL")).toInt(), 3);
    EXPECT_EQ(owner.scalar(QStringLiteral("select count(*) from SLIPS_MASTER where CancelStatus = 'CANCEL'"))
                  .toInt(),
              1);
}

TEST_F(PostgresDeskRights, RightsFollowEveryChangeOfMenusAndUsersAtTheNextStatement) {
    const qint64 cashier = addUser(QStringLiteral("CASHIER"), false, {QStringLiteral("Patient Slips")});
    Connection& desk = this->desk(QStringLiteral("CASHIER"));
    const QString deleteSlip = QStringLiteral("delete from SLIPS_MASTER where Row_no = 2");
    EXPECT_TRUE(allowed(desk, QString::fromLatin1(newSlip)));

    setMenus(cashier, {QStringLiteral("Patient")});
    EXPECT_FALSE(allowed(desk, QString::fromLatin1(newSlip))) << "still writes slips after the menu went";
    EXPECT_TRUE(allowed(desk, QStringLiteral("delete from Patient_Slips")));
    setMenus(cashier, {QStringLiteral("Patient Slips")});
    EXPECT_TRUE(allowed(desk, QString::fromLatin1(newSlip)));
    EXPECT_FALSE(allowed(desk, QStringLiteral("delete from Patient_Slips")));

    // Promoted and demoted as the users register does it: the login's group and the status together.
    const auto setStatus = [&](bool administrator) {
        Transaction t(*admin);
        admin->logins().setAdministrator(QStringLiteral("CASHIER"), administrator);
        admin->Execute(QStringLiteral("update User_Information set Status = ? where Row_No = ?"),
                       {administrator ? QStringLiteral("A") : QStringLiteral("U"), cashier});
        t.commit();
    };
    setStatus(true);
    EXPECT_TRUE(allowed(desk, deleteSlip));
    setStatus(false);
    EXPECT_FALSE(allowed(desk, deleteSlip));

    // A user row deleted takes its rights along; a user added on that number finds the rows left.
    admin->Execute(QStringLiteral("delete from User_Information where Row_No = ?"), {cashier});
    EXPECT_FALSE(allowed(desk, QString::fromLatin1(newSlip)));
    admin->Execute(QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, Status) "
                                  "values (?, 'UC-2', 'CASH IER', 'U')"),
                   {cashier});
    EXPECT_TRUE(allowed(desk, QString::fromLatin1(newSlip)));

    // Nothing of it was done behind the checks: a user cannot give rights to itself.
    EXPECT_FALSE(allowed(desk, QStringLiteral("select wardbook_follow_menu_rights()")));
}

TEST_F(PostgresDeskRights, RightsHoldOnlyWhileTheMenusOpenTheScreenAsTheMainWindowShowsThem) {
    // Rows an older rights editor wrote: commands that no row names stay shown, so they stay open;
    // a user with no row shown sees none of the three menus, so nothing is open.
    addUser(QStringLiteral("OLDDESK"), false, {});
    admin->Execute(QStringLiteral("delete from Chart_Of_Menus where User_ID = 2 and Menus <> 'Doctor'"));
    EXPECT_FALSE(allowed(desk(QStringLiteral("OLDDESK")), QStringLiteral("delete from Patient_Slips")));
    admin->Execute(QStringLiteral("update Chart_Of_Menus set Active = '1' where User_ID = 2"));
    EXPECT_TRUE(allowed(desk(QStringLiteral("OLDDESK")), QStringLiteral("delete from Patient_Slips")));
    EXPECT_TRUE(allowed(desk(QStringLiteral("OLDDESK")), QStringLiteral("delete from doc")));
    admin->Execute(QStringLiteral(
        "insert into Chart_Of_Menus (User_ID, Menus, Active) values (2, 'REGISTRATIONS', '0')"));
    EXPECT_FALSE(allowed(desk(QStringLiteral("OLDDESK")), QStringLiteral("delete from Patient_Slips")));
    EXPECT_TRUE(allowed(desk(QStringLiteral("OLDDESK")), QStringLiteral("delete from Addmission")));
}

WB_ENGINES(LoginRightsTest);

} // namespace
