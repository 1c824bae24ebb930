#include "renderer.h"

#include "data/connection.h"

#include <QFontMetricsF>
#include <QHash>
#include <QSqlQuery>
#include <cmath>

namespace wb::report {

namespace {

QDate toDate(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QDateTime toDateTime(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    QString s = v.toString();
    if (s.size() > 10 && s.at(10) == u' ')
        s[10] = u'T';
    return QDateTime::fromString(s, Qt::ISODate);
}

QString numberText(double d, int places) {
    return QString::number(d, 'f', places);
}

} // namespace

QString formatValue(const QVariant& v, const Column& column) {
    if (!v.isValid() || v.isNull())
        return {};
    switch (column.type) {
    case ColType::Integer: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        return ok ? QString::number(n) : v.toString();
    }
    case ColType::Decimal:
    case ColType::Double: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? numberText(d, column.type == ColType::Decimal ? column.scale : 2) : v.toString();
    }
    case ColType::Date: {
        const QDate d = toDate(v);
        return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : v.toString();
    }
    case ColType::Timestamp: {
        const QDateTime d = toDateTime(v);
        return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy hh:mm")) : v.toString();
    }
    case ColType::Time: {
        const QTime t =
            v.typeId() == QMetaType::QTime ? v.toTime() : QTime::fromString(v.toString(), Qt::ISODate);
        return t.isValid() ? t.toString(QStringLiteral("hh:mm")) : v.toString();
    }
    case ColType::Text:
        break;
    }
    return v.toString();
}

ReportQuery buildQuery(const ReportTemplate& t) {
    ReportQuery q;
    QStringList select;
    for (const ResolvedField& f : t.fields)
        select << f.sql;
    if (select.isEmpty())
        select << QStringLiteral("1");
    q.sql = QStringLiteral("SELECT ") + select.join(QStringLiteral(", "));
    for (const TableUse& use : t.tables) {
        switch (use.join) {
        case TableUse::From:
            q.sql += QStringLiteral(" FROM %1 %2").arg(use.table, use.alias);
            continue;
        case TableUse::Cross:
            q.sql += QStringLiteral(" CROSS JOIN %1 %2").arg(use.table, use.alias);
            continue;
        case TableUse::Inner:
            q.sql += QStringLiteral(" JOIN %1 %2 ON ").arg(use.table, use.alias);
            break;
        case TableUse::Left:
            q.sql += QStringLiteral(" LEFT JOIN %1 %2 ON ").arg(use.table, use.alias);
            break;
        case TableUse::Lookup: {
            // At most one row: the match with the lowest key, so no row of the report is repeated.
            const QString inner = use.alias + QStringLiteral("l");
            QStringList match;
            for (const auto& [a, b] : use.on) {
                const bool ownFirst = t.fields.at(a).source == int(&use - t.tables.data());
                const ResolvedField& own = t.fields.at(ownFirst ? a : b);
                const ResolvedField& other = t.fields.at(ownFirst ? b : a);
                match << QStringLiteral("%1.%2 = %3").arg(inner, own.column.name, other.sql);
            }
            q.sql += QStringLiteral(" LEFT JOIN %1 %2 ON %2.%3 = (SELECT MIN(%4.%3) FROM %1 %4 WHERE %5)")
                         .arg(use.table, use.alias, use.def->key, inner, match.join(QStringLiteral(" AND ")));
            continue;
        }
        }
        QStringList on;
        for (const auto& [a, b] : use.on)
            on << QStringLiteral("%1 = %2").arg(t.fields.at(a).sql, t.fields.at(b).sql);
        q.sql += on.join(QStringLiteral(" AND "));
    }
    QStringList where;
    const SqlFilter filter = translateSelection(t.filter, t, QStringLiteral("Filter of %1").arg(t.where()));
    if (!filter.isEmpty()) {
        where << filter.sql;
        q.values += filter.values;
    }
    const SqlFilter selection = translateSelection(
        t.activeSelection(), t, QStringLiteral("Record selection formula of %1").arg(t.where()));
    if (!selection.isEmpty()) {
        where << selection.sql;
        q.values += selection.values;
    }
    if (!where.isEmpty())
        q.sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    // Rows without a value come after the others, in either direction and on both engines.
    QStringList order;
    for (const GroupDef& g : t.groups)
        order << t.fields.at(g.field).sql + QStringLiteral(" NULLS LAST");
    for (const OrderDef& o : t.order)
        order << t.fields.at(o.field).sql +
                     (o.descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS LAST"));
    if (!order.isEmpty())
        q.sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return q;
}

namespace {

// The rows of a report, one value per field of its template.
struct Rows {
    int columns = 1;
    int count = 0;
    QVector<QVariant> cells;
    const QVariant& at(int row, int column) const { return cells.at(qsizetype(row) * columns + column); }
};

Rows fetch(const ReportTemplate& t, Connection& con) {
    const ReportQuery q = buildQuery(t);
    QSqlQuery query = con.query(q.sql, q.values);
    Rows rows;
    rows.columns = std::max<int>(1, int(t.fields.size()));
    while (query.next()) {
        for (int c = 0; c < rows.columns; ++c)
            rows.cells.append(query.value(c));
        ++rows.count;
    }
    return rows;
}

// Where a section is drawn: which report, which row, and the rows its summaries count.
struct Context {
    const ReportTemplate* t = nullptr;
    const Rows* rows = nullptr;
    int row = -1; // -1: no row (a report without rows)
    int from = 0; // summaries count rows from..to-1
    int to = 0;
    int recordNumber = 0;
};

struct Line {
    double height = 0;
    QVector<TextItem> texts; // y relative to the line's top
    QVector<RuleItem> rules;
};

class Layouter {
public:
    Layouter(const ReportTemplate& main, Connection& con, const QDateTime& now)
        : main_(main), con_(con), now_(now), doc_(std::make_shared<Document>()) {
        doc_->title = main.title.isEmpty() ? main.fileName : main.title;
        doc_->record = main.record;
        doc_->pageSize = main.pageSize;
        doc_->orientation = main.orientation;
        const QSizeF page = doc_->pageSizeUnits();
        const QMarginsF m = main.marginsMm * kUnitsPerMm;
        left_ = m.left();
        top_ = m.top();
        width_ = page.width() - m.left() - m.right();
        bottom_ = page.height() - m.bottom();
        if (width_ < kUnitsPerInch || bottom_ - top_ < kUnitsPerInch)
            throw ReportError(
                QStringLiteral("The margins of %1 leave no room on the page").arg(main.fileName));
    }

    std::shared_ptr<Document> run() {
        const Rows rows = fetch(main_, con_);
        const int n = rows.count;
        const Context whole{&main_, &rows, n ? 0 : -1, 0, n, 0};
        last_ = whole;
        double footer = 0;
        for (const LineDef& def : main_.pageFooter.lines)
            footer += layout(def, whole).height;
        bodyBottom_ = bottom_ - footer;
        if (bodyBottom_ - top_ < kUnitsPerInch)
            throw ReportError(
                QStringLiteral("The page footer of %1 leaves no room on the page").arg(main_.fileName));

        startPage();
        emitSection(main_.reportHeader, whole);
        pageHeaderOn_ = true;
        pageHeader();
        body(main_, rows);
        emitSection(main_.reportFooter, Context{&main_, &rows, n - 1, 0, n, n});
        finishPage();
        return doc_;
    }

private:
    // ---- pages

    void startPage() {
        doc_->pages.append(Page());
        y_ = top_;
        pageHasBody_ = false;
        if (pageHeaderOn_)
            pageHeader();
    }

    void pageHeader() {
        for (const LineDef& def : main_.pageHeader.lines) {
            if (def.kind != LineDef::Subreport)
                put(layout(def, last_));
        }
    }

    void finishPage() {
        QVector<Line> lines;
        double height = 0;
        for (const LineDef& def : main_.pageFooter.lines) {
            if (def.kind == LineDef::Subreport)
                continue;
            lines.append(layout(def, last_));
            height += lines.last().height;
        }
        y_ = bottom_ - height;
        for (const Line& line : lines)
            put(line);
    }

    void newPage() {
        finishPage();
        startPage();
    }

    void put(const Line& line) {
        Page& page = doc_->pages.last();
        for (TextItem item : line.texts) {
            item.pos.ry() += y_;
            page.texts.append(item);
        }
        for (RuleItem rule : line.rules) {
            rule.line.translate(0, y_);
            page.rules.append(rule);
        }
        y_ += line.height;
    }

    // Keeps the lines of one section together on a page when they fit on one.
    void place(const QVector<Line>& band) {
        double height = 0;
        for (const Line& line : band)
            height += line.height;
        if (band.isEmpty())
            return;
        if (y_ + height > bodyBottom_ && pageHasBody_)
            newPage();
        for (const Line& line : band) {
            if (y_ + line.height > bodyBottom_ && pageHasBody_)
                newPage();
            put(line);
            pageHasBody_ = true;
        }
    }

    // ---- sections

    void emitSection(const SectionDef& section, const Context& ctx) {
        if (section.isEmpty())
            return;
        if (ctx.t == &main_)
            last_ = ctx;
        QVector<Line> band;
        for (const LineDef& def : section.lines) {
            if (def.kind == LineDef::Subreport) {
                place(band);
                band.clear();
                subreport(*ctx.t->subreport(def.subreport));
                continue;
            }
            band.append(layout(def, ctx));
        }
        place(band);
    }

    void body(const ReportTemplate& t, const Rows& rows) {
        const int n = rows.count;
        const int groups = int(t.groups.size());
        QVector<int> start(groups, 0);
        for (int r = 0; r < n; ++r) {
            int changed = groups;
            if (r == 0) {
                changed = 0;
            } else {
                for (int g = 0; g < groups; ++g) {
                    const int f = t.groups.at(g).field;
                    if (rows.at(r, f) != rows.at(r - 1, f)) {
                        changed = g;
                        break;
                    }
                }
                for (int g = groups - 1; g >= changed; --g)
                    emitSection(t.groups.at(g).footer, Context{&t, &rows, r - 1, start[g], r, r});
            }
            for (int g = changed; g < groups; ++g) {
                start[g] = r;
                emitSection(t.groups.at(g).header, Context{&t, &rows, r, r, groupEnd(t, rows, g, r), r + 1});
            }
            emitSection(t.detail, Context{&t, &rows, r, 0, n, r + 1});
        }
        if (n > 0) {
            for (int g = groups - 1; g >= 0; --g)
                emitSection(t.groups.at(g).footer, Context{&t, &rows, n - 1, start[g], n, n});
        }
    }

    static int groupEnd(const ReportTemplate& t, const Rows& rows, int level, int first) {
        int r = first + 1;
        for (; r < rows.count; ++r) {
            for (int g = 0; g <= level; ++g) {
                const int f = t.groups.at(g).field;
                if (rows.at(r, f) != rows.at(first, f))
                    return r;
            }
        }
        return r;
    }

    void subreport(const ReportTemplate& sub) {
        auto it = subRows_.find(&sub);
        if (it == subRows_.end())
            it = subRows_.insert(&sub, fetch(sub, con_));
        const Rows& rows = it.value();
        const int n = rows.count;
        emitSection(sub.reportHeader, Context{&sub, &rows, n ? 0 : -1, 0, n, 0});
        body(sub, rows);
        emitSection(sub.reportFooter, Context{&sub, &rows, n - 1, 0, n, n});
    }

    // ---- lines

    struct FontEntry {
        QString key;
        QFontMetricsF metrics;
    };

    int font(const ReportTemplate& t, const LineStyle& style) {
        const ReportTemplate& owner = t.parent ? *t.parent : t;
        const int pixels = std::max(10, int(std::lround(owner.fontSize * 10 * style.scale)));
        const QString key = QStringLiteral("%1|%2|%3%4%5")
                                .arg(owner.fontFamily)
                                .arg(pixels)
                                .arg(int(style.bold))
                                .arg(int(style.italic))
                                .arg(int(style.underline));
        for (int i = 0; i < int(fonts_.size()); ++i) {
            if (fonts_.at(i).key == key)
                return i;
        }
        QFont f(owner.fontFamily);
        f.setPixelSize(pixels);
        f.setBold(style.bold);
        f.setItalic(style.italic);
        f.setUnderline(style.underline);
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setKerning(false);
        doc_->fonts.append(f);
        fonts_.push_back(FontEntry{key, QFontMetricsF(f)});
        return int(fonts_.size() - 1);
    }

    Line layout(const LineDef& def, const Context& ctx) {
        Line line;
        if ((def.style.listing && !main_.record.isEmpty()) || (def.style.suppressBlank && blank(def, ctx)))
            return line; // left out: takes no room

        const int fi =
            font(*ctx.t, def.kind == LineDef::Space || def.kind == LineDef::Rule ? LineStyle() : def.style);
        const QFontMetricsF& fm = fonts_.at(fi).metrics;
        const double spacing = fm.lineSpacing();
        switch (def.kind) {
        case LineDef::Space:
            line.height = spacing * def.amount;
            return line;
        case LineDef::Rule: {
            const double pen = def.amount * 10;
            line.height = spacing * 0.5 + pen;
            const double y = line.height / 2;
            line.rules.append(RuleItem{QLineF(left_, y, left_ + width_, y), pen});
            return line;
        }
        case LineDef::Text: {
            const int align = def.style.align ? def.style.align : int(Qt::AlignLeft);
            const int count =
                cell(line, def.cells.at(0), ctx, fi, left_, width_, align, true, def.style.zero);
            line.height = spacing * count;
            return line;
        }
        case LineDef::Row: {
            int lines = 1;
            double x = left_;
            const int cells = int(def.cells.size());
            for (int i = 0; i < cells; ++i) {
                double fraction = def.columns.at(i);
                if (i == cells - 1) {
                    for (int j = i + 1; j < def.columns.size(); ++j)
                        fraction += def.columns.at(j);
                }
                const double w = fraction * width_;
                const int align = def.style.align ? def.style.align : def.aligns.value(i, Qt::AlignLeft);
                const double pad = std::min(20.0, w / 8);
                lines = std::max(lines, cell(line, def.cells.at(i), ctx, fi, x + pad, w - 2 * pad, align,
                                             def.style.wrap, def.style.zero));
                x += w;
            }
            line.height = spacing * lines;
            return line;
        }
        case LineDef::Subreport:
            break;
        }
        return line;
    }

    // Lays out one cell's text in [x, x + w); returns the number of lines it takes.
    int cell(Line& line, const TextDef& content, const Context& ctx, int fi, double x, double w, int align,
             bool wrap, bool zero) {
        const QFontMetricsF& fm = fonts_.at(fi).metrics;
        const double ascent = fm.ascent();
        QString s = text(content, ctx, zero);
        if (content.pageMarks) {
            TextItem item;
            item.pos = QPointF(x, ascent);
            item.width = w;
            item.text = s;
            item.font = quint16(fi);
            item.align = quint8(align);
            item.pageMarks = true;
            line.texts.append(item);
            return 1;
        }
        QStringList parts;
        if (wrap) {
            parts = wrapLines(s, fm, w);
        } else {
            s.replace(u'\n', u' ');
            parts << s;
        }
        for (int i = 0; i < parts.size(); ++i) {
            QString part = parts.at(i);
            if (part.isEmpty())
                continue;
            double advance = fm.horizontalAdvance(part);
            if (advance > w) {
                part = fm.elidedText(part, Qt::ElideRight, w);
                advance = fm.horizontalAdvance(part);
            }
            double px = x;
            if (align == Qt::AlignRight)
                px = x + w - advance;
            else if (align == Qt::AlignHCenter)
                px = x + (w - advance) / 2;
            TextItem item;
            item.pos = QPointF(px, ascent + i * fm.lineSpacing());
            item.text = part;
            item.font = quint16(fi);
            line.texts.append(item);
        }
        return std::max<int>(1, int(parts.size()));
    }

    static QStringList wrapLines(const QString& text, const QFontMetricsF& fm, double width) {
        QStringList out;
        for (const QString& paragraph : text.split(u'\n')) {
            if (fm.horizontalAdvance(paragraph) <= width) {
                out << paragraph;
                continue;
            }
            QString line;
            for (const QString& word : paragraph.split(u' ')) {
                const QString candidate = line.isEmpty() ? word : line + u' ' + word;
                if (fm.horizontalAdvance(candidate) <= width) {
                    line = candidate;
                    continue;
                }
                if (!line.isEmpty())
                    out << line;
                QString rest = word;
                while (rest.size() > 1 && fm.horizontalAdvance(rest) > width) {
                    qsizetype k = rest.size() - 1;
                    while (k > 1 && fm.horizontalAdvance(rest.left(k)) > width)
                        --k;
                    out << rest.left(k);
                    rest = rest.mid(k);
                }
                line = rest;
            }
            out << line;
        }
        return out;
    }

    // ---- values

    // Whether a line shows fields and every one of them is empty.
    bool blank(const LineDef& def, const Context& ctx) const {
        int fields = 0;
        for (const TextDef& cell : def.cells) {
            for (const Segment& s : cell.segments) {
                QString value;
                if (s.kind == Segment::Field)
                    value = field(s, ctx, false);
                else if (s.kind == Segment::Formula)
                    value = formula(*ctx.t->formula(s.text), ctx);
                else if (s.kind == Segment::Parameter)
                    value = parameter(*ctx.t, s.text);
                else
                    continue;
                ++fields;
                if (!value.trimmed().isEmpty())
                    return false;
            }
        }
        return fields > 0;
    }

    // A field of the current row; with `zero`, a number field without a value shows as zero.
    static QString field(const Segment& s, const Context& ctx, bool zero) {
        const Column& column = ctx.t->fields.at(s.field).column;
        QVariant v = ctx.row >= 0 ? ctx.rows->at(ctx.row, s.field) : QVariant();
        const bool number = kindOf(column.type) == ValueKind::Number;
        if (zero && number && (!v.isValid() || v.isNull()))
            v = 0;
        if (s.places >= 0 && number && v.isValid() && !v.isNull())
            return numberText(v.toDouble(), s.places);
        return formatValue(v, column);
    }

    QString text(const TextDef& content, const Context& ctx, bool zero = false) const {
        QString out;
        for (const Segment& s : content.segments) {
            switch (s.kind) {
            case Segment::Literal:
                out += s.text;
                break;
            case Segment::Field:
                out += field(s, ctx, zero);
                break;
            case Segment::Formula:
                out += formula(*ctx.t->formula(s.text), ctx);
                break;
            case Segment::Parameter:
                out += parameter(*ctx.t, s.text);
                break;
            case Segment::PageNumber:
                out += kPageNumberMark;
                break;
            case Segment::TotalPages:
                out += kPageCountMark;
                break;
            case Segment::PrintDate:
                out += now_.date().toString(QStringLiteral("dd/MM/yyyy"));
                break;
            case Segment::PrintTime:
                out += now_.time().toString(QStringLiteral("hh:mm"));
                break;
            case Segment::RecordNumber:
                out += QString::number(ctx.recordNumber);
                break;
            case Segment::Title:
                out += main_.title;
                break;
            case Segment::Count:
                out += QString::number(ctx.to - ctx.from);
                break;
            default:
                out += summary(s, ctx);
                break;
            }
        }
        return out;
    }

    QString formula(const FormulaDef& def, const Context& ctx) const {
        QString out;
        for (const DisplayTerm& term : def.terms) {
            switch (term.kind) {
            case DisplayTerm::Literal:
                out += term.text;
                break;
            case DisplayTerm::Field:
                if (ctx.row >= 0)
                    out += formatValue(ctx.rows->at(ctx.row, term.fieldIndex), term.field.column);
                break;
            case DisplayTerm::Parameter:
                out += parameter(*ctx.t, term.text);
                break;
            }
        }
        return out;
    }

    static QString parameter(const ReportTemplate& t, const QString& name) {
        const ParameterDecl* p = t.parameter(name);
        if (!p || p->value.isNull())
            return {};
        if (p->value.typeId() == QMetaType::QDate)
            return p->value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        return p->value.toString();
    }

    static QString summary(const Segment& s, const Context& ctx) {
        const Column& column = ctx.t->fields.at(s.field).column;
        const bool numeric = kindOf(column.type) == ValueKind::Number;
        int count = 0;
        double sum = 0;
        qlonglong whole = 0;
        QVariant best;
        for (int r = ctx.from; r < ctx.to; ++r) {
            const QVariant& v = ctx.rows->at(r, s.field);
            if (v.isNull())
                continue;
            ++count;
            if (s.kind == Segment::Sum || s.kind == Segment::Average) {
                sum += v.toDouble();
                whole += v.toLongLong();
            } else if (s.kind == Segment::Minimum || s.kind == Segment::Maximum) {
                if (!best.isValid()) {
                    best = v;
                    continue;
                }
                const bool less = numeric ? v.toDouble() < best.toDouble() : v.toString() < best.toString();
                const bool greater =
                    numeric ? v.toDouble() > best.toDouble() : v.toString() > best.toString();
                if ((s.kind == Segment::Minimum && less) || (s.kind == Segment::Maximum && greater))
                    best = v;
            }
        }
        switch (s.kind) {
        case Segment::CountOf:
            return QString::number(count);
        case Segment::Sum:
            if (column.type == ColType::Integer)
                return QString::number(whole);
            return numberText(sum, column.type == ColType::Decimal ? column.scale : 2);
        case Segment::Average:
            if (count == 0)
                return {};
            return numberText(sum / count, std::max(2, column.type == ColType::Decimal ? column.scale : 2));
        default:
            return formatValue(best, column);
        }
    }

    const ReportTemplate& main_;
    Connection& con_;
    QDateTime now_;
    std::shared_ptr<Document> doc_;
    std::vector<FontEntry> fonts_;
    QHash<const ReportTemplate*, Rows> subRows_;
    Context last_;
    double left_ = 0, top_ = 0, width_ = 0, bottom_ = 0, bodyBottom_ = 0;
    double y_ = 0;
    bool pageHasBody_ = false;
    bool pageHeaderOn_ = false;
};

} // namespace

std::shared_ptr<Document> renderReport(const ReportTemplate& t, Connection& con, const QDateTime& now) {
    return Layouter(t.root(), con, now).run();
}

} // namespace wb::report
