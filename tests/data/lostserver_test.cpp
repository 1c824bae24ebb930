#include "data/dberror.h"
#include "support/testdb.h"

#include <QProcess>

using namespace wb;

namespace {

// The throwaway server of the test command, stopped and started under the running test.
class ThrowawayServer {
public:
    static void restart() {
        pgCtl({QStringLiteral("restart"), QStringLiteral("-m"), QStringLiteral("fast")});
    }
    static void stop() { pgCtl({QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("fast")}); }
    static void start() {
        const QString data = qEnvironmentVariable("WARDBOOK_TEST_PG_DATA");
        const QString port = qEnvironmentVariable("WARDBOOK_TEST_PG").section(QLatin1Char(':'), 1);
        const QString sockets = data.section(QLatin1Char('/'), 0, -2);
        pgCtl({QStringLiteral("start"), QStringLiteral("-l"), sockets + QStringLiteral("/server.log"),
               QStringLiteral("-o"),
               QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200")
                   .arg(port, sockets)});
    }

private:
    static void pgCtl(QStringList args) {
        const QString bin = qEnvironmentVariable("WARDBOOK_TEST_PG_BIN");
        const QString data = qEnvironmentVariable("WARDBOOK_TEST_PG_DATA");
        ASSERT_FALSE(bin.isEmpty() || data.isEmpty())
            << "the test command exports WARDBOOK_TEST_PG_BIN and WARDBOOK_TEST_PG_DATA";
        args =
            QStringList{bin + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), data, QStringLiteral("-w")} +
            args;
        QProcess p;
        if (getuid() == 0)
            p.start(QStringLiteral("runuser"),
                    QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} +
                        args);
        else
            p.start(args.takeFirst(), args);
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
};

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
