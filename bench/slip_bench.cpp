// The slip screen with 100,000 slips stored (three lines each): saving a slip of ten lines, opening
// one back into the screen, and one keystroke in the search box by patient name; on the embedded
// database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL.
#include "benchmain.h"
#include "data/setup.h"
#include "session/module1.h"
#include "slips/frm_Test_Slips.h"
#include "slips/slipstore.h"
#include "ui/flexgrid.h"
#include "ui_frm_Test_Slips.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Slips = 100000;

// Fills the slip tables inside the database: names drawn from eight first names and the number,
// a date a day in the last year, three lines each.
void fill(wb::Connection& con) {
    const bool pg = con.engine() == wb::Engine::Postgres;
    const QString series =
        QStringLiteral("with recursive g(n) as (select 1 union all select n + 1 from g where n < %1) ")
            .arg(Slips);
    const QString day = pg ? QStringLiteral("date '2026-01-01' + (n % 365)")
                           : QStringLiteral("date('2026-01-01', '+' || (n % 365) || ' days')");
    wb::Transaction t(con);
    con.Execute(
        series +
        QStringLiteral("insert into SLIPS_MASTER (Row_no, Slip_code, Slip_date, Slip_Time, User_Name, "
                       "Shift, p_name, Age, Yr, opd_doc, r_doc, status, amount, n_amou, Cash_rece) "
                       "select n, 'R-' || n, %1, %2, 'DESK', 'M', "
                       "case n % 8 when 0 then 'ALI ' when 1 then 'SARA ' when 2 then 'BILAL ' "
                       "when 3 then 'HINA ' when 4 then 'OMAR ' when 5 then 'ZARA ' "
                       "when 6 then 'IMRAN ' else 'NIDA ' end || n, "
                       "30, 'Y', 1, 2, 'OPD', 600, 600, 600 from g")
            .arg(day, pg ? QStringLiteral("current_timestamp") : QStringLiteral("datetime('now')")));
    for (int line = 1; line <= 3; ++line)
        con.Execute(series +
                    QStringLiteral("insert into SLIP_DETAIL (Row_no, Line_no, slip_date, service, rate_list, "
                                   "test_rate) select n, %1, %2, 1, %1, %1 * 100 from g")
                        .arg(line)
                        .arg(day));
    t.commit();
    if (pg) {
        con.Execute(QStringLiteral("analyze SLIPS_MASTER"));
        con.Execute(QStringLiteral("analyze SLIP_DETAIL"));
    }
}

bool open(benchmark::State& state, wb::Engine engine, QTemporaryDir& dir) {
    wb::ConnectInfo info;
    if (engine == wb::Engine::Postgres) {
        const QString server = qEnvironmentVariable("WARDBOOK_TEST_PG");
        if (server.isEmpty()) {
            state.SkipWithError("no PostgreSQL server (WARDBOOK_TEST_PG)");
            return false;
        }
        wb::Setup::PostgresSetup s;
        s.server = server;
        s.superUser = qEnvironmentVariable("WARDBOOK_TEST_PG_USER", QStringLiteral("postgres"));
        s.superPassword = qEnvironmentVariable("WARDBOOK_TEST_PG_PASSWORD");
        s.database = QStringLiteral("wb_slip_bench");
        wb::Setup::preparePostgres(s);
        info = {wb::Engine::Postgres, server, s.database, s.superUser, s.superPassword};
    } else {
        const QString path = dir.filePath(QStringLiteral("bench.sqlite"));
        wb::Setup::createEmbedded(path, QStringLiteral("bench-password"));
        info.server = path;
        info.user = wb::Setup::FirstAdministrator;
        info.password = QStringLiteral("bench-password");
    }
    Module1::CreateShared();
    Module1::Rs->Close();
    Module1::Con->Open(info);
    if (Module1::Con->scalar(QStringLiteral("select count(*) from SLIPS_MASTER")).toInt() < Slips) {
        Module1::Con->Execute(QStringLiteral("delete from SLIP_DETAIL"));
        Module1::Con->Execute(QStringLiteral("delete from SLIPS_MASTER"));
        fill(*Module1::Con);
    }
    return true;
}

void close() {
    Module1::Rs->Close();
    Module1::Con->Close();
}

wb::slips::SlipRecord tenLines() {
    wb::slips::SlipRecord s;
    s.values = {{QStringLiteral("p_name"), QStringLiteral("BENCH PATIENT")},
                {QStringLiteral("Age"), QStringLiteral("30")},
                {QStringLiteral("Yr"), QStringLiteral("Y")},
                {QStringLiteral("Shift"), QStringLiteral("M")},
                {QStringLiteral("opd_doc"), QStringLiteral("1")},
                {QStringLiteral("r_doc"), QStringLiteral("2")},
                {QStringLiteral("amount"), QStringLiteral("5500")},
                {QStringLiteral("n_amou"), QStringLiteral("5500")},
                {QStringLiteral("Cash_rece"), QStringLiteral("5000")},
                {QStringLiteral("Bal"), QStringLiteral("500")}};
    s.slipDate = QDate(2026, 12, 8);
    s.status = QStringLiteral("OPD");
    s.panelStatus = QStringLiteral("Doctor");
    for (int i = 1; i <= 10; ++i)
        s.lines.append({QStringLiteral("1"), QString::number(i), QString::number(i * 100)});
    return s;
}

void saveNewSlip(benchmark::State& state, wb::Engine engine) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    const auto slip = tenLines();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            wb::slips::saveSlip(*Module1::Con, slip, QStringLiteral("BENCH"), QDateTime::currentDateTime()));
    close();
}

void resaveSlip(benchmark::State& state, wb::Engine engine) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto slip = tenLines();
    slip.key =
        wb::slips::saveSlip(*Module1::Con, slip, QStringLiteral("BENCH"), QDateTime::currentDateTime());
    for (auto _ : state)
        wb::slips::saveSlip(*Module1::Con, slip, QStringLiteral("BENCH"), QDateTime::currentDateTime());
    close();
}

void openSlip(benchmark::State& state, wb::Engine engine) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto slip = tenLines();
    const qint64 key =
        wb::slips::saveSlip(*Module1::Con, slip, QStringLiteral("BENCH"), QDateTime::currentDateTime());
    auto* w = new frm_Test_Slips();
    w->Form_Load();
    for (auto _ : state) {
        w->ClearAll();
        w->ui()->txt_Row_No->setText(QString::number(key));
        w->OpenData();
    }
    state.counters["lines"] = w->ui()->MshEntry->Rows() - 1;
    delete w;
    close();
}

void searchKeystroke(benchmark::State& state, wb::Engine engine, const QString& text) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto* w = new frm_Test_Slips();
    w->Form_Load();
    int rows = 0;
    for (auto _ : state) {
        w->ui()->txt_s_val->setText(text); // the keystroke: the search runs on the change
        rows = w->ui()->MshSearching->Rows() - 1;
        state.PauseTiming();
        w->ui()->txt_s_val->blockSignals(true);
        w->ui()->txt_s_val->clear();
        w->ui()->txt_s_val->blockSignals(false);
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    delete w;
    close();
}

} // namespace

BENCHMARK_CAPTURE(saveNewSlip, Sqlite, wb::Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(resaveSlip, Sqlite, wb::Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openSlip, Sqlite, wb::Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, SqliteByName, wb::Engine::Sqlite, QStringLiteral("SARA 123"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, SqliteByNameWide, wb::Engine::Sqlite, QStringLiteral("SARA"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveNewSlip, Postgres, wb::Engine::Postgres)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(resaveSlip, Postgres, wb::Engine::Postgres)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openSlip, Postgres, wb::Engine::Postgres)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, PostgresByName, wb::Engine::Postgres, QStringLiteral("SARA 123"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, PostgresByNameWide, wb::Engine::Postgres, QStringLiteral("SARA"))
    ->Unit(benchmark::kMillisecond);

WARDBOOK_BENCHMARK_MAIN()
