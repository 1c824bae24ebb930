#include "report.h"

#include "renderer.h"

#include "data/connection.h"

namespace wb::report {

void DatabaseTable::setLogOn(const QString& user, const QString& password) {
    Q_UNUSED(password); // never kept: the report reads through the logged-in user's connection
    user_ = user;
}

void ParameterField::setValue(const QVariant& value) {
    decl_.value = parameterValue(value, decl_.kind, decl_.name);
}

// ---- Report

Report::Report(std::unique_ptr<ReportTemplate> t) : owned_(std::move(t)), t_(owned_.get()) {
    for (const TableUse& use : t_->tables)
        tables_.push_back(std::make_unique<DatabaseTable>(use.name));
}

Report::Report(ReportTemplate* sub, Report* parent) : t_(sub), parent_(parent) {
    for (const TableUse& use : t_->tables)
        tables_.push_back(std::make_unique<DatabaseTable>(use.name));
}

Report::~Report() = default;

void Report::setRecordSelectionFormula(const QString& formula) {
    translateSelection(formula, *t_, QStringLiteral("Record selection formula of %1").arg(t_->where()), true);
    t_->selection = formula;
    t_->selectionSet = true;
}

void Report::setRecordKey(const QString& key) {
    const_cast<ReportTemplate&>(t_->root()).record = key;
}

DatabaseTable& Report::databaseTable(int number) {
    if (number < 1 || number > int(tables_.size()))
        throw ReportError(QStringLiteral("%1 has no table %2 (it has %3)")
                              .arg(t_->where())
                              .arg(number)
                              .arg(tables_.size()));
    return *tables_.at(std::size_t(number - 1));
}

Report& Report::subreport(const QString& subName) {
    ReportTemplate* sub = t_->subreport(subName);
    if (!sub)
        throw ReportError(QStringLiteral("%1 has no subreport %2").arg(t_->where(), subName));
    auto& slot = subreports_[sub];
    if (!slot)
        slot.reset(new Report(sub, this));
    return *slot;
}

FormulaField& Report::formulaField(const QString& formulaName) {
    FormulaDef* def = t_->formula(formulaName);
    if (!def)
        throw ReportError(QStringLiteral("%1 has no formula field %2").arg(t_->where(), formulaName));
    auto& slot = formulas_[def];
    if (!slot)
        slot = std::make_unique<FormulaField>(*t_, *def);
    return *slot;
}

int Report::parameterCount() const {
    return int(t_->root().parameters.size());
}

ParameterField& Report::parameter(int number) {
    auto& params = const_cast<ReportTemplate&>(t_->root()).parameters;
    if (number < 1 || number > int(params.size()))
        throw ReportError(QStringLiteral("%1 has no parameter %2 (it has %3)")
                              .arg(t_->where())
                              .arg(number)
                              .arg(params.size()));
    ParameterDecl& decl = params.at(std::size_t(number - 1));
    auto& slot = root().parameters_[&decl];
    if (!slot)
        slot = std::make_unique<ParameterField>(decl);
    return *slot;
}

ParameterField& Report::parameter(const QString& paramName) {
    const auto& params = t_->root().parameters;
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (params.at(i).name.compare(paramName, Qt::CaseInsensitive) == 0)
            return parameter(int(i) + 1);
    }
    throw ReportError(QStringLiteral("%1 has no parameter %2").arg(t_->where(), paramName));
}

Connection* Report::connection() const {
    const Report& main = root();
    return main.con_;
}

std::shared_ptr<Document> Report::render() const {
    Connection* con = connection();
    if (!con || !con->isOpen())
        throw ReportError(QStringLiteral("The report %1 cannot be shown: there is no open connection to the "
                                         "database")
                              .arg(t_->root().fileName));
    return renderReport(t_->root(), *con);
}

// ---- ReportApplication

ReportApplication::ReportApplication() : lookup_(schemaLookup()) {}

ReportApplication::ReportApplication(TableLookup lookup) : lookup_(std::move(lookup)) {}

std::shared_ptr<Report> ReportApplication::OpenReport(const QString& path) const {
    return std::shared_ptr<Report>(new Report(readTemplate(path, lookup_)));
}

} // namespace wb::report
