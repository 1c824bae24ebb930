// The daily counter sheet of a busy day, 2,000 slips with 10,000 lines, from the database to a PDF
// file: the main report, its totals by user and its cancelled slips, laid out and written. On the
// embedded database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL. Aim: under 300 ms.
#include "reportengine/report.h"
#include "session/module1.h"

#include "benchdb.h"
#include "benchmain.h"
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Slips = 2000;
constexpr int LinesPerSlip = 5;
const QDate Day(2026, 12, 7);

QString dailyTemplate() {
    return QDir(QStringLiteral(WARDBOOK_SOURCE_DIR))
        .filePath(QStringLiteral("Hos_Report/rpt_DailyCounter.rpt"));
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
                wbbench::exec(d);
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
            wbbench::exec(m);
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

bool open(benchmark::State& state, wb::Engine engine, QTemporaryDir& dir) {
    return wbbench::openShared(state, engine,
                               {.postgresDatabase = QStringLiteral("wb_bench_accounts"),
                                .sqliteFile = wbbench::fileIn(dir),
                                .countQuery = QStringLiteral("select count(*) from SLIPS_MASTER"),
                                .rows = 3 * Slips,
                                .emptied = {"SLIP_DETAIL", "SLIPS_MASTER", "doc", "Company"},
                                .fill = fill});
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
    if (!open(state, engine, dir))
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
    wbbench::closeShared();
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
