#include "valuelist.h"

#include "connection.h"
#include "schema.h"

#include <QSqlQuery>

namespace wb::ValueList {

namespace {

QString listTable(const QString& table, const QString& column) {
    return QStringLiteral("%1_%2_values").arg(table, column);
}

// Values a keystroke reads and tests in full; a column with more is searched as if it had no list.
constexpr int MostValues = 8192;

// A value as the engine's case-insensitive search folds it: the program's upper() on the embedded
// engine, lower() on the server (ILIKE's fold). The list keeps it, so that a keystroke tests each
// value with a plain search for the folded text instead of folding every value again.
QString folded(Connection& con, const QString& value) {
    return QStringLiteral("%1(%2)").arg(con.engine() == Engine::Sqlite ? "upper" : "lower", value);
}

// "the folded value `v` holds the text", its parameter the text as typed.
QString holds(Connection& con, const QString& v) {
    return con.engine() == Engine::Sqlite
               ? QStringLiteral("instr(%1.Value_folded, upper(?)) > 0").arg(v)
               : QStringLiteral("strpos(%1.Value_folded, (select lower(?::text))) > 0").arg(v);
}

void createSqlite(Connection& con, const QString& table, const QString& column) {
    const QString list = listTable(table, column);
    // Its keys tell how many values it holds at most (a value gone leaves a gap; a new one takes the
    // next key).
    con.Execute(
        QStringLiteral("CREATE TABLE %1 (Value_text TEXT NOT NULL UNIQUE, Value_folded TEXT NOT NULL, "
                       "Row_count INTEGER NOT NULL)")
            .arg(list));
    const QString add = QStringLiteral("INSERT INTO %1 (Value_text, Value_folded, Row_count) SELECT new.%2, "
                                       "%3, 1 WHERE new.%2 IS NOT NULL ON CONFLICT (Value_text) DO UPDATE "
                                       "SET Row_count = Row_count + 1;")
                            .arg(list, column, folded(con, QStringLiteral("new.") + column));
    const QString drop = QStringLiteral("UPDATE %1 SET Row_count = Row_count - 1 WHERE Value_text = old.%2; "
                                        "DELETE FROM %1 WHERE Value_text = old.%2 AND Row_count <= 0;")
                             .arg(list, column);
    con.Execute(QStringLiteral("CREATE TRIGGER %1_ai AFTER INSERT ON %2 BEGIN %3 END").arg(list, table, add));
    con.Execute(
        QStringLiteral("CREATE TRIGGER %1_ad AFTER DELETE ON %2 BEGIN %3 END").arg(list, table, drop));
    con.Execute(
        QStringLiteral("CREATE TRIGGER %1_au AFTER UPDATE OF %3 ON %2 WHEN old.%3 IS NOT new.%3 BEGIN "
                       "%4 %5 END")
            .arg(list, table, column, drop, add));
}

// The writers of the table have no right to the list: the triggers keep it as its owner.
void createPostgres(Connection& con, const QString& table, const QString& column) {
    const QString list = listTable(table, column).toLower();
    con.Execute(QStringLiteral("CREATE TABLE %1 (Value_text text NOT NULL PRIMARY KEY, Value_folded text NOT "
                               "NULL, Row_count integer NOT NULL)")
                    .arg(list));
    con.Execute(
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION public.%1_keep() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER "
            "SET search_path = pg_catalog, pg_temp AS $$ BEGIN "
            "IF TG_OP = 'TRUNCATE' THEN DELETE FROM public.%1; RETURN NULL; END IF; "
            "IF TG_OP <> 'INSERT' AND OLD.%2 IS NOT NULL THEN UPDATE public.%1 SET Row_count = Row_count - 1 "
            "WHERE Value_text = OLD.%2; DELETE FROM public.%1 WHERE Value_text = OLD.%2 AND Row_count <= 0; "
            "END IF; "
            "IF TG_OP <> 'DELETE' AND NEW.%2 IS NOT NULL THEN INSERT INTO public.%1 AS v (Value_text, "
            "Value_folded, Row_count) VALUES (NEW.%2, %3, 1) ON CONFLICT (Value_text) DO UPDATE "
            "SET Row_count = v.Row_count + 1; END IF; RETURN NULL; END $$")
            .arg(list, column, folded(con, QStringLiteral("NEW.") + column)));
    con.Execute(QStringLiteral("REVOKE ALL ON FUNCTION public.%1_keep() FROM PUBLIC").arg(list));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_keep AFTER INSERT OR DELETE ON %2 FOR EACH ROW EXECUTE "
                               "FUNCTION public.%1_keep()")
                    .arg(list, table));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_keep_update AFTER UPDATE OF %3 ON %2 FOR EACH ROW WHEN "
                               "(OLD.%3 IS DISTINCT FROM NEW.%3) EXECUTE FUNCTION public.%1_keep()")
                    .arg(list, table, column));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_keep_truncate AFTER TRUNCATE ON %2 FOR EACH STATEMENT "
                               "EXECUTE FUNCTION public.%1_keep()")
                    .arg(list, table));
}

void drop(Connection& con, const QString& table, const QString& column) {
    const QString list = listTable(table, column);
    if (con.engine() == Engine::Sqlite) {
        for (const char* suffix : {"_ai", "_ad", "_au"})
            con.Execute(QStringLiteral("DROP TRIGGER IF EXISTS %1%2").arg(list, QLatin1String(suffix)));
        con.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(list));
        return;
    }
    for (const char* suffix : {"_keep", "_keep_update", "_keep_truncate"})
        con.Execute(QStringLiteral("DROP TRIGGER IF EXISTS %1%2 ON %3")
                        .arg(list.toLower(), QLatin1String(suffix), table));
    con.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(list.toLower()));
    con.Execute(QStringLiteral("DROP FUNCTION IF EXISTS public.%1_keep()").arg(list.toLower()));
}

} // namespace

void create(Connection& con, const QList<SearchIndex>& columns) {
    for (const SearchIndex& c : columns)
        for (const QString& column : c.columns) {
            if (con.engine() == Engine::Sqlite)
                createSqlite(con, c.table, column);
            else
                createPostgres(con, c.table, column);
            con.Execute(QStringLiteral("INSERT INTO %1 (Value_text, Value_folded, Row_count) SELECT %2, %4, "
                                       "count(*) FROM %3 WHERE %2 IS NOT NULL GROUP BY %2")
                            .arg(listTable(c.table, column), column, c.table, folded(con, column)));
            if (con.engine() == Engine::Postgres)
                con.Execute(QStringLiteral("ANALYZE %1").arg(listTable(c.table, column)));
        }
}

void recreate(Connection& con, const QList<SearchIndex>& columns) {
    for (const SearchIndex& c : columns)
        for (const QString& column : c.columns)
            drop(con, c.table, column);
    create(con, columns);
}

bool isListed(const QString& table, const QString& column) {
    for (const Migration& m : Schema::migrations())
        for (const SearchIndex& c : m.valueLists)
            if (c.table.compare(table, Qt::CaseInsensitive) == 0 &&
                c.columns.contains(column, Qt::CaseInsensitive))
                return true;
    return false;
}

namespace {

// At most how many values the list holds, as the engine tells it without reading them (the server's
// guess from its statistics; none when it has none).
double mostValues(Connection& con, const QString& list) {
    if (con.engine() == Engine::Sqlite)
        return con
            .scalar(QStringLiteral(
                        "select coalesce((select max(rowid) from %1) - (select min(rowid) from %1) + 1, 0)")
                        .arg(list))
            .toDouble();
    return con
        .scalar(QStringLiteral("select reltuples from pg_class where oid = ?::text::regclass"),
                {list.toLower()})
        .toDouble();
}

} // namespace

std::optional<Count> count(Connection& con, const QString& table, const QString& column,
                           const QString& text) {
    const QString list = listTable(table, column);
    if (!isListed(table, column) || mostValues(con, list) > MostValues)
        return std::nullopt;
    // The embedded engine's key span has bounded the values already, and the list is read as it is
    // (a sub-query would copy every value once more); the server's figure is a guess, so it reads no
    // more than one value past the most.
    const QString values = con.engine() == Engine::Sqlite
                               ? list
                               : QStringLiteral("(select Value_folded, Row_count from %1 limit %2)")
                                     .arg(list)
                                     .arg(MostValues + 1);
    QSqlQuery q =
        con.query(QStringLiteral("select count(*), coalesce(sum(case when %1 then Row_count end), 0), "
                                 "coalesce(sum(Row_count), 0) from %2 v")
                      .arg(holds(con, QStringLiteral("v")), values),
                  {text});
    std::optional<Count> c;
    if (q.next() && q.value(0).toLongLong() <= MostValues)
        c = Count{q.value(1).toDouble(), q.value(2).toDouble()};
    q.finish();
    return c;
}

QString filter(Connection& con, const QString& table, const QString& column, const QString& prefix,
               const QString& text, QVariantList& params) {
    params << text;
    const QString list = listTable(table, column);
    const QString holding = holds(con, QStringLiteral("v"));
    if (con.engine() == Engine::Sqlite)
        return QStringLiteral("%1%2 IN (select v.Value_text from %3 v where %4)")
            .arg(prefix, column, list, holding);
    // On the server each value's rows are looked up in the column's index, whatever its guess of
    // how many rows the values have (it could otherwise read the whole table to join them).
    return QStringLiteral(
               "%1ctid = ANY (ARRAY(select r.ctid from %2 v cross join lateral (select ctid from %3 "
               "where %3.%4 = v.Value_text offset 0) r where %5))")
        .arg(prefix, list, table, column, holding);
}

QString walkedFilter(Connection& con, const QString& table, const QString& column, const QString& prefix,
                     const QString& text, QVariantList& params) {
    if (con.engine() != Engine::Sqlite)
        return {};
    params << text;
    // Written so that the column's own index is not chosen for it: the walk's order is.
    return QStringLiteral("+%1%2 IN (select v.Value_text from %3 v where %4)")
        .arg(prefix, column, listTable(table, column), holds(con, QStringLiteral("v")));
}

} // namespace wb::ValueList
