#pragma once

#include "document.h"
#include "reporterror.h"
#include "reporttemplate.h"

#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <vector>

namespace wb {
class Connection;
}

namespace wb::report {

class Report;

// A table of a report's data. Its logon is taken as the program hands it over, but the report always
// reads through the logged-in user's own connection: the credentials are never used to log on, and
// the password is not kept.
class DatabaseTable {
public:
    explicit DatabaseTable(const QString& name) : name_(name) {}
    const QString& name() const { return name_; }
    void setLogOn(const QString& user, const QString& password);
    const QString& logOnUser() const { return user_; }

private:
    QString name_;
    QString user_;
};

// A named formula field of a report: a text the program may set ("\"07/12/2026\"").
class FormulaField {
public:
    FormulaField(ReportTemplate& t, FormulaDef& def) : t_(t), def_(def) {}
    const QString& name() const { return def_.name; }
    const QString& text() const { return def_.text; }
    // Compiles and sets the text; a text the formula language does not have raises FormulaError and
    // leaves the previous text in place.
    void setText(const QString& text) { t_.setFormulaText(def_, text); }

private:
    ReportTemplate& t_;
    FormulaDef& def_;
};

// A parameter of a report: its value is handed over by the program, so the report never asks for it.
class ParameterField {
public:
    explicit ParameterField(ParameterDecl& decl) : decl_(decl) {}
    const QString& name() const { return decl_.name; }
    ValueKind kind() const { return decl_.kind; }
    const QVariant& value() const { return decl_.value; }
    // Takes a QDate, a number or their text ("2026-12-07"); raises ReportError when the value is not
    // of the parameter's kind.
    void setValue(const QVariant& value);

private:
    ParameterDecl& decl_;
};

// A report opened from its template, or one of its subreports.
class Report {
public:
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const QString& fileName() const { return t_->fileName; }
    const QString& name() const { return t_->name; }
    const QString& title() const { return t_->title; }

    // Restricts the rows; replaces the template's own selection. Checked at once: a formula the
    // language does not have, or an unknown table or field, raises FormulaError and changes nothing.
    void setRecordSelectionFormula(const QString& formula);
    QString recordSelectionFormula() const { return t_->activeSelection(); }
    // The key of the one record the report is printed for (a register's PRINT with a record open, a
    // slip): the paper leaves out its listing lines and its PDF name carries the key. Empty (the
    // default): the report lists rows.
    void setRecordKey(const QString& key);
    const QString& recordKey() const { return t_->root().record; }

    // The tables in the order the template names them, from 1 (the "from" table).
    int databaseTableCount() const { return int(tables_.size()); }
    DatabaseTable& databaseTable(int number);

    Report& subreport(const QString& name);
    FormulaField& formulaField(const QString& name);
    int parameterCount() const;
    ParameterField& parameter(int number); // from 1, in the template's order
    ParameterField& parameter(const QString& name);

    // The connection the report reads through, handed over by whoever opens the report.
    void setConnection(Connection* con) { con_ = con; }
    Connection* connection() const;

    // Reads the rows and lays out the pages (of the main report, with its subreports).
    std::shared_ptr<Document> render() const;

    const ReportTemplate& definition() const { return *t_; }

private:
    friend class ReportApplication;
    explicit Report(std::unique_ptr<ReportTemplate> t);
    Report(ReportTemplate* sub, Report* parent);
    Report& root() { return parent_ ? parent_->root() : *this; }
    const Report& root() const { return parent_ ? parent_->root() : *this; }

    std::unique_ptr<ReportTemplate> owned_;
    ReportTemplate* t_ = nullptr;
    Report* parent_ = nullptr;
    Connection* con_ = nullptr;
    std::vector<std::unique_ptr<DatabaseTable>> tables_;
    std::map<const ReportTemplate*, std::unique_ptr<Report>> subreports_;
    std::map<const FormulaDef*, std::unique_ptr<FormulaField>> formulas_;
    std::map<const ParameterDecl*, std::unique_ptr<ParameterField>> parameters_;
};

// The engine's application object: opens templates. The print commands create a new one each time.
class ReportApplication {
public:
    ReportApplication();
    // With another catalogue of tables than the schema.
    explicit ReportApplication(TableLookup lookup);

    // Opens a template file: reads it and checks its tables and fields. Raises ReportError.
    std::shared_ptr<Report> OpenReport(const QString& path) const;

private:
    TableLookup lookup_;
};

} // namespace wb::report
