#pragma once

#include "formula.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace wb::report {

// Finds a table of the database by name regardless of case (the schema by default).
using TableLookup = std::function<const Table*(const QString& name)>;
TableLookup schemaLookup();

// How a line of a section looks.
struct LineStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double scale = 1.0;         // of the report's font size
    int align = 0;              // Qt::AlignLeft/AlignHCenter/AlignRight; 0: as the columns say
    bool wrap = false;          // rows: cells wrap instead of being cut short
    bool suppressBlank = false; // left out when every field it shows is empty
    bool zero = false;          // a number field without a value shows as zero
    bool listing = false;       // shown only when the report lists rows, not one record's paper
};

// One part of a text: a literal or a value filled in when the report is drawn.
struct Segment {
    enum Kind {
        Literal,
        Field,
        Formula,
        Parameter,
        PageNumber,
        TotalPages,
        PrintDate,
        PrintTime,
        RecordNumber,
        Title,
        Count,
        CountOf,
        Sum,
        Average,
        Minimum,
        Maximum
    } kind = Literal;
    QString text;    // the literal, or the formula field's or parameter's name
    int field = -1;  // index into the template's fields
    int places = -1; // a number field shown with this many decimals; -1: as its column says
};

struct TextDef {
    QVector<Segment> segments;
    bool pageMarks = false; // shows the page number or the page count
};

struct LineDef {
    enum Kind { Text, Row, Rule, Space, Subreport } kind = Text;
    LineStyle style;
    QVector<TextDef> cells;
    QVector<double> columns; // fractions of the printable width, one per column
    QVector<int> aligns;     // one per column
    double amount = 1;       // Space: lines of the report's font; Rule: pen width in points
    QString subreport;
    int lineNo = 0;
};

struct SectionDef {
    QVector<LineDef> lines;
    bool isEmpty() const { return lines.isEmpty(); }
};

struct GroupDef {
    int field = -1;
    QString display;
    SectionDef header;
    SectionDef footer;
};

// A table the report reads: the first one (FROM) or a joined one.
struct TableUse {
    QString name;  // how the template names it: its alias or the table's own name
    QString table; // the schema's spelling
    const Table* def = nullptr;
    QString alias; // the query's alias (t0, t1, ...)
    // Lookup: a left join that takes at most one row of the table (the match with the lowest key).
    enum Join { From, Inner, Left, Cross, Lookup } join = From;
    QVector<QPair<int, int>> on; // field indexes compared for equality
};

struct OrderDef {
    int field = -1;
    bool descending = false;
};

struct FormulaDef {
    QString name;
    QString text;
    QVector<DisplayTerm> terms;
};

// A template read from its file: data, formula fields, parameters, sections and subreports. A
// subreport is a template of its own inside the main one; it sees the main report's parameters.
class ReportTemplate : public FormulaScope {
public:
    QString fileName; // the file's name, for messages
    QString name;     // the subreport's name; empty for the main report
    QString title;
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{15, 15, 15, 15};
    QString fontFamily = QStringLiteral("DejaVu Sans");
    double fontSize = 9;

    QVector<TableUse> tables;
    QString filter;           // always applies
    QString defaultSelection; // applies until the program sets a selection formula
    QString selection;        // the program's selection formula
    bool selectionSet = false;
    QString record; // the key of the one record the report is printed for; empty for a listing
    QVector<OrderDef> order;

    QVector<ResolvedField> fields; // every field the template shows, groups, orders or joins on
    std::vector<std::unique_ptr<FormulaDef>> formulas;
    std::vector<ParameterDecl> parameters; // main report only

    SectionDef reportHeader, pageHeader, detail, reportFooter, pageFooter;
    QVector<GroupDef> groups;
    std::vector<std::unique_ptr<ReportTemplate>> subreports;
    ReportTemplate* parent = nullptr;
    TableLookup lookup;

    // FormulaScope
    ResolvedField field(const QString& table, const QString& field) const override;
    const ParameterDecl* parameter(const QString& name) const override;

    // The field's index in `fields`, adding it once.
    int addField(const ResolvedField& f);
    FormulaDef* formula(const QString& name) const;
    ReportTemplate* subreport(const QString& name) const;
    const ReportTemplate& root() const { return parent ? parent->root() : *this; }
    // The selection formula in force: the program's, or the template's own.
    const QString& activeSelection() const { return selectionSet ? selection : defaultSelection; }
    // A name for messages: the file, and the subreport when this is one.
    QString where() const;
    // Compiles and sets a formula field's text (throws FormulaError).
    void setFormulaText(FormulaDef& def, const QString& text);
};

// Reads a template file; checks every table and field against the lookup. Throws ReportError.
std::unique_ptr<ReportTemplate> readTemplate(const QString& path, const TableLookup& lookup);
// The same from text (the file name is used in messages).
std::unique_ptr<ReportTemplate> parseTemplate(const QString& text, const QString& fileName,
                                              const TableLookup& lookup);

} // namespace wb::report
