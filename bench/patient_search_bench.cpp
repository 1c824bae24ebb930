// One keystroke in the patient register's search box with 100,000 patients: the query and the grid
// fill, by name and by code, on the embedded database and (when WARDBOOK_TEST_PG names a server)
// on PostgreSQL.
#include "data/setup.h"
#include "registers/frm_patient_detail.h"
#include "shell/module1.h"
#include "ui/flexgrid.h"
#include "ui_frm_patient_detail.h"

#include "benchmain.h"
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Patients = 100000;

// Fills Patient_Slips with names drawn from 20 first names.
void fill(wb::Connection& con) {
    static const char* names[] = {"ALI",   "AMINA", "BILAL", "SARA",  "USMAN",  "HINA",   "OMAR",
                                  "ZARA",  "HAMZA", "NIDA",  "IMRAN", "SANA",   "FAISAL", "AYESHA",
                                  "TARIQ", "MARIA", "ASIF",  "RABIA", "KAMRAN", "IQRA"};
    wb::Transaction t(con);
    QSqlQuery q(con.database());
    q.prepare(QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex, Pat_date) "
                             "values (?, ?, ?, ?, 'M', ?)"));
    const QDate today = QDate::currentDate();
    for (int i = 1; i <= Patients; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("PAT-%1").arg(i));
        q.addBindValue(QStringLiteral("%1 %2").arg(QLatin1String(names[(i * 7) % 20])).arg(i));
        q.addBindValue(QStringLiteral("FATHER %1").arg(i));
        q.addBindValue(today.addDays(-(i % 3000)));
        if (!q.exec())
            throw std::runtime_error(q.lastError().text().toStdString());
    }
    q.finish();
    t.commit();
}

void searchKeystroke(benchmark::State& state, wb::Engine engine, int criterion, const QString& text) {
    QTemporaryDir dir;
    wb::ConnectInfo info;
    if (engine == wb::Engine::Postgres) {
        const QString server = qEnvironmentVariable("WARDBOOK_TEST_PG");
        if (server.isEmpty()) {
            state.SkipWithError("no PostgreSQL server (WARDBOOK_TEST_PG)");
            return;
        }
        wb::Setup::PostgresSetup s;
        s.server = server;
        s.superUser = qEnvironmentVariable("WARDBOOK_TEST_PG_USER", QStringLiteral("postgres"));
        s.superPassword = qEnvironmentVariable("WARDBOOK_TEST_PG_PASSWORD");
        s.database = QStringLiteral("wb_bench");
        wb::Setup::preparePostgres(s);
        info = {wb::Engine::Postgres, server, s.database, s.superUser, s.superPassword};
    } else {
        const QString path = dir.filePath(QStringLiteral("bench.sqlite"));
        wb::Setup::createEmbedded(path, QStringLiteral("bench-password"));
        info.server = path;
    }
    Module1::CreateShared();
    Module1::Rs->Close();
    Module1::Con->Open(info);
    if (Module1::Con->scalar(QStringLiteral("select count(*) from Patient_Slips")).toInt() != Patients) {
        Module1::Con->Execute(QStringLiteral("delete from Patient_Slips"));
        fill(*Module1::Con);
        if (engine == wb::Engine::Postgres)
            Module1::Con->Execute(QStringLiteral("analyze Patient_Slips"));
    }
    auto* w = new frm_patient_detail();
    w->Form_Load();
    w->ui()->cmb_s_cri->setCurrentIndex(criterion);
    int rows = 0;
    for (auto _ : state) {
        w->ui()->txt_s_value->setText(text); // the keystroke: FillGrid runs on the change
        rows = w->Msh->Rows() - 1;
        state.PauseTiming();
        w->ui()->txt_s_value->blockSignals(true);
        w->ui()->txt_s_value->clear();
        w->ui()->txt_s_value->blockSignals(false);
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    delete w;
    Module1::Rs->Close();
    Module1::Con->Close();
}

} // namespace

BENCHMARK_CAPTURE(searchKeystroke, SqliteByName, wb::Engine::Sqlite, 0, QStringLiteral("SARA 12"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, SqliteByCode, wb::Engine::Sqlite, 1, QStringLiteral("PAT-4321"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, SqliteByNameWide, wb::Engine::Sqlite, 0, QStringLiteral("SARA"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, PostgresByName, wb::Engine::Postgres, 0, QStringLiteral("SARA 12"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, PostgresByCode, wb::Engine::Postgres, 1, QStringLiteral("PAT-4321"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchKeystroke, PostgresByNameWide, wb::Engine::Postgres, 0, QStringLiteral("SARA"))
    ->Unit(benchmark::kMillisecond);

WARDBOOK_BENCHMARK_MAIN()
