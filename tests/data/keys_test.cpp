#include "data/dberror.h"
#include "data/recordset.h"
#include "support/testdb.h"

#include <QElapsedTimer>
#include <QSet>
#include <atomic>
#include <mutex>
#include <thread>

using namespace wb;
using wbtest::EngineTest;

namespace {

const QString Patients = QStringLiteral("Patient_Slips");
const QString Key = QStringLiteral("Row_no");

// One patient saved the register's way: the next key, an empty record set, AddNew, fields, Update.
void savePatient(Connection& con, const QString& name, QList<qint64>* keysRead = nullptr,
                 const std::function<void(qint64)>& beforeWrite = {}) {
    saveWithNextKey(con, Patients, Key, [&](qint64 key) {
        if (keysRead)
            keysRead->append(key);
        if (beforeWrite)
            beforeWrite(key);
        Recordset rs;
        rs.Open(QStringLiteral("select * from Patient_Slips where 0 = 1"), con);
        rs.AddNew();
        rs.setField(QStringLiteral("Row_no"), key);
        rs.setField(QStringLiteral("Code_no"), QStringLiteral("PAT-%1").arg(key));
        rs.setField(QStringLiteral("Pat_name"), name);
        rs.setField(QStringLiteral("Fat_name"), QStringLiteral("DESK"));
        rs.Update();
    });
}

int count(Connection& con, const QString& sql) {
    return con.scalar(sql).toInt();
}

class KeyStepTest : public EngineTest {};

// Desk A has read the highest key and not yet written; desk B saves meanwhile. B must not read the
// same key (the key step is serialised per table): without the lock B takes A's key and A collides.
TEST_P(KeyStepTest, TwoDesksNeverReadTheSameHighestKey) {
    auto deskA = db->connect();
    auto watcher = db->connect();
    savePatient(*deskA, QStringLiteral("FIRST"));

    QList<qint64> readByA, readByB;
    std::mutex m;
    std::atomic<bool> bDone{false};
    std::string bError;
    std::thread deskB;
    int aCalls = 0;
    std::string aError;
    try {
        savePatient(*deskA, QStringLiteral("A"), &readByA, [&](qint64) {
            if (++aCalls > 1)
                return; // a retry: B has already been let through
            deskB = std::thread([&] {
                try {
                    auto con = db->connect();
                    QList<qint64> keys;
                    savePatient(*con, QStringLiteral("B"), &keys);
                    std::lock_guard lock(m);
                    readByB = keys;
                } catch (const std::exception& e) {
                    bError = e.what();
                }
                bDone = true;
            });
            // Hold A's key until B has read one too, or B is seen waiting for the key step.
            for (int i = 0; i < 300 && !bDone; ++i) {
                {
                    std::lock_guard lock(m);
                    if (!readByB.isEmpty())
                        break;
                }
                if (GetParam() == Engine::Postgres &&
                    count(*watcher, QStringLiteral("select count(*) from pg_locks where not granted")) > 0)
                    break;
                if (GetParam() == Engine::Sqlite && i == 50)
                    break; // B stands in BEGIN IMMEDIATE's wait for the write lock
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    } catch (const std::exception& e) {
        aError = e.what();
    }
    if (deskB.joinable())
        deskB.join();
    EXPECT_TRUE(aError.empty()) << aError;
    EXPECT_TRUE(bError.empty()) << bError;
    ASSERT_FALSE(readByB.isEmpty());
    EXPECT_EQ(readByA, QList<qint64>{2}) << "A had to retry: B took the key A had read";
    EXPECT_EQ(readByB, QList<qint64>{3}) << "B read the key A held";
    EXPECT_EQ(count(*deskA, QStringLiteral("select count(distinct Row_no) from Patient_Slips")), 3);
}

// A duplicate key all the same (a row written by something that does not take the key step) is
// retried with the next key instead of failing the save.
TEST_P(KeyStepTest, ADuplicateKeyIsRetriedWithTheNextKey) {
    auto desk = db->connect();
    QList<qint64> keys;
    bool collided = false;
    savePatient(*desk, QStringLiteral("MINE"), &keys, [&](qint64 key) {
        if (collided)
            return;
        collided = true; // the row with this key appears before ours is written
        desk->Execute(QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) "
                                     "values (?, 'PAT-X', 'OTHER', 'DESK')"),
                      {key});
    });
    EXPECT_EQ(keys, (QList<qint64>{1, 1})); // the collision rolled back; the retry read the key again
    EXPECT_EQ(count(*desk, QStringLiteral("select count(*) from Patient_Slips where Pat_name = 'MINE'")), 1);
}

// A save that cannot get a key is refused in words, never with the server's own text.
TEST_P(KeyStepTest, AKeyThatKeepsCollidingIsRefusedInPlainWords) {
    auto desk = db->connect();
    try {
        savePatient(*desk, QStringLiteral("MINE"), nullptr, [&](qint64 key) {
            desk->Execute(QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) "
                                         "values (?, 'PAT-X', 'OTHER', 'DESK')"),
                          {key});
        });
        FAIL() << "a save that always collides succeeded";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Duplicate);
        EXPECT_FALSE(e.text().contains(QLatin1String("constraint"), Qt::CaseInsensitive))
            << e.text().toStdString();
        EXPECT_FALSE(e.text().contains(QLatin1String("ERROR"))) << e.text().toStdString();
    }
    EXPECT_EQ(count(*desk, QStringLiteral("select count(*) from Patient_Slips")), 0);
}

// Eight desks saving patients at once: every save succeeds, keys stay "highest plus 1".
TEST_P(KeyStepTest, EightDesksSavingAtOnceNeverFail) {
    constexpr int desks = 8;
    constexpr int savesPerDesk = 60;
    std::atomic<int> failed{0};
    std::mutex m;
    QString firstError;
    std::vector<std::thread> threads;
    QElapsedTimer clock;
    clock.start();
    for (int d = 0; d < desks; ++d) {
        threads.emplace_back([&, d] {
            try {
                auto con = db->connect();
                for (int i = 0; i < savesPerDesk; ++i) {
                    try {
                        savePatient(*con, QStringLiteral("DESK %1 PATIENT %2").arg(d).arg(i));
                    } catch (const DbError& e) {
                        ++failed;
                        std::lock_guard lock(m);
                        if (firstError.isEmpty())
                            firstError = e.text();
                    }
                }
            } catch (const std::exception& e) {
                failed += savesPerDesk;
                std::lock_guard lock(m);
                firstError = QString::fromUtf8(e.what());
            }
        });
    }
    for (auto& t : threads)
        t.join();
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("[ eight desks ] %s: %d x %d saves, %d failed, %.0f saves per second\n",
                GetParam() == Engine::Sqlite ? "SQLite" : "PostgreSQL", desks, savesPerDesk, failed.load(),
                desks * savesPerDesk / seconds);
    EXPECT_EQ(failed, 0) << firstError.toStdString();
    auto con = db->connect();
    EXPECT_EQ(count(*con, QStringLiteral("select count(distinct Row_no) from Patient_Slips")),
              desks * savesPerDesk);
    EXPECT_EQ(count(*con, QStringLiteral("select max(Row_no) from Patient_Slips")), desks * savesPerDesk);
}

WB_ENGINES(KeyStepTest);

} // namespace
