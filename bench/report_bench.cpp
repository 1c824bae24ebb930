// The users list with 10,000 users, from the embedded database to a PDF file: reading the rows,
// laying out the pages and writing the file. The target is under one second for the whole print.
#include "data/setup.h"
#include "reportengine/report.h"
#include "shell/module1.h"

#include "benchmain.h"
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Users = 10000;

QString usersTemplate() {
    return QDir(QStringLiteral(WARDBOOK_SOURCE_DIR)).filePath(QStringLiteral("Hos_Report/rpt_User_Name.rpt"));
}

// An embedded database with 10,000 users, opened as Module1::Con (the logged-in user's connection).
class Database {
public:
    Database() {
        const QString path = dir_.filePath(QStringLiteral("bench.sqlite"));
        wb::Setup::createEmbedded(path, QStringLiteral("bench-password"));
        wb::ConnectInfo info;
        info.server = path;
        Module1::CreateShared();
        Module1::Con->Open(info);
        wb::Connection& con = *Module1::Con;
        con.Execute(QStringLiteral("delete from User_Information"));
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
            if (!q.exec())
                throw std::runtime_error(q.lastError().text().toStdString());
        }
        q.finish();
        t.commit();
    }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

Database& database() {
    static Database db;
    return db;
}

// The whole print: open the template, read the rows, lay out the pages, write the PDF.
void usersListToPdf(benchmark::State& state) {
    Database& db = database();
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
    database();
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
    Database& db = database();
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
