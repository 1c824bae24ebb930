#include "pagedquery.h"

#include <QRegularExpression>

namespace wb::ui {

namespace {

struct Word {
    int at;
    QString text; // lower case
};

// Skips a quoted text or name starting at i (its quote); returns the index after it.
int skipQuoted(const QString& sql, int i) {
    const QChar quote = sql.at(i);
    for (++i; i < sql.size(); ++i) {
        if (sql.at(i) != quote)
            continue;
        if (i + 1 < sql.size() && sql.at(i + 1) == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return static_cast<int>(sql.size());
}

// The words outside parentheses and quotes, and the places of the top-level commas.
void scan(const QString& sql, int from, int to, QVector<Word>* words, QVector<int>* commas) {
    int depth = 0;
    for (int i = from; i < to;) {
        const QChar ch = sql.at(i);
        if (ch == u'\'' || ch == u'"') {
            i = skipQuoted(sql, i);
        } else if (ch == u'(') {
            ++depth, ++i;
        } else if (ch == u')') {
            --depth, ++i;
        } else if (depth == 0 && ch == u',' && commas) {
            commas->append(i++);
        } else if (ch.isLetter() || ch == u'_') {
            const int start = i;
            while (i < to && (sql.at(i).isLetterOrNumber() || sql.at(i) == u'_' || sql.at(i) == u'.'))
                ++i;
            if (depth == 0 && words)
                words->append({start, sql.mid(start, i - start).toLower()});
        } else {
            ++i;
        }
    }
}

// The pieces of sql[from, to) between top-level commas.
QStringList splitList(const QString& sql, int from, int to) {
    QVector<int> commas;
    scan(sql, from, to, nullptr, &commas);
    commas.append(to);
    QStringList parts;
    for (int c : commas) {
        parts << sql.mid(from, c - from).trimmed();
        from = c + 1;
    }
    return parts;
}

// Placeholders in sql[0, to) outside quotes.
int placeholders(const QString& sql, int to) {
    int n = 0;
    for (int i = 0; i < to;) {
        if (sql.at(i) == u'\'' || sql.at(i) == u'"') {
            i = skipQuoted(sql, i);
            continue;
        }
        n += sql.at(i++) == u'?';
    }
    return n;
}

// A select item's expression and the name its column has in the result.
struct Item {
    QString expr;
    QString name;
};

Item selectItem(const QString& text) {
    static const QRegularExpression aliased(QStringLiteral("^(.*\\S)\\s+as\\s+(\\w+)$"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression column(QStringLiteral("^(?:\\w+\\.)?(\\w+)$"));
    if (const auto m = aliased.match(text); m.hasMatch())
        return {m.captured(1), m.captured(2)};
    if (const auto m = column.match(text); m.hasMatch())
        return {text, m.captured(1)};
    return {text, {}};
}

} // namespace

PagedQuery::PagedQuery(const QString& sql, const QVariantList& params, Engine engine)
    : sql_(sql), params_(params), engine_(engine) {
    QVector<Word> words;
    scan(sql, 0, static_cast<int>(sql.size()), &words, nullptr);
    for (int i = 0; i + 1 < words.size(); ++i)
        if (words[i].text == u"order" && words[i + 1].text == u"by")
            orderAt_ = words[i].at;
    if (orderAt_ == 0)
        return;
    bool keyed =
        !words.isEmpty() && words[0].text == u"select" && words.size() > 1 && words[1].text != u"distinct";
    fromAt_ = -1;
    for (const Word& w : words) {
        if (w.at > orderAt_ &&
            (w.text == u"limit" || w.text == u"offset" || w.text == u"nulls" || w.text == u"collate"))
            keyed = false;
        if (w.at > orderAt_)
            continue;
        if (fromAt_ < 0 && w.text == u"from")
            fromAt_ = w.at;
        else if (fromAt_ >= 0 && whereAt_ < 0 && w.text == u"where")
            whereAt_ = w.at + 5;
        else if (w.text == u"group" || w.text == u"having" || w.text == u"union" || w.text == u"intersect" ||
                 w.text == u"except" || w.text == u"window" || w.text == u"limit")
            keyed = false;
    }
    if (!keyed || fromAt_ < 0)
        return;
    QVector<Item> items;
    for (const QString& part : splitList(sql, words[0].at + 6, fromAt_))
        items << selectItem(part);
    static const QRegularExpression direction(QStringLiteral("\\s+(asc|desc)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression ordinal(QStringLiteral("^\\d+$"));
    static const QRegularExpression name(QStringLiteral("^\\w+$"));
    QVector<Term> terms;
    for (QString part : splitList(sql, orderAt_ + 8, static_cast<int>(sql.size()))) {
        Term t;
        if (const auto m = direction.match(part); m.hasMatch()) {
            t.desc = m.captured(1).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
            part.chop(m.capturedLength());
        }
        t.expr = part.trimmed();
        // Output names and positions mean the select item (ORDER BY reads them first).
        if (ordinal.match(t.expr).hasMatch()) {
            const int n = t.expr.toInt();
            if (n < 1 || n > items.size())
                return;
            t.expr = items[n - 1].expr;
        } else if (name.match(t.expr).hasMatch()) {
            for (const Item& item : items)
                if (item.name.compare(t.expr, Qt::CaseInsensitive) == 0) {
                    t.expr = item.expr;
                    break;
                }
        }
        if (t.expr.isEmpty() || t.expr.contains(u'?'))
            return;
        terms << t;
    }
    terms_ = terms;
    paramsBefore_ = placeholders(sql, whereAt_ >= 0 ? whereAt_ : orderAt_);
}

QString PagedQuery::withKeys() const {
    QString keys;
    for (int i = 0; i < terms_.size(); ++i)
        keys += QStringLiteral(", %1 AS wb_key%2").arg(terms_[i].expr).arg(i);
    return sql_.left(fromAt_).trimmed() + keys + u' ';
}

QString PagedQuery::first(int count, QVariantList& params) const {
    params = params_;
    if (terms_.isEmpty())
        return QStringLiteral("%1 LIMIT %2").arg(sql_).arg(count);
    return QStringLiteral("%1%2 LIMIT %3").arg(withKeys(), sql_.mid(fromAt_)).arg(count);
}

bool PagedQuery::nullsFirst(int term) const {
    return (engine_ == Engine::Sqlite) != terms_[term].desc;
}

bool PagedQuery::nullsApart(const QVector<QVariant>& last) const {
    return !terms_.isEmpty() && !last[0].isNull() && !nullsFirst(0);
}

QString PagedQuery::condition(const QVector<QVariant>& last, QVariantList& values) const {
    // From the last term back: "after this term, or equal on it and after on the rest". The
    // engine's place for a Null (first when ascending on the embedded engine, last on the server)
    // decides what comes after a Null and whether a Null comes after a value. The Nulls of a first
    // term that come after its values are read apart (see afterNulls), so here only its values are.
    const bool apart = nullsApart(last);
    QString rest;
    for (int i = static_cast<int>(terms_.size()) - 1; i >= 0; --i) {
        const Term& t = terms_[i];
        const bool first = nullsFirst(i) || (i == 0 && apart);
        const QString op = t.desc ? QStringLiteral("<") : QStringLiteral(">");
        QString after;
        QString equal;
        QVariantList afterValues;
        QVariantList equalValues;
        if (last[i].isNull()) {
            after = first ? QStringLiteral("%1 IS NOT NULL").arg(t.expr) : QStringLiteral("1=0");
            equal = QStringLiteral("%1 IS NULL").arg(t.expr);
        } else {
            after = first ? QStringLiteral("%1 %2 ?").arg(t.expr, op)
                          : QStringLiteral("(%1 %2 ? OR %1 IS NULL)").arg(t.expr, op);
            afterValues << last[i];
            equal = QStringLiteral("%1 = ?").arg(t.expr);
            equalValues << last[i];
        }
        if (rest.isEmpty()) {
            rest = after;
            values = afterValues;
        } else {
            rest = QStringLiteral("(%1 OR (%2 AND %3))").arg(after, equal, rest);
            values = afterValues + equalValues + values;
        }
    }
    // The first term, when it is no Null and its Nulls are not among the rows asked for, bounds the
    // rows from below, so an index on it starts at the last row read (the engine also takes the bound
    // into a compound select's parts). The leading terms that are no Null and run its way with their
    // Nulls before their values bound them once more as one row value, so an index over them starts
    // there also inside a long run of ties on the first term. A later row with a Null among them
    // after a greater value before it still passes: the comparison is decided before the Null.
    const bool desc = terms_[0].desc;
    int bound = 0;
    if (!last[0].isNull() && (apart || nullsFirst(0))) {
        bound = 1;
        while (bound < terms_.size() && !last[bound].isNull() && terms_[bound].desc == desc &&
               nullsFirst(bound))
            ++bound;
    }
    const QString op = desc ? QStringLiteral("<=") : QStringLiteral(">=");
    if (bound > 1) {
        QStringList exprs;
        QStringList marks;
        QVariantList lows;
        for (int i = 0; i < bound; ++i) {
            exprs << terms_[i].expr;
            marks << QStringLiteral("?");
            lows << last[i];
        }
        rest = QStringLiteral("(%1) %2 (%3) AND %4")
                   .arg(exprs.join(QStringLiteral(", ")), op, marks.join(QStringLiteral(", ")), rest);
        values = lows + values;
    }
    if (bound > 0) {
        rest = QStringLiteral("%1 %2 ? AND %3").arg(terms_[0].expr, op, rest);
        values.prepend(last[0]);
    }
    return rest;
}

QString PagedQuery::keyed(const QString& cond, const QVariantList& values, int count,
                          QVariantList& params) const {
    params = params_.mid(0, paramsBefore_) + values + params_.mid(paramsBefore_);
    QString sql = withKeys();
    if (whereAt_ >= 0)
        sql += QStringLiteral("%1 (%2) AND (%3) ")
                   .arg(sql_.mid(fromAt_, whereAt_ - fromAt_).trimmed(), cond,
                        sql_.mid(whereAt_, orderAt_ - whereAt_).trimmed());
    else
        sql += QStringLiteral("%1 WHERE %2 ").arg(sql_.mid(fromAt_, orderAt_ - fromAt_).trimmed(), cond);
    return QStringLiteral("%1%2 LIMIT %3").arg(sql, sql_.mid(orderAt_)).arg(count);
}

QString PagedQuery::after(const QVector<QVariant>& last, int read, int count, QVariantList& params) const {
    if (terms_.isEmpty()) {
        params = params_;
        return QStringLiteral("%1 LIMIT %2 OFFSET %3").arg(sql_).arg(count).arg(read);
    }
    QVariantList values;
    const QString cond = condition(last, values);
    return keyed(cond, values, count, params);
}

QString PagedQuery::afterNulls(const QVector<QVariant>& last, int count, QVariantList& params) const {
    if (!nullsApart(last))
        return {};
    return keyed(QStringLiteral("%1 IS NULL").arg(terms_[0].expr), {}, count, params);
}

QString PagedQuery::count() const {
    return QStringLiteral("select count(*) from (%1) counted").arg(sql_);
}

} // namespace wb::ui
