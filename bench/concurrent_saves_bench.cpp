// Eight desks saving 500 new patients each at the same moment, each desk a thread with a connection
// of its own, every save the register's way (the next "highest plus 1" key read and written in one
// transaction, the row added through a record set). On the embedded database and (when
// WARDBOOK_TEST_PG names a server) on PostgreSQL. Counters: the failed saves (must be 0) and the
// saves per second of the whole run.
#include "data/recordset.h"

#include "benchdb.h"
#include "benchmain.h"
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int Desks = 8;
constexpr int SavesPerDesk = 500;

void savePatient(wb::Connection& con, const QString& name) {
    wb::saveWithNextKey(con, QStringLiteral("Patient_Slips"), QStringLiteral("Row_no"), [&](qint64 key) {
        wb::Recordset rs;
        rs.Open(QStringLiteral("select * from Patient_Slips where 0 = 1"), con);
        rs.AddNew();
        rs.setField(QStringLiteral("Row_no"), key);
        rs.setField(QStringLiteral("Code_no"), QStringLiteral("PAT-%1").arg(key));
        rs.setField(QStringLiteral("Pat_name"), name);
        rs.setField(QStringLiteral("Fat_name"), QStringLiteral("DESK"));
        rs.setField(QStringLiteral("Sex"), QStringLiteral("M"));
        rs.setField(QStringLiteral("Pat_date"), QDate(2026, 12, 9));
        rs.Update();
    });
}

// One run: every desk saves its patients; returns the saves that failed, the first reason in `why`.
int eightDesks(const wb::ConnectInfo& info, QString& why) {
    std::atomic<int> failed{0};
    std::mutex m;
    std::vector<std::thread> desks;
    for (int d = 0; d < Desks; ++d) {
        desks.emplace_back([&, d] {
            int done = 0;
            try {
                wb::Connection con;
                con.Open(info);
                for (; done < SavesPerDesk; ++done) {
                    try {
                        savePatient(con, QStringLiteral("DESK %1 PATIENT %2").arg(d).arg(done));
                    } catch (const wb::DbError& e) {
                        ++failed;
                        const std::lock_guard lock(m);
                        if (why.isEmpty())
                            why = e.text();
                    }
                }
            } catch (const std::exception& e) {
                failed += SavesPerDesk - done;
                const std::lock_guard lock(m);
                why = QString::fromUtf8(e.what());
            }
        });
    }
    for (auto& t : desks)
        t.join();
    return failed;
}

void eightDesksSaving(benchmark::State& state, wb::Engine engine) {
    QTemporaryDir dir;
    const auto info =
        wbbench::connectInfo(state, engine, QStringLiteral("wb_bench_saves"), wbbench::fileIn(dir));
    if (!info)
        return;
    wb::Connection con;
    con.Open(*info);
    int failed = 0;
    int saves = 0;
    QString why;
    for (auto _ : state) {
        state.PauseTiming();
        con.Execute(QStringLiteral("delete from Patient_Slips"));
        state.ResumeTiming();
        failed += eightDesks(*info, why);
        saves += Desks * SavesPerDesk;
    }
    const int rows = con.scalar(QStringLiteral("select count(distinct Row_no) from Patient_Slips")).toInt();
    const int highest = con.scalar(QStringLiteral("select max(Row_no) from Patient_Slips")).toInt();
    con.Close();
    state.counters["failed"] = failed;
    state.counters["saves_per_s"] = benchmark::Counter(saves, benchmark::Counter::kIsRate);
    std::printf("%s: %d desks x %d saves, %d failed, last run %d rows with keys up to %d%s%s\n",
                engine == wb::Engine::Sqlite ? "SQLite" : "PostgreSQL", Desks, SavesPerDesk, failed, rows,
                highest, why.isEmpty() ? "" : "; first failure: ", qPrintable(why));
    if (failed > 0 || rows != Desks * SavesPerDesk || highest != rows)
        state.SkipWithError("saves failed or keys are not highest plus 1");
}

} // namespace

BENCHMARK_CAPTURE(eightDesksSaving, Sqlite, wb::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(eightDesksSaving, Postgres, wb::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

WARDBOOK_BENCHMARK_MAIN()
