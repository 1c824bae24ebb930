// The users list with 10,000 users, from the embedded database to a PDF file: reading the rows,
// laying out the pages and writing the file. The target is under one second for the whole print.
#include "reportengine/report.h"
#include "shell/module1.h"

#include "benchdb.h"
#include "benchmain.h"
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Users = 10000;

QString usersTemplate() {
    return QDir(QStringLiteral(WARDBOOK_SOURCE_DIR)).filePath(QStringLiteral("Hos_Report/rpt_User_Name.rpt"));
}

void fill(wb::Connection& con) {
    static const char* designations[] = {"RECEPTION", "ACCOUNTS", "NURSE", "DOCTOR", "LABORATORY"};
    wb::Transaction t(con);
    QSqlQuery q(con.database());
    q.prepare(QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, Designation, "
                             "PassWard, Status) values (?, ?, ?, ?, ?, ?)"));
    for (int i = 1; i <= Users; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("UC-%1").arg(i));
        q.addBindValue(QStringLiteral("USER NUMBER %1").arg(i));
        q.addBindValue(QLatin1String(designations[i % 5]));
        q.addBindValue(QStringLiteral("PASSWORD-%1").arg(i));
        q.addBindValue(i % 7 ? QStringLiteral("U") : QStringLiteral("A"));
        wbbench::exec(q);
    }
    q.finish();
    t.commit();
}

// An embedded database with 10,000 users, opened as Module1::Con (the logged-in user's connection).
class Database {
public:
    explicit Database(benchmark::State& state) {
        wbbench::openShared(state, wb::Engine::Sqlite,
                            {.sqliteFile = wbbench::fileIn(dir_),
                             .countQuery = QStringLiteral("select count(*) from User_Information"),
                             .rows = Users,
                             .emptied = {"User_Information"},
                             .fill = fill});
    }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

Database& database(benchmark::State& state) {
    static Database db(state);
    return db;
}

// The whole print: open the template, read the rows, lay out the pages, write the PDF.
void usersListToPdf(benchmark::State& state) {
    Database& db = database(state);
    int pages = 0;
    for (auto _ : state) {
        wb::report::ReportApplication app;
        const auto report = app.OpenReport(usersTemplate());
        report->setConnection(Module1::Con);
        const auto doc = report->render();
        doc->saveAsPdf(db.file(QStringLiteral("users.pdf")));
        pages = doc->pageCount();
    }
    state.counters["pages"] = pages;
}

// The rows and the layout alone (what the viewer waits for before it shows the first page).
void usersListLayout(benchmark::State& state) {
    database(state);
    wb::report::ReportApplication app;
    const auto report = app.OpenReport(usersTemplate());
    report->setConnection(Module1::Con);
    int pages = 0;
    for (auto _ : state) {
        const auto doc = report->render();
        pages = doc->pageCount();
    }
    state.counters["pages"] = pages;
}

// Writing the laid-out pages to a PDF file alone.
void usersListPdfOnly(benchmark::State& state) {
    Database& db = database(state);
    const auto report = wb::report::ReportApplication().OpenReport(usersTemplate());
    report->setConnection(Module1::Con);
    const auto doc = report->render();
    for (auto _ : state)
        doc->saveAsPdf(db.file(QStringLiteral("users-only.pdf")));
    state.counters["pages"] = doc->pageCount();
}

} // namespace

BENCHMARK(usersListToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(usersListLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(usersListPdfOnly)->Unit(benchmark::kMillisecond);

WARDBOOK_BENCHMARK_MAIN()
