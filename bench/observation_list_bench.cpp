// The observation screen's list of every admission by patient name: its first screenful, and
// scrolling a page at a time to row 50,000, with 1,000,000 admissions of 500,000 patients (a few
// thousand distinct names, "MUHAMMAD" and "KHAN" frequent; a few admissions without a patient row),
// on the embedded database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL.
#include "inpatient/frm_Observation.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui_frm_Observation.h"

#include "benchdb.h"
#include "benchmain.h"
#include "typing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int Patients = 500000;
constexpr int Admissions = 1000000;

void fill(wb::Connection& con) {
    const bool embedded = con.engine() == wb::Engine::Sqlite;
    // The numbers 1..n as a row source.
    const auto numbers = [&](int n) {
        return embedded ? QStringLiteral("(with recursive n(i) as (select 1 union all select i + 1 from n "
                                         "where i < %1) select i from n) n")
                              .arg(n)
                        : QStringLiteral("generate_series(1::bigint, %1) n(i)").arg(n);
    };
    const QString day = embedded ? QStringLiteral("date('2020-01-01', '+' || (i / 300) || ' days')")
                                 : QStringLiteral("date '2020-01-01' + cast(i / 300 as integer)");
    wb::Transaction t(con);
    con.Execute(QStringLiteral("insert into doc (Row_no, doc_code, doc_name, Status) select i, 'DOC-' || i, "
                               "'DR ' || i, 'Doctor' from %1")
                    .arg(numbers(60)));
    con.Execute(
        QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex) "
                       "select i, 'PAT-' || i, case when i % 100 < 45 then 'MUHAMMAD ' else 'NAME' || "
                       "(i * 7919 % 60) || ' ' end || case when i % 7 = 0 then 'KHAN' else 'S' || "
                       "(i * 104729 % 70) end, 'FATHER', 'M' from %1")
            .arg(numbers(Patients)));
    // Every 20,000th admission has no patient, every 20,011th one that was deleted.
    con.Execute(
        QStringLiteral("insert into Addmission (Row_no, Ipd_code, Reg_no, admdate, Pat_row_id, Age, Yr, "
                       "Room_no, consultant, duty_doc, reff_doc, Shift, admtime) "
                       "select i, 'IPD-' || i, 'R-' || (i * 48271 % 1000003), %1, case when i % 20000 = 0 "
                       "then null when i % 20011 = 0 then %2 + i else i * 48271 % %2 + 1 end, 30, 'Y', "
                       "'ROOM', i % 60 + 1, i % 60 + 1, i % 60 + 1, 'M', '10:00:00' from %3")
            .arg(day)
            .arg(Patients)
            .arg(numbers(Admissions)));
    t.commit();
}

// One embedded database for every run of the program, filled once.
bool open(benchmark::State& state, wb::Engine engine) {
    static QTemporaryDir dir;
    return wbbench::openShared(state, engine,
                               {.postgresDatabase = QStringLiteral("wb_bench_obs"),
                                .sqliteFile = wbbench::fileIn(dir),
                                .countQuery = QStringLiteral("select count(*) from Addmission"),
                                .rows = Admissions,
                                .emptied = {"Addmission", "doc", "Patient_Slips"},
                                .fill = fill});
}

// Lists every admission ("Date" criterion) and reads its first screenful.
void listEveryRow(benchmark::State& state, wb::Engine engine) {
    if (!open(state, engine))
        return;
    auto* w = new frm_Observation();
    w->Form_Load();
    w->ui()->cmb_s_cri->setCurrentText(QStringLiteral("Date"));
    for (auto _ : state) {
        w->FillGird();
        benchmark::DoNotOptimize(w->Msh->TextMatrix(1, 4));
    }
    state.SetLabel(w->Msh->TextMatrix(1, 4).toStdString());
    delete w;
    wbbench::closeShared();
}

// Scrolls the list of every admission to row 50,000.
void scrollEveryRow(benchmark::State& state, wb::Engine engine) {
    if (!open(state, engine))
        return;
    auto* w = new frm_Observation();
    w->Form_Load();
    w->show();
    w->ui()->SSTab1->setCurrentIndex(1); // the search page, where the grid is
    w->ui()->cmb_s_cri->setCurrentText(QStringLiteral("Date"));
    wbbench::timeScrolling(state, w->Msh, 50000, [&] { w->FillGird(); });
    delete w;
    wbbench::closeShared();
}

} // namespace

BENCHMARK_CAPTURE(listEveryRow, Sqlite, wb::Engine::Sqlite)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(scrollEveryRow, Sqlite, wb::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(2);
BENCHMARK_CAPTURE(listEveryRow, Postgres, wb::Engine::Postgres)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(scrollEveryRow, Postgres, wb::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(2);

WARDBOOK_BENCHMARK_MAIN()
