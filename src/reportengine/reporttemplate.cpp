#include "reporttemplate.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace wb::report {

TableLookup schemaLookup() {
    // The embedded database's logins (password hashes) are never a report's data.
    return [](const QString& name) -> const Table* {
        const Table* t = Schema::table(name);
        return t && !t->embeddedOnly ? t : nullptr;
    };
}

namespace {

const Column* findColumn(const Table& table, const QString& name) {
    for (const Column& c : table.columns) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

} // namespace

// ---- ReportTemplate

ResolvedField ReportTemplate::field(const QString& table, const QString& fieldName) const {
    for (int i = 0; i < tables.size(); ++i) {
        const TableUse& use = tables.at(i);
        if (use.name.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        const Column* column = findColumn(*use.def, fieldName);
        if (!column)
            throw ReportError(QStringLiteral("the table %1 has no field %2").arg(use.table, fieldName));
        ResolvedField f;
        f.sql = use.alias + u'.' + column->name;
        f.display = use.name + u'.' + column->name;
        f.column = *column;
        f.source = i;
        return f;
    }
    QStringList names;
    for (const TableUse& use : tables)
        names << use.name;
    if (lookup && lookup(table)) {
        throw ReportError(QStringLiteral("the report does not read the table %1 (it reads %2)")
                              .arg(table, names.join(QStringLiteral(", "))));
    }
    throw ReportError(QStringLiteral("there is no table %1").arg(table));
}

const ParameterDecl* ReportTemplate::parameter(const QString& paramName) const {
    const ReportTemplate& main = root();
    for (const ParameterDecl& p : main.parameters) {
        if (p.name.compare(paramName, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return nullptr;
}

int ReportTemplate::addField(const ResolvedField& f) {
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).sql == f.sql)
            return i;
    }
    fields.append(f);
    return int(fields.size() - 1);
}

FormulaDef* ReportTemplate::formula(const QString& formulaName) const {
    for (const auto& f : formulas) {
        if (f->name.compare(formulaName, Qt::CaseInsensitive) == 0)
            return f.get();
    }
    return nullptr;
}

ReportTemplate* ReportTemplate::subreport(const QString& subName) const {
    for (const auto& s : subreports) {
        if (s->name.compare(subName, Qt::CaseInsensitive) == 0)
            return s.get();
    }
    return nullptr;
}

QString ReportTemplate::where() const {
    if (name.isEmpty())
        return fileName;
    return QStringLiteral("%1, subreport %2").arg(root().fileName, name);
}

void ReportTemplate::setFormulaText(FormulaDef& def, const QString& text) {
    QVector<DisplayTerm> terms =
        compileDisplayFormula(text, *this, QStringLiteral("Formula field %1 of %2").arg(def.name, where()));
    for (DisplayTerm& term : terms) {
        if (term.kind == DisplayTerm::Field)
            term.fieldIndex = addField(term.field);
    }
    def.text = text;
    def.terms = terms;
}

// ---- Reading a template

namespace {

struct RawLine {
    int lineNo = 0;
    QString left;  // before "=" (or the whole line), trimmed
    QString value; // after "=", trimmed
    bool hasValue = false;
};

struct RawBlock {
    int lineNo = 0;
    QString kind; // lower case, single blanks
    QString arg;  // the rest of the header as written
    QVector<RawLine> lines;
};

struct RawTemplate {
    QString name;
    int lineNo = 0;
    QVector<RawBlock> blocks;
};

QString simplifiedLower(const QString& s) {
    return s.simplified().toLower();
}

class Reader {
public:
    Reader(const QString& fileName, const TableLookup& lookup) : fileName_(fileName), lookup_(lookup) {}

    std::unique_ptr<ReportTemplate> read(const QString& text) {
        split(text);
        auto main = std::make_unique<ReportTemplate>();
        main->fileName = fileName_;
        main->lookup = lookup_;
        for (const RawTemplate& raw : subs_) {
            auto sub = std::make_unique<ReportTemplate>();
            sub->fileName = fileName_;
            sub->name = raw.name;
            sub->parent = main.get();
            sub->lookup = lookup_;
            main->subreports.push_back(std::move(sub));
        }
        build(*main, mainRaw_);
        for (qsizetype i = 0; i < subs_.size(); ++i)
            build(*main->subreports.at(std::size_t(i)), subs_.at(i));
        return main;
    }

private:
    [[noreturn]] void fail(int lineNo, const QString& message) const {
        throw ReportError(QStringLiteral("%1, line %2: %3").arg(fileName_).arg(lineNo).arg(message));
    }

    // First pass: blocks and their lines; subreports apart.
    void split(const QString& text) {
        const QStringList lines = text.split(u'\n');
        RawTemplate* current = &mainRaw_;
        RawBlock* block = nullptr;
        for (int i = 0; i < lines.size(); ++i) {
            const int lineNo = i + 1;
            QString line = lines.at(i).trimmed();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            if (line.startsWith(u'[')) {
                if (!line.endsWith(u']'))
                    fail(lineNo, QStringLiteral("a block name is written between [ and ]"));
                const QString header = line.mid(1, line.size() - 2).trimmed();
                const QString lower = simplifiedLower(header);
                if (lower.startsWith(QStringLiteral("subreport "))) {
                    if (current != &mainRaw_)
                        fail(lineNo, QStringLiteral("a subreport cannot hold another subreport "
                                                    "(close the first one with [end subreport])"));
                    RawTemplate sub;
                    sub.name = header.mid(header.indexOf(u' ')).trimmed();
                    sub.lineNo = lineNo;
                    static const QRegularExpression id(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
                    if (!id.match(sub.name).hasMatch())
                        fail(lineNo,
                             QStringLiteral("a subreport's name is one word of letters, digits and _"));
                    for (const RawTemplate& other : subs_) {
                        if (other.name.compare(sub.name, Qt::CaseInsensitive) == 0)
                            fail(lineNo, QStringLiteral("there is already a subreport %1").arg(sub.name));
                    }
                    subs_.append(sub);
                    current = &subs_.last();
                    block = nullptr;
                    continue;
                }
                if (lower == u"end subreport") {
                    if (current == &mainRaw_)
                        fail(lineNo, QStringLiteral("[end subreport] without [subreport ...]"));
                    current = &mainRaw_;
                    block = nullptr;
                    continue;
                }
                RawBlock b;
                b.lineNo = lineNo;
                static const QStringList twoWords = {QStringLiteral("group header"),
                                                     QStringLiteral("group footer")};
                b.kind = lower;
                for (const QString& k : twoWords) {
                    if (lower.startsWith(k + u' ')) {
                        b.kind = k;
                        b.arg = header.simplified().mid(k.size() + 1);
                    }
                }
                current->blocks.append(b);
                block = &current->blocks.last();
                continue;
            }
            if (!block)
                fail(lineNo, QStringLiteral("this line stands before the first [block]"));
            RawLine raw;
            raw.lineNo = lineNo;
            const int eq = int(line.indexOf(u'='));
            if (eq >= 0) {
                raw.left = line.left(eq).trimmed();
                raw.value = line.mid(eq + 1).trimmed();
                raw.hasValue = true;
            } else {
                raw.left = line;
            }
            block->lines.append(raw);
        }
        if (current != &mainRaw_)
            fail(int(lines.size()),
                 QStringLiteral("the subreport %1 is not closed with [end subreport]").arg(current->name));
    }

    // Second pass: one template (the main one or a subreport).
    void build(ReportTemplate& t, const RawTemplate& raw) {
        const bool isSub = !t.name.isEmpty();
        static const QStringList order = {QStringLiteral("report"), QStringLiteral("parameters"),
                                          QStringLiteral("data"), QStringLiteral("formulas")};
        // Settings, parameters, data and formulas first: the sections use them.
        for (const QString& kind : order) {
            for (const RawBlock& b : raw.blocks) {
                if (b.kind != kind)
                    continue;
                if (kind == u"report")
                    reportBlock(t, b);
                else if (kind == u"data")
                    dataBlock(t, b);
                else if (kind == u"parameters") {
                    if (isSub)
                        fail(b.lineNo, QStringLiteral("a subreport uses the parameters of the main report"));
                    parametersBlock(t, b);
                } else
                    formulasBlock(t, b);
            }
        }
        if (t.tables.isEmpty()) {
            fail(raw.lineNo ? raw.lineNo : 1,
                 QStringLiteral("the %1 names no table: add a [data] block with \"from = Table\"")
                     .arg(isSub ? QStringLiteral("subreport %1").arg(t.name) : QStringLiteral("report")));
        }
        for (const RawBlock& b : raw.blocks) {
            if (order.contains(b.kind))
                continue;
            SectionDef* section = nullptr;
            if (b.kind == u"report header")
                section = &t.reportHeader;
            else if (b.kind == u"report footer")
                section = &t.reportFooter;
            else if (b.kind == u"detail")
                section = &t.detail;
            else if (b.kind == u"page header" || b.kind == u"page footer") {
                if (isSub)
                    fail(b.lineNo, QStringLiteral("a subreport has no page header or footer"));
                section = b.kind == u"page header" ? &t.pageHeader : &t.pageFooter;
            } else if (b.kind == u"group header" || b.kind == u"group footer") {
                GroupDef& g = group(t, b);
                section = b.kind == u"group header" ? &g.header : &g.footer;
            } else {
                fail(b.lineNo, QStringLiteral("unknown block [%1]").arg(b.kind));
            }
            sectionBlock(t, b, *section, b.kind.startsWith(QStringLiteral("page ")));
        }
    }

    void reportBlock(ReportTemplate& t, const RawBlock& b) {
        for (const RawLine& l : b.lines) {
            const QString key = simplifiedLower(l.left);
            const QString v = l.value;
            if (key == u"title") {
                t.title = v;
            } else if (key == u"page") {
                static const QList<QPair<QString, QPageSize::PageSizeId>> sizes = {
                    {QStringLiteral("a4"), QPageSize::A4},
                    {QStringLiteral("a5"), QPageSize::A5},
                    {QStringLiteral("a3"), QPageSize::A3},
                    {QStringLiteral("letter"), QPageSize::Letter},
                    {QStringLiteral("legal"), QPageSize::Legal}};
                bool found = false;
                for (const auto& [n, id] : sizes) {
                    if (n == v.toLower()) {
                        t.pageSize = QPageSize(id);
                        found = true;
                    }
                }
                if (!found)
                    fail(l.lineNo, QStringLiteral("page is A4, A5, A3, Letter or Legal"));
            } else if (key == u"orientation") {
                if (v.toLower() == u"portrait")
                    t.orientation = QPageLayout::Portrait;
                else if (v.toLower() == u"landscape")
                    t.orientation = QPageLayout::Landscape;
                else
                    fail(l.lineNo, QStringLiteral("orientation is portrait or landscape"));
            } else if (key == u"margins") {
                const QVector<double> m = numbers(l, QStringLiteral("margins"));
                if (m.size() == 1)
                    t.marginsMm = QMarginsF(m[0], m[0], m[0], m[0]);
                else if (m.size() == 4)
                    t.marginsMm = QMarginsF(m[3], m[0], m[1], m[2]);
                else
                    fail(l.lineNo, QStringLiteral("margins are one number of millimetres, or four: "
                                                  "top right bottom left"));
            } else if (key == u"font") {
                if (v.isEmpty())
                    fail(l.lineNo, QStringLiteral("font names a font family"));
                t.fontFamily = v;
            } else if (key == u"size") {
                const QVector<double> s = numbers(l, QStringLiteral("size"));
                if (s.size() != 1 || s[0] < 4 || s[0] > 72)
                    fail(l.lineNo, QStringLiteral("size is the font size in points, from 4 to 72"));
                t.fontSize = s[0];
            } else if (key == u"columns") {
                baseColumns_[&t] = columnWidths(l);
            } else if (key == u"align") {
                baseAligns_[&t] = alignments(l);
            } else {
                fail(l.lineNo, QStringLiteral("[report] has no setting \"%1\"").arg(l.left));
            }
        }
    }

    QVector<double> numbers(const RawLine& l, const QString& what) const {
        QVector<double> out;
        const QStringList parts =
            l.value.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
        for (const QString& p : parts) {
            bool ok = false;
            const double d = p.toDouble(&ok);
            if (!ok || d < 0)
                fail(l.lineNo, QStringLiteral("%1 takes numbers, not \"%2\"").arg(what, p));
            out.append(d);
        }
        return out;
    }

    QVector<double> columnWidths(const RawLine& l) const {
        const QVector<double> widths = numbers(l, QStringLiteral("columns"));
        double total = 0;
        for (double w : widths)
            total += w;
        if (widths.isEmpty() || total <= 0)
            fail(l.lineNo,
                 QStringLiteral("columns lists the columns' widths, for example: columns = 20 50 30"));
        QVector<double> out;
        for (double w : widths)
            out.append(w / total);
        return out;
    }

    QVector<int> alignments(const RawLine& l) const {
        QVector<int> out;
        for (const QString& a :
             l.value.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
            const int align = alignment(a);
            if (!align)
                fail(l.lineNo, QStringLiteral("align takes left, center or right, not \"%1\"").arg(a));
            out.append(align);
        }
        return out;
    }

    static int alignment(const QString& word) {
        const QString w = word.toLower();
        if (w == u"left")
            return Qt::AlignLeft;
        if (w == u"center" || w == u"centre")
            return Qt::AlignHCenter;
        if (w == u"right")
            return Qt::AlignRight;
        return 0;
    }

    // "Table" or "Table as Alias"
    TableUse tableUse(ReportTemplate& t, const QString& text, int lineNo) {
        static const QRegularExpression re(
            QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)(?:\\s+as\\s+([A-Za-z_][A-Za-z0-9_]*))?$"),
            QRegularExpression::CaseInsensitiveOption);
        const auto m = re.match(text.trimmed());
        if (!m.hasMatch())
            fail(lineNo, QStringLiteral("a table is written Table or Table as Name, not \"%1\"").arg(text));
        const Table* def = lookup_ ? lookup_(m.captured(1)) : nullptr;
        if (!def)
            fail(lineNo, QStringLiteral("there is no table %1").arg(m.captured(1)));
        TableUse use;
        use.def = def;
        use.table = def->name;
        use.name = m.captured(2).isEmpty() ? def->name : m.captured(2);
        use.alias = QStringLiteral("t%1").arg(t.tables.size());
        for (const TableUse& other : t.tables) {
            if (other.name.compare(use.name, Qt::CaseInsensitive) == 0)
                fail(lineNo, QStringLiteral("the report reads %1 twice: give the second one a name "
                                            "(join = %2 as OtherName ...)")
                                 .arg(use.name, def->name));
        }
        return use;
    }

    int resolveField(ReportTemplate& t, QString text, int lineNo) {
        text = text.trimmed();
        if (text.startsWith(u'{') && text.endsWith(u'}'))
            text = text.mid(1, text.size() - 2).trimmed();
        static const QRegularExpression re(
            QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)\\s*\\.\\s*([A-Za-z_][A-Za-z0-9_]*)$"));
        const auto m = re.match(text);
        if (!m.hasMatch())
            fail(lineNo, QStringLiteral("a field is written {Table.Field}, not \"%1\"").arg(text));
        try {
            return t.addField(t.field(m.captured(1), m.captured(2)));
        } catch (const ReportError& e) {
            fail(lineNo, e.text());
        }
    }

    void dataBlock(ReportTemplate& t, const RawBlock& b) {
        QVector<QPair<RawLine, QString>> formulas; // checked once every table is known
        for (const RawLine& l : b.lines) {
            const QString key = simplifiedLower(l.left);
            if (key == u"from") {
                if (!t.tables.isEmpty())
                    fail(l.lineNo,
                         QStringLiteral("the report has one \"from\" table; add the others with join"));
                t.tables.append(tableUse(t, l.value, l.lineNo));
            } else if (key == u"join" || key == u"inner join" || key == u"left join" ||
                       key == u"cross join" || key == u"lookup") {
                if (t.tables.isEmpty())
                    fail(l.lineNo, QStringLiteral("\"from\" comes before the joins"));
                join(t, key, l);
            } else if (key == u"filter") {
                t.filter = l.value;
                formulas.append({l, QStringLiteral("Filter")});
            } else if (key == u"selection") {
                t.defaultSelection = l.value;
                formulas.append({l, QStringLiteral("Selection formula")});
            } else if (key == u"order") {
                for (const QString& part : l.value.split(u',', Qt::SkipEmptyParts)) {
                    QString item = part.trimmed();
                    OrderDef o;
                    static const QRegularExpression dir(QStringLiteral("\\s+(asc|desc)$"),
                                                        QRegularExpression::CaseInsensitiveOption);
                    const auto m = dir.match(item);
                    if (m.hasMatch()) {
                        o.descending = m.captured(1).toLower() == u"desc";
                        item = item.left(m.capturedStart()).trimmed();
                    }
                    o.field = resolveField(t, item, l.lineNo);
                    t.order.append(o);
                }
            } else {
                fail(l.lineNo, QStringLiteral("[data] has no setting \"%1\"").arg(l.left));
            }
        }
        for (const auto& [line, what] : formulas)
            checkFormula(t, line, what);
    }

    static void checkFormula(ReportTemplate& t, const RawLine& l, const QString& what) {
        translateSelection(l.value, t, QStringLiteral("%1 of %2, line %3").arg(what, t.where()).arg(l.lineNo),
                           true);
    }

    void join(ReportTemplate& t, const QString& key, const RawLine& l) {
        static const QRegularExpression onRe(QStringLiteral("\\s+on\\s+"),
                                             QRegularExpression::CaseInsensitiveOption);
        const auto m = onRe.match(l.value);
        const QString tablePart = m.hasMatch() ? l.value.left(m.capturedStart()) : l.value;
        TableUse use = tableUse(t, tablePart, l.lineNo);
        if (key == u"lookup") {
            use.join = TableUse::Lookup;
            if (!m.hasMatch())
                fail(l.lineNo, QStringLiteral("a lookup needs \"on Table.Field = Table.Field\""));
            if (use.def->key.isEmpty())
                fail(l.lineNo,
                     QStringLiteral("a lookup reads a table with a key; %1 has none").arg(use.table));
        } else if (key == u"left join")
            use.join = TableUse::Left;
        else if (key == u"cross join" || !m.hasMatch())
            use.join = TableUse::Cross;
        else
            use.join = TableUse::Inner;
        if (key == u"cross join" && m.hasMatch())
            fail(l.lineNo, QStringLiteral("a cross join has no \"on\""));
        if (key == u"left join" && !m.hasMatch())
            fail(l.lineNo, QStringLiteral("a left join needs \"on Table.Field = Table.Field\""));
        t.tables.append(use);
        if (!m.hasMatch())
            return;
        const QString condition = l.value.mid(m.capturedEnd());
        static const QRegularExpression andRe(QStringLiteral("\\s+and\\s+"),
                                              QRegularExpression::CaseInsensitiveOption);
        for (const QString& part : condition.split(andRe)) {
            const QStringList sides = part.split(u'=');
            if (sides.size() != 2)
                fail(l.lineNo, QStringLiteral("a join is written on Table.Field = Table.Field [and ...]"));
            const int a = resolveField(t, sides[0], l.lineNo);
            const int b = resolveField(t, sides[1], l.lineNo);
            if (kindOf(t.fields[a].column.type) != kindOf(t.fields[b].column.type))
                fail(l.lineNo, QStringLiteral("%1 and %2 hold different kinds of values")
                                   .arg(t.fields[a].display, t.fields[b].display));
            if (use.join == TableUse::Lookup) {
                const int own = int(t.tables.size() - 1);
                if ((t.fields[a].source == own) == (t.fields[b].source == own))
                    fail(l.lineNo, QStringLiteral("a lookup compares a field of %1 with a field of the "
                                                  "tables before it")
                                       .arg(use.name));
            }
            t.tables.last().on.append({a, b});
        }
    }

    void parametersBlock(ReportTemplate& t, const RawBlock& b) {
        for (const RawLine& l : b.lines) {
            static const QRegularExpression id(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
            if (!id.match(l.left).hasMatch() || !l.hasValue)
                fail(l.lineNo, QStringLiteral("a parameter is written Name = date, number or text"));
            if (t.parameter(l.left))
                fail(l.lineNo, QStringLiteral("the parameter %1 is declared twice").arg(l.left));
            const int comma = int(l.value.indexOf(u','));
            const QString type = (comma < 0 ? l.value : l.value.left(comma)).trimmed().toLower();
            ParameterDecl p;
            p.name = l.left;
            if (type == u"date")
                p.kind = ValueKind::Date;
            else if (type == u"number")
                p.kind = ValueKind::Number;
            else if (type == u"text")
                p.kind = ValueKind::Text;
            else
                fail(l.lineNo, QStringLiteral("a parameter is a date, a number or a text"));
            if (comma >= 0) {
                try {
                    p.value = parameterValue(l.value.mid(comma + 1).trimmed(), p.kind, p.name);
                } catch (const ReportError& e) {
                    fail(l.lineNo, e.text());
                }
            }
            t.parameters.push_back(p);
        }
    }

    void formulasBlock(ReportTemplate& t, const RawBlock& b) {
        for (const RawLine& l : b.lines) {
            static const QRegularExpression id(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
            if (!id.match(l.left).hasMatch() || !l.hasValue)
                fail(l.lineNo, QStringLiteral("a formula field is written Name = \"text\""));
            if (t.formula(l.left))
                fail(l.lineNo, QStringLiteral("the formula field %1 is declared twice").arg(l.left));
            auto def = std::make_unique<FormulaDef>();
            def->name = l.left;
            try {
                t.setFormulaText(*def, l.value);
            } catch (const FormulaError& e) {
                fail(l.lineNo, e.text());
            }
            t.formulas.push_back(std::move(def));
        }
    }

    GroupDef& group(ReportTemplate& t, const RawBlock& b) {
        const int f = resolveField(t, b.arg, b.lineNo);
        for (GroupDef& g : t.groups) {
            if (g.field == f)
                return g;
        }
        GroupDef g;
        g.field = f;
        g.display = t.fields[f].display;
        t.groups.append(g);
        return t.groups.last();
    }

    void sectionBlock(ReportTemplate& t, const RawBlock& b, SectionDef& section, bool pageSection) {
        QVector<double> columns = baseColumns_.value(&t, baseColumns_.value(&t.root()));
        QVector<int> aligns = baseAligns_.value(&t, baseAligns_.value(&t.root()));
        for (const RawLine& l : b.lines) {
            const QStringList words = l.left.split(u' ', Qt::SkipEmptyParts);
            const QString key = words.value(0).toLower();
            if (key == u"columns" && words.size() == 1) {
                columns = columnWidths(l);
                continue;
            }
            if (key == u"align" && words.size() == 1) {
                aligns = alignments(l);
                continue;
            }
            LineDef line;
            line.lineNo = l.lineNo;
            line.style = style(words.mid(1), l.lineNo);
            if (key == u"text") {
                line.kind = LineDef::Text;
                line.cells.append(text(t, l.value, l.lineNo));
            } else if (key == u"row") {
                line.kind = LineDef::Row;
                for (const QString& cell : l.value.split(u'|'))
                    line.cells.append(text(t, cell.trimmed(), l.lineNo));
                // Without columns the cells share the width equally.
                const QVector<double> cols =
                    columns.isEmpty() ? QVector<double>(line.cells.size(), 1.0 / double(line.cells.size()))
                                      : columns;
                if (line.cells.size() > cols.size())
                    fail(l.lineNo, QStringLiteral("the row has %1 cells but the columns are %2")
                                       .arg(line.cells.size())
                                       .arg(cols.size()));
                line.columns = cols;
                line.aligns = aligns;
            } else if (key == u"rule" || key == u"space") {
                line.kind = key == u"rule" ? LineDef::Rule : LineDef::Space;
                line.amount = key == u"rule" ? 0.8 : 1.0;
                if (l.hasValue) {
                    bool ok = false;
                    line.amount = l.value.toDouble(&ok);
                    if (!ok || line.amount < 0 || line.amount > 50)
                        fail(l.lineNo, QStringLiteral("%1 takes a number").arg(key));
                }
            } else if (key == u"subreport") {
                if (!t.name.isEmpty())
                    fail(l.lineNo, QStringLiteral("a subreport cannot show another subreport"));
                if (pageSection)
                    fail(l.lineNo,
                         QStringLiteral("a subreport is shown in the report's sections, not in the page "
                                        "header or footer"));
                if (!t.subreport(l.value))
                    fail(l.lineNo, QStringLiteral("there is no [subreport %1] in this file").arg(l.value));
                line.kind = LineDef::Subreport;
                line.subreport = l.value;
            } else {
                fail(l.lineNo, QStringLiteral("a section holds text, row, rule, space, subreport, columns "
                                              "and align lines, not \"%1\"")
                                   .arg(words.value(0)));
            }
            if ((line.kind == LineDef::Text || line.kind == LineDef::Row) && !l.hasValue)
                fail(l.lineNo, QStringLiteral("%1 needs \"= ...\"").arg(key));
            section.lines.append(line);
        }
    }

    LineStyle style(const QStringList& options, int lineNo) const {
        LineStyle s;
        for (const QString& o : options) {
            const QString w = o.toLower();
            if (w == u"bold")
                s.bold = true;
            else if (w == u"italic")
                s.italic = true;
            else if (w == u"underline")
                s.underline = true;
            else if (w == u"small")
                s.scale = 0.85;
            else if (w == u"large")
                s.scale = 1.3;
            else if (w == u"huge")
                s.scale = 1.8;
            else if (w == u"wrap")
                s.wrap = true;
            else if (w == u"suppressblank")
                s.suppressBlank = true;
            else if (w == u"zero")
                s.zero = true;
            else if (w == u"listing")
                s.listing = true;
            else if (int a = alignment(w))
                s.align = a;
            else
                fail(lineNo,
                     QStringLiteral("unknown option \"%1\" (bold, italic, underline, small, large, huge, "
                                    "left, center, right, wrap, suppressblank, zero, listing)")
                         .arg(o));
        }
        return s;
    }

    TextDef text(ReportTemplate& t, const QString& value, int lineNo) {
        TextDef result;
        QString literal;
        auto flush = [&] {
            if (!literal.isEmpty()) {
                Segment s;
                s.text = literal;
                result.segments.append(s);
                literal.clear();
            }
        };
        const int n = int(value.size());
        for (int i = 0; i < n; ++i) {
            const QChar c = value.at(i);
            if (c == u'{' && i + 1 < n && value.at(i + 1) == u'{') {
                literal.append(c);
                ++i;
                continue;
            }
            if (c == u'}' && i + 1 < n && value.at(i + 1) == u'}') {
                literal.append(c);
                ++i;
                continue;
            }
            if (c != u'{') {
                literal.append(c);
                continue;
            }
            const int close = int(value.indexOf(u'}', i + 1));
            if (close < 0)
                fail(lineNo, QStringLiteral("a { is not closed with } (write {{ for the character itself)"));
            flush();
            Segment s = placeholder(t, value.mid(i + 1, close - i - 1).trimmed(), lineNo);
            if (s.kind == Segment::PageNumber || s.kind == Segment::TotalPages)
                result.pageMarks = true;
            result.segments.append(s);
            i = close;
        }
        flush();
        return result;
    }

    Segment placeholder(ReportTemplate& t, const QString& inner, int lineNo) {
        Segment s;
        if (inner.startsWith(u'@')) {
            s.kind = Segment::Formula;
            s.text = inner.mid(1).trimmed();
            if (!t.formula(s.text))
                fail(
                    lineNo,
                    QStringLiteral("there is no formula field %1 (declare it under [formulas])").arg(s.text));
            return s;
        }
        if (inner.startsWith(u'?')) {
            s.kind = Segment::Parameter;
            s.text = inner.mid(1).trimmed();
            if (!t.parameter(s.text))
                fail(lineNo,
                     QStringLiteral("there is no parameter %1 (declare it under [parameters])").arg(s.text));
            return s;
        }
        const QString lower = inner.toLower();
        // {Table.Field:0}: a number with that many decimals (0: none, for a count or an age).
        static const QRegularExpression placesRe(QStringLiteral("^([^:]+\\.[^:]+):\\s*(\\d)$"));
        if (const auto m = placesRe.match(inner); m.hasMatch()) {
            s.kind = Segment::Field;
            s.field = resolveField(t, m.captured(1), lineNo);
            s.places = m.captured(2).toInt();
            if (kindOf(t.fields[s.field].column.type) != ValueKind::Number)
                fail(lineNo, QStringLiteral("{%1} sets decimals; %2 is not a number field")
                                 .arg(inner, t.fields[s.field].display));
            return s;
        }
        const int colon = int(inner.indexOf(u':'));
        if (colon > 0) {
            const QString fn = lower.left(colon).trimmed();
            static const QList<QPair<QString, Segment::Kind>> functions = {
                {QStringLiteral("sum"), Segment::Sum},     {QStringLiteral("count"), Segment::CountOf},
                {QStringLiteral("avg"), Segment::Average}, {QStringLiteral("average"), Segment::Average},
                {QStringLiteral("min"), Segment::Minimum}, {QStringLiteral("max"), Segment::Maximum}};
            for (const auto& [n, kind] : functions) {
                if (n != fn)
                    continue;
                s.kind = kind;
                s.field = resolveField(t, inner.mid(colon + 1), lineNo);
                if ((kind == Segment::Sum || kind == Segment::Average) &&
                    kindOf(t.fields[s.field].column.type) != ValueKind::Number)
                    fail(lineNo, QStringLiteral("%1 adds up numbers; %2 is not a number field")
                                     .arg(fn, t.fields[s.field].display));
                return s;
            }
            fail(lineNo, QStringLiteral("unknown summary \"%1\" (sum, count, avg, min, max)").arg(fn));
        }
        static const QList<QPair<QString, Segment::Kind>> specials = {
            {QStringLiteral("pagenumber"), Segment::PageNumber},
            {QStringLiteral("totalpages"), Segment::TotalPages},
            {QStringLiteral("printdate"), Segment::PrintDate},
            {QStringLiteral("printtime"), Segment::PrintTime},
            {QStringLiteral("recordnumber"), Segment::RecordNumber},
            {QStringLiteral("title"), Segment::Title},
            {QStringLiteral("count"), Segment::Count}};
        for (const auto& [n, kind] : specials) {
            if (n == lower) {
                s.kind = kind;
                return s;
            }
        }
        if (inner.contains(u'.')) {
            s.kind = Segment::Field;
            s.field = resolveField(t, inner, lineNo);
            return s;
        }
        fail(lineNo, QStringLiteral("unknown value {%1}").arg(inner));
    }

    QString fileName_;
    TableLookup lookup_;
    RawTemplate mainRaw_;
    QVector<RawTemplate> subs_;
    QHash<const ReportTemplate*, QVector<double>> baseColumns_;
    QHash<const ReportTemplate*, QVector<int>> baseAligns_;
};

} // namespace

std::unique_ptr<ReportTemplate> parseTemplate(const QString& text, const QString& fileName,
                                              const TableLookup& lookup) {
    return Reader(fileName, lookup).read(text);
}

std::unique_ptr<ReportTemplate> readTemplate(const QString& path, const TableLookup& lookup) {
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (!file.exists())
        throw ReportError(QStringLiteral("The report template %1 cannot be found (%2)").arg(name, path));
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(
            QStringLiteral("The report template %1 cannot be opened: %2").arg(name, file.errorString()));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        throw ReportError(QStringLiteral("The report template %1 is not UTF-8 text").arg(name));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return parseTemplate(text, name, lookup);
}

} // namespace wb::report
