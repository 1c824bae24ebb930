#pragma once

#include "reportengine/report.h"

#include <QObject>
#include <QString>
#include <memory>

// The print protocol every printing window follows:
//  1. a new report application object (replacing the window's last one),
//  2. the template from the "Hos_Report" folder beside the program,
//  3. the first table's logon (the report reads through the logged-in user's own connection),
//  4. the record selection formula, when there is one,
//  5. (subreport formulas, formula fields and parameters, for the reports that have them),
//  6. the viewer window's caption emptied,
//  7. the report shown in the viewer, and the viewer window shown without waiting.
namespace wb::report {

// The folder of the templates: the program's folder + "/Hos_Report". Another folder can be set (an
// installation that keeps them elsewhere, or tests); an empty one restores the default.
QString templateFolder();
void setTemplateFolder(const QString& folder);
QString templatePath(const QString& file);

// What a printing window keeps of its last print: the application object and the report.
class PrintJob : public QObject {
    Q_OBJECT
public:
    explicit PrintJob(QObject* owner) : QObject(owner) {}
    std::unique_ptr<ReportApplication> application;
    std::shared_ptr<Report> report;

    // The owner's last print, or nullptr.
    static PrintJob* of(QObject* owner);
};

// Steps 1 and 2: a new print job on the owner (replacing its last one) with the template opened.
// Raises ReportError when the template is missing or cannot be read.
PrintJob& newPrintJob(QObject* owner, const QString& templateFile);
// Step 3: logs the first table on for the logged-in user.
void logOnFirstTable(Report& report);
// Steps 6 and 7: renders the report into the viewer window and shows it without waiting. When the
// report fails the viewer keeps what it showed and the error is raised.
void viewReport(const std::shared_ptr<Report>& report);

// The whole protocol for one template and an optional selection formula (no formula: the template's
// own selection applies), as the registers print. `record` is the key of the one record the formula
// selects (empty for a listing): the paper then leaves out its listing lines and its PDF name
// carries the key.
void printRecord(QObject* owner, const QString& templateFile, const QString& formula,
                 const QString& record = {});

} // namespace wb::report
