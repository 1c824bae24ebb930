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

void createSqlite(Connection& con, const QString& table, const QString& column) {
    const QString list = listTable(table, column);
    // Its keys tell how many values it holds at most (a value gone leaves a gap; a new one takes the
    // next key).
    con.Execute(
        QStringLiteral("CREATE TABLE %1 (Value_text TEXT NOT NULL UNIQUE, Row_count INTEGER NOT NULL)")
            .arg(list));
    const QString add =
        QStringLiteral("INSERT INTO %1 (Value_text, Row_count) SELECT new.%2, 1 WHERE new.%2 IS "
                       "NOT NULL ON CONFLICT (Value_text) DO UPDATE SET Row_count = Row_count + 1;")
            .arg(list, column);
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
    con.Execute(QStringLiteral("CREATE TABLE %1 (Value_text text NOT NULL PRIMARY KEY, Row_count integer NOT "
                               "NULL)")
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
            "Row_count) VALUES (NEW.%2, 1) ON CONFLICT (Value_text) DO UPDATE SET Row_count = v.Row_count + "
            "1; END IF; RETURN NULL; END $$")
            .arg(list, column));
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

} // namespace

void create(Connection& con, const QList<SearchIndex>& columns) {
    for (const SearchIndex& c : columns)
        for (const QString& column : c.columns) {
            if (con.engine() == Engine::Sqlite)
                createSqlite(con, c.table, column);
            else
                createPostgres(con, c.table, column);
            con.Execute(
                QStringLiteral("INSERT INTO %1 (Value_text, Row_count) SELECT %2, count(*) FROM %3 WHERE "
                               "%2 IS NOT NULL GROUP BY %2")
                    .arg(listTable(c.table, column), column, c.table));
            if (con.engine() == Engine::Postgres)
                con.Execute(QStringLiteral("ANALYZE %1").arg(listTable(c.table, column)));
        }
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
    if (!isListed(table, column) || mostValues(con, listTable(table, column)) > MostValues)
        return std::nullopt;
    QSqlQuery q =
        con.query(QStringLiteral("select count(*), coalesce(sum(case when %1 then Row_count end), 0), "
                                 "coalesce(sum(Row_count), 0) from (select Value_text, Row_count from "
                                 "%2 limit %3) v")
                      .arg(con.dialect().containsCI(QStringLiteral("Value_text")), listTable(table, column))
                      .arg(MostValues + 1),
                  {likeContains(text)});
    std::optional<Count> c;
    if (q.next() && q.value(0).toLongLong() <= MostValues)
        c = Count{q.value(1).toDouble(), q.value(2).toDouble()};
    q.finish();
    return c;
}

QString filter(Connection& con, const QString& table, const QString& column, const QString& prefix,
               const QString& text, QVariantList& params) {
    params << likeContains(text);
    const QString list = listTable(table, column);
    const QString holding = con.dialect().containsCI(QStringLiteral("v.Value_text"));
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

} // namespace wb::ValueList
