#pragma once

#include "data/dialect.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

namespace wb::ui {

// A bound grid's query, read a page at a time by key: every page after the first starts after the
// last row read, in the query's order, so a page far down costs what the first one costs. The
// values of the order's terms are read with each row (as extra columns at the end of the select
// list), and the next page asks for the rows after them. A query the key cannot page (grouped,
// DISTINCT, a compound select, its own LIMIT) is read by offset instead.
//
// A query longer than its first page must end in ORDER BY, and its order must be total: two rows read with
// equal order values mean the order is not, and the grid refuses the list (see FlexModel).
class PagedQuery {
public:
    PagedQuery() = default;
    PagedQuery(const QString& sql, const QVariantList& params, Engine engine);

    // Whether the query ends in ORDER BY (one without cannot be read a page at a time).
    bool ordered() const { return orderAt_ > 0; }
    // The order terms' values are read with the rows (the last keyCount() columns); 0 when the
    // query is read by offset.
    int keyCount() const { return static_cast<int>(terms_.size()); }
    // The first `count` rows.
    QString first(int count, QVariantList& params) const;
    // The `count` rows after the row whose order values are `last` (by offset: after `read` rows).
    // Where the first term's Nulls come after its values (ascending on the server, descending on the
    // embedded engine) and `last` has a value there, these are the rows with a value only, so that an
    // index on the term serves them; the rows with its Null follow, read by afterNulls.
    QString after(const QVector<QVariant>& last, int read, int count, QVariantList& params) const;
    // The first `count` rows whose first term is Null, when they follow those after() reads; empty
    // when after() reads them itself.
    QString afterNulls(const QVector<QVariant>& last, int count, QVariantList& params) const;
    // The whole result's row count (its values are params()).
    QString count() const;
    const QVariantList& params() const { return params_; }

private:
    struct Term {
        QString expr;
        bool desc = false;
    };
    QString withKeys() const;
    QString condition(const QVector<QVariant>& last, QVariantList& values) const;
    QString keyed(const QString& cond, const QVariantList& values, int count, QVariantList& params) const;
    bool nullsFirst(int term) const;
    bool nullsApart(const QVector<QVariant>& last) const;

    QString sql_;
    QVariantList params_;
    Engine engine_ = Engine::Sqlite;
    QVector<Term> terms_;
    int fromAt_ = 0;       // the top-level FROM
    int whereAt_ = -1;     // just after the top-level WHERE, when there is one
    int orderAt_ = 0;      // the top-level ORDER BY
    int paramsBefore_ = 0; // placeholders before where the key condition goes
};

} // namespace wb::ui
