// The birth certificate window with 20,000 certificates: the full listing that follows every save
// (doctor names joined, dates and times formatted) and one keystroke in the search box, on the
// embedded database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL.
#include "certificates/Brith_Certificate.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui_Brith_Certificate.h"

#include "benchdb.h"
#include "benchmain.h"
#include "keystroke.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Certificates = 20000;

void fill(wb::Connection& con) {
    static const char* names[] = {"AMNA", "SARA",  "HINA",  "ZARA", "NIDA",
                                  "SANA", "MARIA", "RABIA", "IQRA", "AYESHA"};
    wb::Transaction t(con);
    QSqlQuery q(con.database());
    for (int d = 1; d <= 50; ++d)
        con.Execute(
            QStringLiteral("insert into doc (Row_no, doc_code, doc_name, Status) values (?, ?, ?, 'Doctor')"),
            {d, QStringLiteral("DOC-%1").arg(d), QStringLiteral("DR %1").arg(d)});
    q.prepare(
        QStringLiteral("insert into Brith_Certificate (row_no, serial_no, reg_no, delivery_no, mother_name, "
                       "father_name, sex, weight, date_brith, time_brith, duty_doc, issu_date, issu_time, "
                       "shift) values (?, ?, ?, ?, ?, ?, 'F', 3.2, ?, ?, ?, ?, ?, 'M')"));
    const QDate today = QDate(2026, 12, 8);
    for (int i = 1; i <= Certificates; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("Brith-%1").arg(i));
        q.addBindValue(QStringLiteral("R-%1").arg(i));
        q.addBindValue(QStringLiteral("D-%1").arg(i));
        q.addBindValue(QStringLiteral("%1 %2").arg(QLatin1String(names[(i * 7) % 10])).arg(i));
        q.addBindValue(QStringLiteral("FATHER %1").arg(i));
        q.addBindValue(today.addDays(-(i % 2000)));
        q.addBindValue(QTime(i % 24, i % 60, 0));
        q.addBindValue(1 + i % 50);
        q.addBindValue(today.addDays(-(i % 2000)));
        q.addBindValue(QTime(i % 24, 30, 0));
        wbbench::exec(q);
    }
    q.finish();
    t.commit();
}

bool open(benchmark::State& state, wb::Engine engine, QTemporaryDir& dir) {
    return wbbench::openShared(state, engine,
                               {.postgresDatabase = QStringLiteral("wb_bench_certificates"),
                                .sqliteFile = wbbench::fileIn(dir),
                                .countQuery = QStringLiteral("select count(*) from Brith_Certificate"),
                                .rows = Certificates,
                                .emptied = {"Brith_Certificate", "doc"},
                                .fill = fill});
}

void listing(benchmark::State& state, wb::Engine engine) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto* w = new Brith_Certificate();
    w->Form_Load();
    int rows = 0;
    for (auto _ : state) {
        w->FillGird(QString());
        rows = w->Msh->Rows() - 1;
    }
    state.counters["rows"] = rows;
    delete w;
    wbbench::closeShared();
}

void keystroke(benchmark::State& state, wb::Engine engine, const QString& text) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto* w = new Brith_Certificate();
    w->Form_Load();
    wbbench::timeKeystrokes(state, w->ui()->txt_s_val, text, [&] { return w->Msh->Rows() - 1; });
    delete w;
    wbbench::closeShared();
}

} // namespace

BENCHMARK_CAPTURE(listing, Sqlite, wb::Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystroke, SqliteNarrow, wb::Engine::Sqlite, QStringLiteral("SARA 12"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystroke, SqliteWide, wb::Engine::Sqlite, QStringLiteral("SARA"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(listing, Postgres, wb::Engine::Postgres)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystroke, PostgresNarrow, wb::Engine::Postgres, QStringLiteral("SARA 12"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystroke, PostgresWide, wb::Engine::Postgres, QStringLiteral("SARA"))
    ->Unit(benchmark::kMillisecond);

WARDBOOK_BENCHMARK_MAIN()
