#include "schema.h"

#include "connection.h"
#include "orderedsearch.h"
#include "recordset.h"
#include "serverrights.h"
#include "valuelist.h"

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

// On the embedded engine, the indexes a step added to tables the planner has statistics of are
// analysed too: an index without them is taken for one of unknown worth, and a list that should walk
// it is sorted whole instead. A table without statistics is left so, as it was.
void analyseNewIndexes(Connection& con) {
    if (!con.scalar(QStringLiteral("select 1 from sqlite_master where name = 'sqlite_stat1'")).isValid())
        return;
    QStringList missing;
    {
        QSqlQuery q = con.query(QStringLiteral(
            "select i.name from sqlite_master i where i.type = 'index' and i.sql is not null and "
            "i.tbl_name in (select tbl from sqlite_stat1) and not exists (select 1 from sqlite_stat1 s "
            "where s.idx = i.name)"));
        while (q.next())
            missing << q.value(0).toString();
    }
    for (const QString& index : missing)
        con.Execute(QStringLiteral("ANALYZE \"%1\"").arg(index));
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
        ValueList::create(con, m.valueLists);
        OrderedSearch::create(con, m.orderedSearches);
        con.Execute(QStringLiteral("INSERT INTO Schema_Version (Version) VALUES (?)"), {m.version});
        t.commit();
    }
    if (embedded)
        analyseNewIndexes(con);
    if (!embedded)
        ServerRights::grantTables(con); // every table, also those of later steps
}

} // namespace Schema

} // namespace wb
