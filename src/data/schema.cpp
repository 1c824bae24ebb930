#include "schema.h"

#include "connection.h"
#include "orderedsearch.h"
#include "recordset.h"
#include "serverrights.h"

#include <QHash>
#include <QSet>

namespace wb {

const Column* Table::column(const QString& n) const {
    for (const Column& c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

namespace Schema {

int latestVersion() {
    int v = 0;
    for (const Migration& m : migrations())
        v = std::max(v, m.version);
    return v;
}

const Table* table(const QString& name) {
    static const QHash<QString, const Table*> byName = [] {
        QHash<QString, const Table*> map;
        for (const Migration& m : migrations())
            for (const Table& t : m.tables)
                map.insert(t.name.toLower(), &t);
        return map;
    }();
    return byName.value(name.toLower(), nullptr);
}

QString createStatement(const Table& t, Connection& con) {
    const Dialect& d = con.dialect();
    QStringList parts;
    for (const Column& c : t.columns) {
        if (c.name.compare(t.key, Qt::CaseInsensitive) == 0 && t.keyByDatabase)
            parts << d.generatedKeyDefinition(c);
        else
            parts << d.columnDefinition(c);
    }
    if (!t.key.isEmpty() && !t.keyByDatabase)
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(t.key);
    for (const QString& u : t.uniqueColumns)
        parts << QStringLiteral("UNIQUE (%1)").arg(u);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(t.name, parts.join(QStringLiteral(", ")));
}

namespace {

bool hasTable(Connection& con, const QString& name) {
    const QStringList tables = con.database().tables();
    for (const QString& t : tables)
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

int version(Connection& con) {
    if (!hasTable(con, QStringLiteral("Schema_Version")))
        return 0;
    return con.scalar(QStringLiteral("select max(Version) from Schema_Version")).toInt();
}

void migrate(Connection& con, int upTo) {
    if (!hasTable(con, QStringLiteral("Schema_Version")))
        con.Execute(QStringLiteral("CREATE TABLE Schema_Version (Version INTEGER NOT NULL)"));
    // Every step not recorded yet, so that a step written after a higher one still runs.
    QSet<int> applied;
    Recordset done;
    done.Open(QStringLiteral("select Version from Schema_Version"), con);
    for (done.MoveFirst(); !done.isEOF(); done.MoveNext())
        applied.insert(done.Fields(QStringLiteral("Version")).toInt());
    const bool embedded = con.engine() == Engine::Sqlite;
    for (const Migration& m : migrations()) {
        if (applied.contains(m.version) || m.version > upTo)
            continue;
        Transaction t(con);
        for (const Table& table : m.tables) {
            if (table.embeddedOnly && !embedded)
                continue;
            con.Execute(createStatement(table, con));
        }
        if (m.extra)
            m.extra(con);
        TextSearch::createIndexes(con, m.searchIndexes);
        OrderedSearch::create(con, m.orderedSearches);
        con.Execute(QStringLiteral("INSERT INTO Schema_Version (Version) VALUES (?)"), {m.version});
        t.commit();
    }
    if (!embedded)
        ServerRights::grantTables(con); // every table, also those of later steps
}

} // namespace Schema

} // namespace wb
