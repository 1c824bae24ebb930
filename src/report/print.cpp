#include "print.h"

#include "frmViewer.h"
#include "reportviewer.h"
#include "session/module1.h"

#include <QCoreApplication>
#include <QDir>

namespace wb::report {

namespace {

QString& folderOverride() {
    static QString folder;
    return folder;
}

// Jobs of prints that have no window to keep them.
std::unique_ptr<PrintJob>& ownerlessJob() {
    static std::unique_ptr<PrintJob> job;
    return job;
}

} // namespace

QString templateFolder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Hos_Report");
}

void setTemplateFolder(const QString& folder) {
    folderOverride() = folder;
}

QString templatePath(const QString& file) {
    return QDir(templateFolder()).filePath(file);
}

PrintJob* PrintJob::of(QObject* owner) {
    if (!owner)
        return ownerlessJob().get();
    return owner->findChild<PrintJob*>(QString(), Qt::FindDirectChildrenOnly);
}

PrintJob& newPrintJob(QObject* owner, const QString& templateFile) {
    PrintJob* job = nullptr;
    if (owner) {
        delete PrintJob::of(owner);
        job = new PrintJob(owner);
    } else {
        ownerlessJob() = std::make_unique<PrintJob>(nullptr);
        job = ownerlessJob().get();
    }
    job->application = std::make_unique<ReportApplication>();
    job->report = job->application->OpenReport(templatePath(templateFile));
    job->report->setConnection(Module1::Con);
    return *job;
}

void logOnFirstTable(Report& report) {
    const QString user = Module1::Con ? Module1::Con->user() : QString();
    report.databaseTable(1).setLogOn(user, QString());
}

void viewReport(const std::shared_ptr<Report>& report) {
    const AfterSaveStep step(QStringLiteral("it was not printed"));
    frmViewer& viewer = ui::Forms::get<frmViewer>();
    viewer.setCaption(QString());
    viewer.CRViewer91->setReportSource(report);
    viewer.CRViewer91->ViewReport();
    viewer.Show();
}

void printRecord(QObject* owner, const QString& templateFile, const QString& formula, const QString& record) {
    PrintJob& job = newPrintJob(owner, templateFile);
    logOnFirstTable(*job.report);
    if (!formula.isEmpty())
        job.report->setRecordSelectionFormula(formula);
    job.report->setRecordKey(record);
    viewReport(job.report);
}

} // namespace wb::report
