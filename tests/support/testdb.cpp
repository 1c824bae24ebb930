#include "testdb.h"

#include "data/loginstore_pg.h"
#include "data/serverconfig.h"
#include "data/serverrights.h"
#include "data/setup.h"
#include "shell/module1.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <atomic>
#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace wbtest {

namespace {

QString pgServer() {
    return qEnvironmentVariable("WARDBOOK_TEST_PG");
}

wb::ConnectInfo superInfo(const QString& database) {
    wb::ConnectInfo info;
    info.engine = wb::Engine::Postgres;
    info.server = pgServer();
    info.database = database;
    info.user = qEnvironmentVariable("WARDBOOK_TEST_PG_USER", QStringLiteral("postgres"));
    info.password = qEnvironmentVariable("WARDBOOK_TEST_PG_PASSWORD");
    return info;
}

void runQuoted(wb::Connection& con, const QString& pattern, const QString& name) {
    con.Execute(con.scalar(QStringLiteral("select format(?::text, ?::text)"), {pattern, name}).toString());
}

QStringList column(wb::Connection& con, const QString& sql, const QVariantList& params) {
    QSqlQuery q = con.query(sql, params);
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    q.finish();
    return out;
}

// Drops a test catalogue with its logins and its group roles. The logins are roles of the whole
// server: one left behind would keep the next catalogue from making its own of that name.
void dropCatalogue(wb::Connection& con, const QString& name) {
    runQuoted(con, QStringLiteral("DROP DATABASE IF EXISTS %I WITH (FORCE)"), name);
    const QString group = wb::PostgresLoginStore::groupRole(name);
    const QStringList members = column(
        con,
        QStringLiteral("select r.rolname from pg_roles r join pg_auth_members m on m.member = r.oid join "
                       "pg_roles g on g.oid = m.roleid where g.rolname = ?::text and not r.rolsuper"),
        {group});
    for (const QString& m : members)
        runQuoted(con, QStringLiteral("DROP ROLE IF EXISTS %I"), m);
    for (const QString& role : wb::ServerRights::catalogueRoles(name))
        runQuoted(con, QStringLiteral("DROP ROLE IF EXISTS %I"), role);
}

// The test catalogues are named after the process that made them ("wb_test_<pid>_<n>").
bool madeByADeadProgram(const QString& name) {
    const QStringList parts = name.split(QLatin1Char('_'));
    bool ok = false;
    const pid_t pid = parts.size() >= 4 ? parts[2].toInt(&ok) : 0;
    return ok && pid > 0 && pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH;
}

// A test program that crashed left its catalogues and roles on the server; the first catalogue a
// program makes removes them, so that its own set-up does not fail on them.
void sweepDeadPrograms(wb::Connection& server) {
    static bool swept = false;
    if (swept)
        return;
    swept = true;
    QStringList names = column(
        server, QStringLiteral("select datname from pg_database where datname ~ '^wb_test_[0-9]+_[0-9]+$'"),
        {});
    // Roles whose catalogue is already gone (a program that died while dropping it).
    for (const QString& role :
         column(server,
                QStringLiteral(
                    "select regexp_replace(rolname, '_(users|admins|keeper|lister)$', '') from pg_roles "
                    "where rolname ~ '^wb_test_[0-9]+_[0-9]+_(users|admins|keeper|lister)$'"),
                {}))
        if (!names.contains(role))
            names << role;
    for (const QString& name : names)
        if (madeByADeadProgram(name))
            dropCatalogue(server, name);
}

} // namespace

wb::ConnectInfo serverAdminInfo(const QString& database) {
    return superInfo(database);
}

bool postgresConfigured() {
    return !pgServer().isEmpty();
}

std::string noServerMessage() {
    return "no PostgreSQL server is configured (WARDBOOK_TEST_PG): run the tests with scripts/test, which "
           "starts one, or leave the PostgreSQL cases out with ctest -LE postgres";
}

TestDatabase::TestDatabase(wb::Engine engine) : engine_(engine) {
    static std::atomic<int> counter{0};
    if (engine == wb::Engine::Sqlite) {
        name_ = QStringLiteral("Wardbook");
        path_ = dir_.filePath(QStringLiteral("Wardbook.sqlite"));
        wb::Setup::createEmbedded(path_, AdminPassword);
        return;
    }
    name_ = QStringLiteral("wb_test_%1_%2").arg(getpid()).arg(++counter);
    wb::Setup::PostgresSetup setup;
    const wb::ConnectInfo super = superInfo(QStringLiteral("postgres"));
    setup.server = super.server;
    setup.superUser = super.user;
    setup.superPassword = super.password;
    setup.database = name_;
    setup.adminPassword = AdminPassword;
    setup.listerPassword = listerPassword();
    wb::Connection server;
    server.Open(super);
    sweepDeadPrograms(server);
    try {
        wb::Setup::preparePostgres(setup);
    } catch (...) {
        dropCatalogue(server, name_); // a half-made catalogue must not stand in the next one's way
        throw;
    }
}

TestDatabase::~TestDatabase() {
    if (engine_ != wb::Engine::Postgres)
        return;
    try {
        if (Module1::Con && Module1::Con->isOpen() && Module1::Con->info().database == name_)
            Module1::Con->Close();
        wb::Connection con;
        con.Open(superInfo(QStringLiteral("postgres")));
        dropCatalogue(con, name_);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "could not drop the test catalogue: " << e.what();
    }
}

wb::ConnectInfo TestDatabase::info(const QString& user, const QString& password) const {
    if (engine_ == wb::Engine::Postgres) {
        wb::ConnectInfo i = superInfo(name_);
        i.user = user;
        i.password = password;
        return i;
    }
    wb::ConnectInfo i;
    i.engine = wb::Engine::Sqlite;
    i.server = path_;
    i.user = user;
    i.password = password;
    return i;
}

std::unique_ptr<wb::Connection> TestDatabase::connect(const QString& user, const QString& password) const {
    auto con = std::make_unique<wb::Connection>();
    con->Open(info(user, password));
    return con;
}

void TestDatabase::writeServerFile(const QString& dir) const {
    QFile f(dir + QStringLiteral("/Server.txt"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write Server.txt");
    QTextStream out(&f);
    wb::setEmbeddedDatabasePath(path_);
    wb::setCatalogueName(engine_ == wb::Engine::Postgres ? name_ : QString());
    if (engine_ == wb::Engine::Sqlite)
        out << ".\n";
    else
        out << pgServer() << ',' << listerPassword() << '\n';
}

void openShared(const TestDatabase& db, const QString& user, const QString& password) {
    Module1::CreateShared();
    Module1::Rs->Close();
    Module1::Con->Open(db.info(user, password));
    Module1::ResetVariables();
}

void EngineTest::SetUp() {
    if (GetParam() == wb::Engine::Postgres && !postgresConfigured())
        FAIL() << noServerMessage();
    db = std::make_unique<TestDatabase>(GetParam());
}

void EngineTest::TearDown() {
    wb::ui::Forms::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (Module1::Rs)
        Module1::Rs->Close();
    if (Module1::Con)
        Module1::Con->Close();
    db.reset();
}

std::string engineName(const ::testing::TestParamInfo<wb::Engine>& info) {
    return info.param == wb::Engine::Sqlite ? "Sqlite" : "Postgres";
}

} // namespace wbtest
