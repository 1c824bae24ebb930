// The patient register at a million patients (WARDBOOK_BENCH_PATIENTS to change it): opening the
// register, and one search keystroke (query, grid and painting of the shown window) by name, by
// code, with one or two letters, a wide name and the box cleared, on the embedded database and
// (when WARDBOOK_TEST_PG names a server) on PostgreSQL. Counters: the rows found and the process's
// peak and current memory. The embedded database is kept in the temporary folder between runs.
#include "registers/frm_patient_detail.h"
#include "shell/module1.h"
#include "ui/flexgrid.h"
#include "ui_frm_patient_detail.h"

#include "benchdb.h"
#include "benchmain.h"
#include "keystroke.h"
#include "memory.h"
#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

int patients() {
    const int n = qEnvironmentVariableIntValue("WARDBOOK_BENCH_PATIENTS");
    return n > 0 ? n : 1000000;
}

// Names drawn from 20 first names, numbered; dates over the last 3000 days. Filled on the server.
void fill(wb::Connection& con, int count) {
    const QString names = QStringLiteral(
        "names(k, nm) AS (VALUES (0,'ALI'),(1,'AMINA'),(2,'BILAL'),(3,'SARA'),(4,'USMAN'),(5,'HINA'),"
        "(6,'OMAR'),(7,'ZARA'),(8,'HAMZA'),(9,'NIDA'),(10,'IMRAN'),(11,'SANA'),(12,'FAISAL'),(13,'AYESHA'),"
        "(14,'TARIQ'),(15,'MARIA'),(16,'ASIF'),(17,'RABIA'),(18,'KAMRAN'),(19,'IQRA'))");
    const bool pg = con.engine() == wb::Engine::Postgres;
    const QString numbers =
        pg ? QStringLiteral("generate_series(1, %1) AS n(i)").arg(count) : QStringLiteral("n");
    const QString with =
        pg ? QStringLiteral("WITH %1 ").arg(names)
           : QStringLiteral(
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1), %2 ")
                 .arg(count)
                 .arg(names);
    const QString date = pg ? QStringLiteral("current_date - (i % 3000)")
                            : QStringLiteral("date('now', '-' || (i % 3000) || ' days')");
    wb::Transaction t(con);
    con.Execute(QStringLiteral("delete from Patient_Slips"));
    con.Execute(with +
                QStringLiteral("INSERT INTO Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex, "
                               "Pat_date) SELECT i, 'PAT-' || i, nm || ' ' || i, 'FATHER ' || i, 'M', %1 "
                               "FROM %2 JOIN names ON names.k = (i * 7) % 20")
                    .arg(date, numbers));
    t.commit();
    if (!pg)
        con.Execute(QStringLiteral("analyze")); // the server's tables are vacuumed after every fill
}

// Opens Module1::Con on the engine's bench database, filling it on first use; the embedded file is
// kept in the temporary folder between runs.
bool connect(benchmark::State& state, wb::Engine engine) {
    return wbbench::openShared(
        state, engine,
        {.postgresDatabase = QStringLiteral("wb_bench"),
         .sqliteFile = QDir::temp().filePath(QStringLiteral("wardbook-bench-%1.sqlite").arg(patients())),
         .countQuery = QStringLiteral("select count(*) from Patient_Slips"),
         .rows = patients(),
         .fill = [](wb::Connection& con) { fill(con, patients()); }});
}

// The register opened, loaded (every patient listed) and painted.
void openRegister(benchmark::State& state, wb::Engine engine) {
    if (!connect(state, engine))
        return;
    for (auto _ : state) {
        auto* w = new frm_patient_detail();
        w->Form_Load();
        w->resize(1000, 500);
        w->show();
        w->ui()->SSTab1->setCurrentIndex(1);
        QApplication::processEvents();
        w->repaint();
        state.PauseTiming();
        delete w;
        state.ResumeTiming();
    }
    wbbench::memoryCounters(state);
    wbbench::closeShared();
}

// One keystroke that makes the box hold `text`, from `before`.
void searchKeystroke(benchmark::State& state, wb::Engine engine, int criterion, const QString& before,
                     const QString& text) {
    if (!connect(state, engine))
        return;
    auto* w = new frm_patient_detail();
    w->Form_Load();
    w->resize(1000, 500);
    w->show();
    w->ui()->SSTab1->setCurrentIndex(1);
    w->ui()->cmb_s_cri->setCurrentIndex(criterion);
    wbbench::timeShownKeystrokes(state, w->ui()->txt_s_value, before, text, w->ui()->Msh);
    wbbench::memoryCounters(state);
    delete w;
    wbbench::closeShared();
}

} // namespace

#define WARDBOOK_SEARCHES(Engine, E)                                                                         \
    BENCHMARK_CAPTURE(openRegister, Engine##Open, E)->Unit(benchmark::kMillisecond);                         \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##ByName, E, 0, QStringLiteral("SARA 1"),                       \
                      QStringLiteral("SARA 12"))                                                             \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##ByCode, E, 1, QStringLiteral("PAT-432"),                      \
                      QStringLiteral("PAT-4321"))                                                            \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##OneLetter, E, 0, QString(), QStringLiteral("S"))              \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##TwoLetters, E, 0, QStringLiteral("Q"), QStringLiteral("QR"))  \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##Wide, E, 0, QStringLiteral("SAR"), QStringLiteral("SARA"))    \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##BoxCleared, E, 0, QStringLiteral("S"), QString())             \
        ->Unit(benchmark::kMillisecond);

WARDBOOK_SEARCHES(Sqlite, wb::Engine::Sqlite)
WARDBOOK_SEARCHES(Postgres, wb::Engine::Postgres)

WARDBOOK_BENCHMARK_MAIN()
