#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace wb {

class Connection;

// Columns of one table whose contains-searches an index serves: on the embedded engine one FTS5
// trigram table per table ("<table>_search", kept in step by triggers), on PostgreSQL one pg_trgm
// GIN index per column.
struct SearchIndex {
    QString table;
    QStringList columns;
};

namespace TextSearch {

// Creates the indexes (and fills them from the rows already there).
void createIndexes(Connection& con, const QList<SearchIndex>& indexes);

// Drops and makes again the embedded engine's indexes (a later form of the same index).
void recreateSqliteIndexes(Connection& con, const QList<SearchIndex>& indexes);

// Whether a migration gave `column` of `table` a search index.
bool isIndexed(const QString& table, const QString& column);

// "column contains text", case-insensitive, for a search box: the text is matched literally
// (%, _ and \ are no wildcards) and reaches SQL only as bound values, appended to `params`.
// `qualifier` is the table's alias in the query, if any. Where an index serves the column and
// the text has three characters, the filter goes through the index;
// on the embedded engine only while the matches are few, since many matches are found faster by
// walking the rows in the query's order.
QString contains(Connection& con, const QString& table, const QString& column, const QString& text,
                 QVariantList& params, const QString& qualifier = {});

} // namespace TextSearch

} // namespace wb
