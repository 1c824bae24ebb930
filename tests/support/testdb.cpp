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
    wb::Setup::preparePostgres(setup);
}

TestDatabase::~TestDatabase() {
    if (engine_ != wb::Engine::Postgres)
        return;
    try {
        if (Module1::Con && Module1::Con->isOpen() && Module1::Con->info().database == name_)
            Module1::Con->Close();
        wb::Connection con;
        con.Open(superInfo(QStringLiteral("postgres")));
        runQuoted(con, QStringLiteral("DROP DATABASE IF EXISTS %I WITH (FORCE)"), name_);
        const QString group = wb::PostgresLoginStore::groupRole(name_);
        QSqlQuery q =
            con.query(QStringLiteral("select r.rolname from pg_roles r join pg_auth_members m on m.member = "
                                     "r.oid join pg_roles g on g.oid = m.roleid where g.rolname = ?::text"),
                      {group});
        QStringList members;
        while (q.next())
            members << q.value(0).toString();
        q.finish();
        for (const QString& m : members)
            runQuoted(con, QStringLiteral("DROP ROLE IF EXISTS %I"), m);
        for (const QString& role : wb::ServerRights::catalogueRoles(name_))
            runQuoted(con, QStringLiteral("DROP ROLE IF EXISTS %I"), role);
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
