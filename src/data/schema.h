#pragma once

#include <limits>

#include "orderedsearch.h"
#include "textsearch.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace wb {

class Connection;

enum class ColType { Integer, Text, Decimal, Double, Date, Time, Timestamp };

struct Column {
    QString name;
    ColType type = ColType::Text;
    int size = 0;      // defined size of a text column
    int precision = 0; // digits of a numeric column
    int scale = 0;     // digits after the point of a decimal column
    bool notNull = false;
};

struct Table {
    QString name;
    QList<Column> columns;
    QString key;                // primary key column (one column), empty for none
    bool keyByDatabase = false; // the database assigns the key on insert
    bool embeddedOnly = false;  // exists only in the embedded database
    QStringList uniqueColumns;

    const Column* column(const QString& name) const;
};

// One step of the schema: its tables are created when the database is below its version.
struct Migration {
    int version = 0;
    QString description;
    QList<Table> tables;
    std::function<void(Connection&)> extra;     // further statements, run after the tables
    QList<SearchIndex> searchIndexes;           // contains-search indexes, created after `extra`
    QList<SearchIndex> valueLists;              // columns listed by their values, created next
    QList<OrderedSearchColumn> orderedSearches; // searched in their lists' order, created last
};

namespace Schema {

// Every migration in version order.
const QList<Migration>& migrations();
int latestVersion();
// A table of the schema by name, regardless of case; nullptr when unknown.
const Table* table(const QString& name);
// The schema version of the open database (0 when it has none yet).
int version(Connection& con);
// Creates or upgrades the tables of the open database to the latest version, each step in a transaction.
void migrate(Connection& con, int upTo = std::numeric_limits<int>::max()); // steps up to `upTo`
// CREATE TABLE statement for the connection's engine.
QString createStatement(const Table& table, Connection& con);

} // namespace Schema

// Column helpers for the table lists of the migrations.
inline Column intCol(const QString& n, int precision = 10) {
    return {n, ColType::Integer, 0, precision};
}
inline Column textCol(const QString& n, int size) {
    return {n, ColType::Text, size, size};
}
inline Column decimalCol(const QString& n, int precision, int scale) {
    return {n, ColType::Decimal, 0, precision, scale};
}
inline Column doubleCol(const QString& n) {
    return {n, ColType::Double, 0, 15};
}
inline Column dateCol(const QString& n) {
    return {n, ColType::Date, 0, 10};
}
inline Column timeCol(const QString& n) {
    return {n, ColType::Time, 0, 8};
}
inline Column timestampCol(const QString& n) {
    return {n, ColType::Timestamp, 0, 19};
}

} // namespace wb
