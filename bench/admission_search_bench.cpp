// One keystroke in the admission screen's search box and in the admission search pick list, and one
// change of the search day, with 30,000 admissions of 20,000 patients and 60 doctors, on the embedded
// database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL.
#include "inpatient/frm_Addmission.h"
#include "session/module1.h"
#include "slips/frm_Add_Search.h"
#include "ui/flexgrid.h"
#include "ui_frm_Add_Search.h"
#include "ui_frm_Addmission.h"

#include "benchdb.h"
#include "benchmain.h"
#include "keystroke.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Patients = 20000;
constexpr int Doctors = 60;
constexpr int Admissions = 30000;

void fill(wb::Connection& con) {
    static const char* names[] = {"ALI",  "AMINA", "BILAL", "SARA",  "USMAN",
                                  "HINA", "OMAR",  "ZARA",  "HAMZA", "NIDA"};
    wb::Transaction t(con);
    QSqlQuery q(con.database());
    q.prepare(QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex) "
                             "values (?, ?, ?, 'FATHER', 'M')"));
    for (int i = 1; i <= Patients; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("PAT-%1").arg(i));
        q.addBindValue(QStringLiteral("%1 %2").arg(QLatin1String(names[(i * 7) % 10])).arg(i));
        wbbench::exec(q);
    }
    q.prepare(
        QStringLiteral("insert into doc (Row_no, doc_code, doc_name, Status) values (?, ?, ?, 'Doctor')"));
    for (int i = 1; i <= Doctors; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("DOC-%1").arg(i));
        q.addBindValue(QStringLiteral("DR %1").arg(i));
        wbbench::exec(q);
    }
    q.prepare(
        QStringLiteral("insert into Addmission (Row_no, Ipd_code, Reg_no, admdate, Pat_row_id, Age, Yr, "
                       "Room_no, consultant, duty_doc, reff_doc, Shift, admtime) "
                       "values (?, ?, ?, ?, ?, 30, 'Y', 'ROOM', ?, ?, ?, 'M', ?)"));
    const QDate first(2020, 1, 1);
    for (int i = 1; i <= Admissions; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("IPD-%1").arg(i));
        q.addBindValue(QStringLiteral("R-%1").arg(i));
        q.addBindValue(first.addDays(i / 15));
        q.addBindValue((i * 13) % Patients + 1);
        q.addBindValue(i % Doctors + 1);
        q.addBindValue((i + 1) % Doctors + 1);
        q.addBindValue((i + 2) % Doctors + 1);
        q.addBindValue(QTime(10, 0));
        wbbench::exec(q);
    }
    q.finish();
    t.commit();
}

bool open(benchmark::State& state, wb::Engine engine, QTemporaryDir& dir) {
    return wbbench::openShared(state, engine,
                               {.postgresDatabase = QStringLiteral("wb_bench_adm"),
                                .sqliteFile = wbbench::fileIn(dir),
                                .countQuery = QStringLiteral("select count(*) from Addmission"),
                                .rows = Admissions,
                                .emptied = {"Addmission", "doc", "Patient_Slips"},
                                .fill = fill});
}

// A keystroke in the admission screen's search box, with the criterion at `criterion`.
void admissionKeystroke(benchmark::State& state, wb::Engine engine, int criterion, const QString& text) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto* w = new frm_Addmission();
    w->Form_Load();
    w->ui()->cmb_s_cri->setCurrentIndex(criterion);
    wbbench::timeKeystrokes(state, w->ui()->txt_s_val, text, [&] { return w->Msh->Rows() - 1; });
    delete w;
    wbbench::closeShared();
}

// A change of the admission screen's search day.
void admissionDay(benchmark::State& state, wb::Engine engine) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto* w = new frm_Addmission();
    w->Form_Load();
    int rows = 0;
    bool odd = false;
    for (auto _ : state) {
        w->ui()->DTPicker2->setDate(QDate(2022, 6, odd ? 1 : 2));
        odd = !odd;
        rows = w->Msh->Rows() - 1;
    }
    state.counters["rows"] = rows;
    delete w;
    wbbench::closeShared();
}

// A keystroke in the admission search pick list.
void pickListKeystroke(benchmark::State& state, wb::Engine engine, const QString& text) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto* w = new frm_Add_Search();
    wbbench::timeKeystrokes(state, w->ui()->txt_s_val, text, [&] { return w->Msh->Rows() - 1; });
    delete w;
    wbbench::closeShared();
}

} // namespace

BENCHMARK_CAPTURE(admissionKeystroke, SqliteRegNo, wb::Engine::Sqlite, 0, QStringLiteral("R-123"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(admissionKeystroke, SqlitePatientName, wb::Engine::Sqlite, 1, QStringLiteral("SARA 12"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(admissionKeystroke, SqliteDateListsAll, wb::Engine::Sqlite, 2, QStringLiteral("X"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(admissionDay, Sqlite, wb::Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pickListKeystroke, SqliteName, wb::Engine::Sqlite, QStringLiteral("SARA 12"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(admissionKeystroke, PostgresRegNo, wb::Engine::Postgres, 0, QStringLiteral("R-123"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(admissionKeystroke, PostgresPatientName, wb::Engine::Postgres, 1, QStringLiteral("SARA 12"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(admissionKeystroke, PostgresDateListsAll, wb::Engine::Postgres, 2, QStringLiteral("X"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(admissionDay, Postgres, wb::Engine::Postgres)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pickListKeystroke, PostgresName, wb::Engine::Postgres, QStringLiteral("SARA 12"))
    ->Unit(benchmark::kMillisecond);

WARDBOOK_BENCHMARK_MAIN()
