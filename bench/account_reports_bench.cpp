// The daily counter sheet of a busy day, 2,000 slips with 10,000 lines, from the database to a PDF
// file: the main report, its totals by user and its cancelled slips, laid out and written. On the
// embedded database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL. Aim: under 300 ms.
#include "data/setup.h"
#include "reportengine/report.h"
#include "session/module1.h"

#include "benchmain.h"
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Slips = 2000;
constexpr int LinesPerSlip = 5;
const QDate Day(2026, 12, 7);

QString dailyTemplate() {
    return QDir(QStringLiteral(WARDBOOK_SOURCE_DIR))
        .filePath(QStringLiteral("Hos_Report/rpt_DailyCounter.rpt"));
}

void exec(QSqlQuery& q) {
    if (!q.exec())
        throw std::runtime_error(q.lastError().text().toStdString());
}

// The day before, the day and the day after, each with 2,000 slips of five lines; one slip in fifty
// cancelled; an active company.
void fill(wb::Connection& con) {
    wb::Transaction t(con);
    con.Execute(QStringLiteral("insert into Company (Company, comAddr, comTel, comActive) values "
                               "('CITY HOSPITAL', '12 MALL ROAD, LAHORE', '042-1234567', 'Y')"));
    QSqlQuery m(con.database());
    m.prepare(
        QStringLiteral("insert into SLIPS_MASTER (Row_no, Slip_code, Slip_date, Slip_Time, User_Name, Shift, "
                       "p_name, r_doc, status, amount, discount, n_amou, Cash_rece, Bal, CancelStatus) "
                       "values (?, ?, ?, ?, ?, ?, ?, ?, 'OPD', ?, ?, ?, ?, ?, ?)"));
    QSqlQuery d(con.database());
    d.prepare(
        QStringLiteral("insert into SLIP_DETAIL (Row_no, Line_no, slip_date, service, rate_list, test_rate) "
                       "values (?, ?, ?, ?, ?, ?)"));
    int no = 0;
    for (int dayOffset = -1; dayOffset <= 1; ++dayOffset) {
        const QDate date = Day.addDays(dayOffset);
        for (int i = 0; i < Slips; ++i) {
            ++no;
            double amount = 0;
            for (int l = 1; l <= LinesPerSlip; ++l) {
                const double rate = 100.0 * ((no + l) % 9 + 1);
                amount += rate;
                d.addBindValue(no);
                d.addBindValue(l);
                d.addBindValue(date);
                d.addBindValue((no + l) % 3 + 1);
                d.addBindValue((no + l) % 40 + 1);
                d.addBindValue(rate);
                exec(d);
            }
            const double discount = no % 4 ? 0 : 50;
            const double cash = amount - discount - (no % 5 ? 0 : 100);
            m.addBindValue(no);
            m.addBindValue(QStringLiteral("REF-%1").arg(no));
            m.addBindValue(date);
            m.addBindValue(QDateTime(date, QTime(8, 0).addSecs(i * 20)));
            m.addBindValue(QStringLiteral("CASHIER%1").arg(no % 3 + 1));
            m.addBindValue(i < Slips / 2 ? QStringLiteral("M") : QStringLiteral("E"));
            m.addBindValue(QStringLiteral("PATIENT NUMBER %1").arg(no));
            m.addBindValue(no % 7 ? QVariant(no % 7) : QVariant(QMetaType::fromType<int>()));
            m.addBindValue(amount);
            m.addBindValue(discount);
            m.addBindValue(amount);
            m.addBindValue(cash);
            m.addBindValue(amount - discount - cash);
            m.addBindValue(no % 50 ? QVariant(QMetaType::fromType<QString>())
                                   : QVariant(QStringLiteral("CANCEL")));
            exec(m);
        }
    }
    for (int i = 1; i <= 6; ++i)
        con.Execute(
            QStringLiteral("insert into doc (Row_no, doc_code, doc_name, Status) values (?, ?, ?, ?)"),
            {i, QStringLiteral("DOC-%1").arg(i), QStringLiteral("DOCTOR NUMBER %1").arg(i),
             i == 6 ? QStringLiteral("Panel") : QStringLiteral("Doctor")});
    m.finish();
    d.finish();
    t.commit();
}

void open(benchmark::State& state, wb::Engine engine, QTemporaryDir& dir) {
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
        s.database = QStringLiteral("wb_bench_accounts");
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
    if (Module1::Con->scalar(QStringLiteral("select count(*) from SLIPS_MASTER")).toInt() != 3 * Slips) {
        Module1::Con->Execute(QStringLiteral("delete from SLIP_DETAIL"));
        Module1::Con->Execute(QStringLiteral("delete from SLIPS_MASTER"));
        Module1::Con->Execute(QStringLiteral("delete from doc"));
        Module1::Con->Execute(QStringLiteral("delete from Company"));
        fill(*Module1::Con);
        if (engine == wb::Engine::Postgres)
            Module1::Con->Execute(QStringLiteral("analyze"));
    }
}

// The daily counter sheet of the day, opened with the three selections the window sets.
std::shared_ptr<wb::report::Report> dailyCounter() {
    const QString d1 = Day.toString(QStringLiteral("yyyy-MM-dd"));
    wb::report::ReportApplication app;
    auto report = app.OpenReport(dailyTemplate());
    report->setConnection(Module1::Con);
    report->setRecordSelectionFormula("{Company.comActive} = 'Y' and {SLIPS_MASTER.Slip_date} = #" + d1 +
                                      "#");
    report->subreport(QStringLiteral("rptSlipsTotal"))
        .setRecordSelectionFormula("isnull({SLIPS_MASTER.CancelStatus}) and {SLIPS_MASTER.Slip_date} = #" +
                                   d1 + "#");
    report->subreport(QStringLiteral("rptCacelSlip"))
        .setRecordSelectionFormula("{SLIPS_MASTER.Slip_date} = #" + d1 + "#");
    return report;
}

enum class Part { Whole, Layout, PdfOnly };

// Whole: the print as the daily counter button does it (open the template, set the selections, read
// the rows, lay out the pages, write the PDF). Layout: reading the rows and laying out the pages
// (what the viewer waits for). PdfOnly: writing the laid-out pages to a PDF file.
void dailyCounter(benchmark::State& state, wb::Engine engine, Part part) {
    QTemporaryDir dir;
    open(state, engine, dir);
    if (state.error_occurred())
        return;
    const QString pdf = dir.filePath(QStringLiteral("daily.pdf"));
    int pages = 0;
    if (part == Part::PdfOnly) {
        const auto doc = dailyCounter()->render();
        for (auto _ : state)
            doc->saveAsPdf(pdf);
        pages = doc->pageCount();
    } else {
        for (auto _ : state) {
            const auto doc = dailyCounter()->render();
            if (part == Part::Whole)
                doc->saveAsPdf(pdf);
            pages = doc->pageCount();
        }
    }
    state.counters["pages"] = pages;
    Module1::Rs->Close();
    Module1::Con->Close();
}

} // namespace

BENCHMARK_CAPTURE(dailyCounter, SqliteToPdf, wb::Engine::Sqlite, Part::Whole)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dailyCounter, SqliteLayout, wb::Engine::Sqlite, Part::Layout)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dailyCounter, SqlitePdfOnly, wb::Engine::Sqlite, Part::PdfOnly)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dailyCounter, PostgresToPdf, wb::Engine::Postgres, Part::Whole)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dailyCounter, PostgresLayout, wb::Engine::Postgres, Part::Layout)
    ->Unit(benchmark::kMillisecond);

WARDBOOK_BENCHMARK_MAIN()
