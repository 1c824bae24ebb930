#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

namespace wb {

class Connection;

// A column that a list is ordered by, newest first (descending, ties by the table's key), and that
// the list is searched on with "contains": a register listed by its codes. Matches of a code can
// all come late in that order ("PAT-1" after every "PAT-2" to "PAT-9"), where neither walking the
// list nor sorting every match finds a screenful soon. So the column has a table of its own,
// "<table>_<column>_walk", holding each trigram of each value with the value and the row's key,
// in the list's order for every trigram; triggers keep it in step with the table.
struct OrderedSearchColumn {
    QString table;
    QString column;
    QString key;
};

namespace OrderedSearch {

// Creates the tables (filled from the rows already there) and their triggers.
void create(Connection& con, const QList<OrderedSearchColumn>& columns);

// A list's FROM, WHERE and ORDER BY that walk the rows holding one trigram of the text in the list's
// order, testing each value as it goes.
struct Walk {
    QString from;   // the walk table joined to the searched table (named `qualifier` when given)
    QString filter; // its parameters are appended to `params`
    QString order;
};

// The walk for "column contains text" in a list ordered by `order`, when a table of the column's
// trigrams serves that order and the text holds a trigram; nothing otherwise. The text is matched
// literally and case-insensitively, as TextSearch::contains matches it.
std::optional<Walk> walk(Connection& con, const QString& table, const QString& column, const QString& text,
                         QVariantList& params, const QString& qualifier, const QString& order);

// On the server, a list ordered by a column of its table descending, ties by the key, whose order
// has an index of its own that holds the searched columns ("<table>_<column>_covering"): the rows
// are found and tested in that index, and only those listed are read (the server reads a row before
// it tests it otherwise). The whole query, "select `select` from `table` [`qualifier`] where `where`"
// in that order; nothing where no such index serves the order.
std::optional<QString> coveredList(Connection& con, const QString& select, const QString& table,
                                   const QString& qualifier, const QString& where, const QString& order);

} // namespace OrderedSearch

} // namespace wb
