#pragma once

#include "textsearch.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

namespace wb {

class Connection;

// Columns whose values repeat: a hospital's patients bear a few thousand names between them. Each
// such column has a list of its values with the count of the rows holding each,
// "<table>_<column>_values", kept in step by triggers. A contains-search tests the text in that list
// and knows at once how many rows hold it, and the rows of the values that hold it are found through
// the column's own index: a name made of common words ("MUHAMMAD ALI K") costs what its few matches
// cost, where a trigram index reads every row holding each of its common trigrams.
namespace ValueList {

// Creates the lists (filled from the rows already there) and their triggers.
void create(Connection& con, const QList<SearchIndex>& columns);

// Drops the lists and their triggers, whatever their earlier form, and creates them again.
void recreate(Connection& con, const QList<SearchIndex>& columns);

// Whether a migration gave `column` of `table` a list of its values.
bool isListed(const QString& table, const QString& column);

// The rows holding the text, and the rows with a value, from the list; nothing where the column has no
// list or its values are too many for a keystroke to read them all.
struct Count {
    double matching = 0;
    double rows = 0;
};
std::optional<Count> count(Connection& con, const QString& table, const QString& column, const QString& text);

// "column holds one of the values that contain the text" (`prefix` names the table in the query:
// its qualifier and a dot, or nothing); its parameter is appended to `params`.
QString filter(Connection& con, const QString& table, const QString& column, const QString& prefix,
               const QString& text, QVariantList& params);

// The same test for rows walked in a list's order on the embedded engine, where it costs a look into the
// few matching values in place of folding and matching each walked row's value; nothing on the server.
QString walkedFilter(Connection& con, const QString& table, const QString& column, const QString& prefix,
                     const QString& text, QVariantList& params);

} // namespace ValueList

} // namespace wb
