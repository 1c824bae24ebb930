#pragma once

#include "data/schema.h"
#include "reporterror.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVector>

namespace wb::report {

// What a value is, for comparisons: numbers, texts, dates (date and timestamp columns) and times.
enum class ValueKind { Number, Text, Date, Time };
ValueKind kindOf(ColType type);
QString kindName(ValueKind kind);

// A field of a report's data, resolved against the schema.
struct ResolvedField {
    QString sql;     // how the query names it: the table's alias and the schema's column name
    QString display; // as a template writes it, with the schema's spelling: Table.Field
    Column column;
    int source = -1; // which table of the report (0 = the first)
};

// A parameter of a report: declared with a kind in the template, given a value by the program.
struct ParameterDecl {
    QString name;
    ValueKind kind = ValueKind::Text;
    QVariant value; // QDate, qlonglong/double or QString; null while the program has given none
};

// Where a formula finds its fields and parameters.
class FormulaScope {
public:
    virtual ~FormulaScope() = default;
    // Resolves {table.field}; throws ReportError with the reason (no position) when it cannot.
    virtual ResolvedField field(const QString& table, const QString& field) const = 0;
    // The parameter by name regardless of case; nullptr when the report has none of that name.
    virtual const ParameterDecl* parameter(const QString& name) const = 0;
};

// A SQL condition with its bound values, one per "?" in order.
struct SqlFilter {
    QString sql;
    QVariantList values;
    bool isEmpty() const { return sql.isEmpty(); }
};

// Translates a record selection formula into a SQL condition. Fields come from the scope, every value
// is bound. A blank formula gives an empty filter. With checkOnly, parameters need no value yet.
// Throws FormulaError naming the position of anything the language does not have.
SqlFilter translateSelection(const QString& formula, const FormulaScope& scope, const QString& context,
                             bool checkOnly = false);

// A value typed by a user as a formula text constant: between single quotes, a quote inside doubled
// ("O'NEIL LAB" -> 'O''NEIL LAB'), so that it reaches the report as the value it is.
QString quoteText(const QString& value);

// A formula field's text, compiled for display: texts, numbers, dates, fields and parameters joined
// by "&". A text constant is written between double or single quotes.
struct DisplayTerm {
    enum Kind { Literal, Field, Parameter } kind = Literal;
    QString text; // the literal as shown, or the parameter's name
    ResolvedField field;
    int fieldIndex = -1; // set by the report that owns the formula
};
QVector<DisplayTerm> compileDisplayFormula(const QString& formula, const FormulaScope& scope,
                                           const QString& context);

// A parameter value as the program hands it (a date, a number, or their text) in the kind the
// template declares. Throws ReportError when it cannot be read so.
QVariant parameterValue(const QVariant& value, ValueKind kind, const QString& name);

} // namespace wb::report
