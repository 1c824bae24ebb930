#include "data/dberror.h"
#include "support/testdb.h"
#include "support/throwawayserver.h"

using namespace wb;
using wbtest::ThrowawayServer;

namespace {

int patients(Connection& con) {
    return con.scalar(QStringLiteral("select count(*) from Patient_Slips")).toInt();
}

void insertPatient(Connection& con, qint64 key) {
    con.Execute(
        QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) values (?, ?, "
                       "'RESTART', 'DESK')"),
        {key, QStringLiteral("PAT-%1").arg(key)});
}

class LostServerPostgresTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!wbtest::postgresConfigured())
            FAIL() << wbtest::noServerMessage();
        db = std::make_unique<wbtest::TestDatabase>(Engine::Postgres);
        con = db->connect();
        insertPatient(*con, 1);
    }
    void TearDown() override {
        con.reset();
        db.reset();
    }
    std::unique_ptr<wbtest::TestDatabase> db;
    std::unique_ptr<Connection> con;
};

TEST_F(LostServerPostgresTest, AStatementAfterARestartRunsOnAReopenedConnection) {
    ThrowawayServer::restart();
    EXPECT_EQ(patients(*con), 1); // not "the database refused the statement"
    EXPECT_TRUE(con->isOpen());
    EXPECT_EQ(con->user(), QStringLiteral("ADMIN")); // the same login
    ThrowawayServer::restart();
    const qint64 key = saveWithNextKey(*con, QStringLiteral("Patient_Slips"), QStringLiteral("Row_no"),
                                       [&](qint64 k) { insertPatient(*con, k); });
    EXPECT_EQ(key, 2);
    EXPECT_EQ(patients(*con), 2);
}

TEST_F(LostServerPostgresTest, ATransactionCutByARestartRunsOnceMoreAndWritesOnce) {
    int runs = 0;
    inTransaction(*con, [&] {
        ++runs;
        insertPatient(*con, 2);
        if (runs == 1)
            ThrowawayServer::restart();
        insertPatient(*con, 3);
    });
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(patients(*con), 3);

    // The same through the key step: the key is read again on the new connection.
    QList<qint64> keys;
    saveWithNextKey(*con, QStringLiteral("Patient_Slips"), QStringLiteral("Row_no"), [&](qint64 k) {
        keys << k;
        if (keys.size() == 1)
            ThrowawayServer::restart();
        insertPatient(*con, k);
    });
    EXPECT_EQ(keys, (QList<qint64>{4, 4}));
    EXPECT_EQ(patients(*con), 4);
}

TEST_F(LostServerPostgresTest, AServerThatStaysDownIsSaidPlainlyAndTheNextStatementReconnects) {
    ThrowawayServer::stop();
    try {
        insertPatient(*con, 2);
        ADD_FAILURE() << "a statement without a server succeeded";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Connection);
        EXPECT_EQ(e.text(), serverUnreachableText());
    }
    EXPECT_FALSE(con->isOpen()); // it does not claim to be open
    ThrowawayServer::start();
    insertPatient(*con, 2);
    EXPECT_TRUE(con->isOpen());
    EXPECT_EQ(patients(*con), 2);
}

} // namespace

namespace {

// A save (a new patient in a transaction) followed, in the same action of the user, by the work
// that comes after it (the list read again, or the print); the server is stopped or restarted just
// before one named statement. What the user is told must be the truth about the save.
struct LostAt {
    const char* name;
    QString statement; // the statement before which the server goes
    bool restart;      // restarted (back at once) rather than stopped (still down)
    QString text;      // what the user reads; empty: nothing
    QList<int> stored; // how many patients may be stored after it (the first one is there before)
};

class LostServerAtStatementPostgresTest : public LostServerPostgresTest,
                                          public ::testing::WithParamInterface<LostAt> {};

QString savedThen(const QString& notDone) {
    return QStringLiteral("The save is stored, but then the database server could not be reached, so %1. "
                          "Check that the server is running and that this computer is connected to the "
                          "network, then try again.")
        .arg(notDone);
}

const QString listQuery = QStringLiteral("select Pat_name from Patient_Slips order by Row_no");
const QString printQuery = QStringLiteral("select Pat_name from Patient_Slips where Row_no = 2");

TEST_P(LostServerAtStatementPostgresTest, TheUserIsToldWhetherTheSaveIsStored) {
    const LostAt& c = GetParam();
    bool fired = false;
    setStatementHook([&](const QString& sql) {
        if (fired || sql.trimmed() != c.statement)
            return;
        fired = true;
        c.restart ? ThrowawayServer::restart() : ThrowawayServer::stop();
    });
    QString told;
    try {
        beginUserAction();
        inTransaction(*con, [&] { insertPatient(*con, 2); });
        con->scalar(listQuery);
        const AfterSaveStep printing(QStringLiteral("it was not printed"));
        con->scalar(printQuery);
    } catch (const DbError& e) {
        told = e.text();
    }
    setStatementHook({});
    EXPECT_TRUE(fired);
    if (!c.restart)
        ThrowawayServer::start();
    EXPECT_EQ(told, c.text);
    EXPECT_TRUE(c.stored.contains(patients(*con))) << patients(*con); // never written twice
}

INSTANTIATE_TEST_SUITE_P(
    Statements, LostServerAtStatementPostgresTest,
    ::testing::Values(
        LostAt{"InsertServerDown",
               QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, "
                              "Fat_name) values (?, ?, 'RESTART', 'DESK')"),
               false,
               serverUnreachableText(),
               {1}},
        LostAt{"InsertRestarted",
               QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) values (?, "
                              "?, 'RESTART', 'DESK')"),
               true,
               QString(),
               {2}},
        LostAt{"CommitServerDown", QStringLiteral("COMMIT"), false, commitUnknownText(), {1, 2}},
        LostAt{"CommitRestarted", QStringLiteral("COMMIT"), true, commitUnknownText(), {1, 2}},
        LostAt{
            "ListServerDown", listQuery, false, savedThen(QStringLiteral("the list was not refreshed")), {2}},
        LostAt{"PrintServerDown", printQuery, false, savedThen(QStringLiteral("it was not printed")), {2}},
        LostAt{"PrintRestarted", printQuery, true, QString(), {2}}),
    [](const ::testing::TestParamInfo<LostAt>& i) { return std::string(i.param.name); });

// Another desk holds the key lock of a table, or the table itself: a save waits a few seconds, not
// for ever, and the user is told to try again; nothing is written.
class HeldLockTest : public wbtest::EngineTest {};

TEST_P(HeldLockTest, ASaveBehindAHeldLockGivesUpAndSaysAnotherDeskIsSaving) {
    auto desk = db->connect();
    // On the embedded engine one write lock stands for both.
    const QStringList locks =
        db->engine() == Engine::Postgres
            ? QStringList{desk->dialect().keyLock(),
                          QStringLiteral("LOCK TABLE Patient_Slips IN ACCESS EXCLUSIVE MODE")}
            : QStringList{QString()};
    for (const QString& lock : locks) {
        SCOPED_TRACE(lock.toStdString());
        auto holder = db->connect();
        holder->BeginTrans();
        if (lock.contains(QLatin1String("advisory")))
            holder->scalar(lock, {QStringLiteral("patient_slips")});
        else if (!lock.isEmpty())
            holder->Execute(lock);
        QString told;
        try {
            saveWithNextKey(*desk, QStringLiteral("Patient_Slips"), QStringLiteral("Row_no"),
                            [&](qint64 k) { insertPatient(*desk, k); });
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Busy);
            told = e.text();
        }
        EXPECT_EQ(told, anotherDeskSavingText());
        holder->RollbackTrans();
        EXPECT_EQ(patients(*desk), 0);
        EXPECT_FALSE(desk->inTransaction());
    }
}

WB_ENGINES(HeldLockTest);

} // namespace
