// The birth certificate window with 20,000 certificates: the full listing that follows every save
// (doctor names joined, dates and times formatted) and one keystroke in the search box, on the
// embedded database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL.
#include "certificates/Brith_Certificate.h"
#include "data/setup.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui_Brith_Certificate.h"

#include "benchmain.h"
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

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
        if (!q.exec())
            throw std::runtime_error(q.lastError().text().toStdString());
    }
    q.finish();
    t.commit();
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
        s.database = QStringLiteral("wb_bench_certificates");
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
    if (Module1::Con->scalar(QStringLiteral("select count(*) from Brith_Certificate")).toInt() !=
        Certificates) {
        Module1::Con->Execute(QStringLiteral("delete from Brith_Certificate"));
        Module1::Con->Execute(QStringLiteral("delete from doc"));
        fill(*Module1::Con);
        if (engine == wb::Engine::Postgres)
            Module1::Con->Execute(QStringLiteral("analyze"));
    }
    return true;
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
    Module1::Rs->Close();
    Module1::Con->Close();
}

void keystroke(benchmark::State& state, wb::Engine engine, const QString& text) {
    QTemporaryDir dir;
    if (!open(state, engine, dir))
        return;
    auto* w = new Brith_Certificate();
    w->Form_Load();
    int rows = 0;
    for (auto _ : state) {
        w->ui()->txt_s_val->setText(text); // the keystroke: the search runs on the change
        rows = w->Msh->Rows() - 1;
        state.PauseTiming();
        w->ui()->txt_s_val->blockSignals(true);
        w->ui()->txt_s_val->clear();
        w->ui()->txt_s_val->blockSignals(false);
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    delete w;
    Module1::Rs->Close();
    Module1::Con->Close();
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
