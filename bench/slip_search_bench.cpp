// The slip book at a million slips (WARDBOOK_BENCH_SLIPS to change it): opening the slip screen on
// its search page, and one search keystroke (query, grid and painting of the shown window) by patient
// name, by reference, with one or two letters, a wide name and the box cleared, on the embedded
// database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL. Counters: the rows shown and the
// process's peak and current memory. The embedded database is kept in the temporary folder between
// runs. Only the slips' headers are filled: the search reads no lines.
#include "session/module1.h"
#include "slips/frm_Test_Slips.h"
#include "ui/flexgrid.h"
#include "ui_frm_Test_Slips.h"

#include "benchdb.h"
#include "benchmain.h"
#include "keystroke.h"
#include "memory.h"
#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

int slipCount() {
    const int n = qEnvironmentVariableIntValue("WARDBOOK_BENCH_SLIPS");
    return n > 0 ? n : 1000000;
}

// Patients drawn from eight first names and the number, references "R-<n>", a date a day in the
// last three years, one slip in 50 without a reference. Filled on the server.
void fill(wb::Connection& con, int count) {
    const bool pg = con.engine() == wb::Engine::Postgres;
    const QString series =
        pg ? QStringLiteral("generate_series(1, %1) AS g(n)").arg(count) : QStringLiteral("g");
    const QString with =
        pg ? QString()
           : QStringLiteral("with recursive g(n) as (select 1 union all select n + 1 from g where n < %1) ")
                 .arg(count);
    const QString day = pg ? QStringLiteral("date '2024-01-01' + (n % 1000)")
                           : QStringLiteral("date('2024-01-01', '+' || (n % 1000) || ' days')");
    wb::Transaction t(con);
    con.Execute(
        with +
        QStringLiteral("insert into SLIPS_MASTER (Row_no, Slip_code, Slip_date, Slip_Time, User_Name, "
                       "Shift, p_name, Age, Yr, opd_doc, r_doc, status, amount, n_amou, Cash_rece) "
                       "select n, case when n % 50 = 0 then null else 'R-' || n end, %1, %2, 'DESK', "
                       "'M', case n % 8 when 0 then 'ALI ' when 1 then 'SARA ' when 2 then 'BILAL ' "
                       "when 3 then 'HINA ' when 4 then 'OMAR ' when 5 then 'ZARA ' "
                       "when 6 then 'IMRAN ' else 'NIDA ' end || n, "
                       "30, 'Y', 1, 2, case when n % 10 = 0 then 'IPD' else 'OPD' end, 600, 600, 600 "
                       "from %3")
            .arg(day, pg ? QStringLiteral("current_timestamp") : QStringLiteral("datetime('now')"), series));
    t.commit();
    if (!pg)
        con.Execute(QStringLiteral("analyze")); // the server's tables are vacuumed after every fill
}

// Opens Module1::Con on the engine's bench database, filling it on first use; the embedded file is
// kept in the temporary folder between runs.
bool connect(benchmark::State& state, wb::Engine engine) {
    return wbbench::openShared(state, engine,
                               {.postgresDatabase = QStringLiteral("wb_slip_search_bench"),
                                .sqliteFile = QDir::temp().filePath(
                                    QStringLiteral("wardbook-slip-bench-%1.sqlite").arg(slipCount())),
                                .countQuery = QStringLiteral("select count(*) from SLIPS_MASTER"),
                                .rows = slipCount(),
                                .emptied = {"SLIP_DETAIL", "SLIPS_MASTER"},
                                .fill = [](wb::Connection& con) { fill(con, slipCount()); }});
}

frm_Test_Slips* showSearchPage() {
    auto* w = new frm_Test_Slips();
    w->Form_Load();
    w->resize(1000, 600);
    w->show();
    w->ui()->SSTab1->setCurrentIndex(1);
    QApplication::processEvents();
    w->repaint();
    return w;
}

// The screen opened on its search page, the whole book listed and painted.
void openSearchPage(benchmark::State& state, wb::Engine engine) {
    if (!connect(state, engine))
        return;
    for (auto _ : state) {
        auto* w = showSearchPage();
        state.PauseTiming();
        delete w;
        state.ResumeTiming();
    }
    wbbench::memoryCounters(state);
    wbbench::closeShared();
}

// One keystroke that makes the box hold `text`, from `before`, under the criterion `criterion`.
void searchKeystroke(benchmark::State& state, wb::Engine engine, const QString& criterion,
                     const QString& before, const QString& text) {
    if (!connect(state, engine))
        return;
    auto* w = showSearchPage();
    w->ui()->cmb_s_cri->setCurrentText(criterion);
    wbbench::timeShownKeystrokes(state, w->ui()->txt_s_val, before, text, w->ui()->MshSearching);
    wbbench::memoryCounters(state);
    delete w;
    wbbench::closeShared();
}

const QString Name = QStringLiteral("Patient Name");
const QString Code = QStringLiteral("Slip Code");

} // namespace

#define WARDBOOK_SLIP_SEARCHES(Engine, E)                                                                    \
    BENCHMARK_CAPTURE(openSearchPage, Engine##Open, E)->Unit(benchmark::kMillisecond);                       \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##ByName, E, Name, QStringLiteral("SARA 123"),                  \
                      QStringLiteral("SARA 1234"))                                                           \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##ByCode, E, Code, QStringLiteral("R-4321"),                    \
                      QStringLiteral("R-43210"))                                                             \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##OneLetter, E, Name, QString(), QStringLiteral("S"))           \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##TwoLetters, E, Name, QStringLiteral("Z"),                     \
                      QStringLiteral("ZA"))                                                                  \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##Wide, E, Name, QStringLiteral("SAR"), QStringLiteral("SARA")) \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(searchKeystroke, Engine##BoxCleared, E, Name, QStringLiteral("S"), QString())          \
        ->Unit(benchmark::kMillisecond);

WARDBOOK_SLIP_SEARCHES(Sqlite, wb::Engine::Sqlite)
WARDBOOK_SLIP_SEARCHES(Postgres, wb::Engine::Postgres)

WARDBOOK_BENCHMARK_MAIN()
