#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace wb {

class Connection;

// Columns of one table whose contains-searches an index serves: on the embedded engine one FTS5
// trigram table per column ("<table>_<column>_search", kept in step by triggers, with the list of
// its trigrams "<table>_<column>_terms"), on PostgreSQL a pg_trgm GIN index per column and a GIN
// index of the column's characters and pairs of characters.
struct SearchIndex {
    QString table;
    QStringList columns;
};

namespace TextSearch {

// Creates the indexes (and fills them from the rows already there).
void createIndexes(Connection& con, const QList<SearchIndex>& indexes);

// Drops and makes again the embedded engine's indexes (a later form of the same index).
void recreateSqliteIndexes(Connection& con, const QList<SearchIndex>& indexes);

// Brings indexes an earlier step made to their present form: the embedded engine's are made again,
// the server's pair indexes added where missing.
void upgradeIndexes(Connection& con, const QList<SearchIndex>& indexes);

// Whether a migration gave `column` of `table` a search index.
bool isIndexed(const QString& table, const QString& column);

// "column contains text", case-insensitive, for a search box: the text is matched literally
// (%, _ and \ are no wildcards) and reaches SQL only as bound values, appended to `params`.
// `qualifier` is the table's alias in the query, if any. Where an index serves the column, the
// filter goes through the index while the matches are few, since many matches are found faster by
// walking the rows in the query's order; a short look at the table's first rows tells which (on
// PostgreSQL for three characters and more the planner decides). `order` is the list's ORDER BY
// when it runs over the table's own columns: matches that are many but lie late in it are found
// through the index.
QString contains(Connection& con, const QString& table, const QString& column, const QString& text,
                 QVariantList& params, const QString& qualifier = {}, const QString& order = {});

// Whether a filter `contains` gave finds the matching rows first, by their places (on the server),
// rather than testing the rows a list walks.
bool findsMatchesFirst(const QString& filter);

// Whether many rows hold the text (Probe of the table's first rows as they lie), so that a list in an
// order of its own, unrelated to the column, finds a screenful of them soon by walking that order.
// `reach` widens the look for a walk whose rows cost less than the matches the index reads and
// sorts (by the square root of the inverse of that share: the walk's rows fall as the matches grow).
bool manyMatches(Connection& con, const QString& table, const QString& column, const QString& text,
                 double reach = 1);

// How much further the looks go for a walk whose index holds what it tests: a walked row costs
// about a twenty-fifth of a match read through the trigram index and sorted, so the walk pays while
// it reads up to five times the rows (the square root: the index's reads grow with the matches as
// the walk's fall).
constexpr int CoveredReach = 5;

// Whether the server has the index of `column`'s order, newest first, that also holds the columns
// its list is searched on ("<table>_<column>_covering").
bool hasCoveringIndex(Connection& con, const QString& table, const QString& column);

} // namespace TextSearch

} // namespace wb
