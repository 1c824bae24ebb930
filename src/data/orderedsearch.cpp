#include "orderedsearch.h"

#include "connection.h"
#include "schema.h"
#include "textsearch.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QStringList>
#include <limits>

namespace wb::OrderedSearch {

namespace {

QString walkTable(const QString& table, const QString& column) {
    return QStringLiteral("%1_%2_walk").arg(table, column);
}

// Trigrams are of the value as the engine folds it for a case-insensitive LIKE: upper() on the
// embedded engine (the program's own), lower() on the server (ILIKE's).
QString fold(Connection& con, const QString& value) {
    return con.engine() == Engine::Sqlite ? QStringLiteral("upper(%1)").arg(value)
                                          : QStringLiteral("lower(%1)").arg(value);
}

// The positions of the characters a trigram can begin at, for the embedded engine's triggers
// (which cannot count with a recursive query).
constexpr int Positions = 1000;

void createSqlite(Connection& con, const OrderedSearchColumn& c) {
    const QString walk = walkTable(c.table, c.column);
    con.Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS search_positions (i INTEGER PRIMARY KEY)"));
    con.Execute(QStringLiteral("INSERT OR IGNORE INTO search_positions WITH RECURSIVE n(i) AS (SELECT 1 "
                               "UNION ALL SELECT i + 1 FROM n WHERE i < %1) SELECT i FROM n")
                    .arg(Positions));
    con.Execute(
        QStringLiteral("CREATE TABLE %1 (walk_gram TEXT NOT NULL, walk_value TEXT NOT NULL, walk_key "
                       "INTEGER NOT NULL, PRIMARY KEY (walk_gram, walk_value DESC, walk_key)) WITHOUT "
                       "ROWID")
            .arg(walk));
    const auto grams = [&](const QString& row) {
        const QString value = row + c.column;
        return QStringLiteral(
                   "SELECT substr(%1, i, 3) AS gram FROM search_positions WHERE i <= length(%1) - 2")
            .arg(fold(con, value));
    };
    const QString insertNew =
        QStringLiteral(
            "INSERT OR IGNORE INTO %1 SELECT gram, new.%2, new.%3 FROM (%4) WHERE new.%2 IS NOT NULL;")
            .arg(walk, c.column, c.key, grams(QStringLiteral("new.")));
    const QString deleteOld =
        QStringLiteral(
            "DELETE FROM %1 WHERE walk_gram IN (%4) AND walk_value = old.%2 AND walk_key = old.%3;")
            .arg(walk, c.column, c.key, grams(QStringLiteral("old.")));
    con.Execute(
        QStringLiteral("CREATE TRIGGER %1_ai AFTER INSERT ON %2 BEGIN %3 END").arg(walk, c.table, insertNew));
    con.Execute(
        QStringLiteral("CREATE TRIGGER %1_ad AFTER DELETE ON %2 BEGIN %3 END").arg(walk, c.table, deleteOld));
    con.Execute(
        QStringLiteral("CREATE TRIGGER %1_au AFTER UPDATE ON %2 WHEN old.%3 IS NOT new.%3 OR old.%4 IS "
                       "NOT new.%4 BEGIN %5 %6 END")
            .arg(walk, c.table, c.column, c.key, deleteOld, insertNew));
    // Written in the table's order, the rows already there are filled in one pass of its pages.
    con.Execute(QStringLiteral("INSERT OR IGNORE INTO %1 SELECT substr(%2, i, 3), %3, %4 FROM %5 JOIN "
                               "search_positions ON i <= length(%2) - 2 WHERE %3 IS NOT NULL "
                               "ORDER BY 1, 2 DESC, 3")
                    .arg(walk, fold(con, c.column), c.column, c.key, c.table));
}

void createPostgres(Connection& con, const OrderedSearchColumn& c) {
    const QString walk = walkTable(c.table, c.column);
    con.Execute(QStringLiteral("CREATE OR REPLACE FUNCTION public.search_trigrams(s text) RETURNS SETOF text "
                               "LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT DISTINCT substr(s, i, 3) FROM "
                               "generate_series(1, length(s) - 2) i $$"));
    con.Execute(QStringLiteral("CREATE TABLE %1 (walk_gram text NOT NULL, walk_value text NOT NULL, walk_key "
                               "integer NOT NULL)")
                    .arg(walk));
    con.Execute(QStringLiteral("CREATE UNIQUE INDEX %1_order ON %1 (walk_gram, walk_value DESC, walk_key)")
                    .arg(walk));
    // The writers of the table have no right to the walk table: the triggers keep it as its owner.
    con.Execute(
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION public.%1_keep() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER "
            "SET search_path = pg_catalog, pg_temp AS $$ BEGIN "
            "IF TG_OP <> 'INSERT' THEN DELETE FROM public.%1 WHERE walk_gram IN (SELECT "
            "public.search_trigrams(lower(OLD.%2))) AND walk_value = OLD.%2 AND walk_key = OLD.%3; END IF; "
            "IF TG_OP <> 'DELETE' THEN INSERT INTO public.%1 SELECT g, NEW.%2, NEW.%3 FROM "
            "public.search_trigrams(lower(NEW.%2)) g ON CONFLICT DO NOTHING; END IF; "
            "RETURN NULL; END $$")
            .arg(walk, c.column, c.key));
    con.Execute(QStringLiteral("REVOKE ALL ON FUNCTION public.%1_keep() FROM PUBLIC").arg(walk));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_keep AFTER INSERT OR DELETE ON %2 FOR EACH ROW EXECUTE "
                               "FUNCTION public.%1_keep()")
                    .arg(walk, c.table));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_keep_update AFTER UPDATE OF %3, %4 ON %2 FOR EACH ROW WHEN "
                               "(OLD.%3 IS DISTINCT FROM NEW.%3 OR OLD.%4 IS DISTINCT FROM NEW.%4) EXECUTE "
                               "FUNCTION public.%1_keep()")
                    .arg(walk, c.table, c.column, c.key));
    con.Execute(QStringLiteral("INSERT INTO %1 SELECT g, %2, %3 FROM %4, "
                               "public.search_trigrams(lower(%2)) g")
                    .arg(walk, c.column, c.key, c.table));
    con.Execute(QStringLiteral("ANALYZE %1").arg(walk));
}

const OrderedSearchColumn* ordered(const QString& table, const QString& column) {
    for (const Migration& m : Schema::migrations())
        for (const OrderedSearchColumn& c : m.orderedSearches)
            if (c.table.compare(table, Qt::CaseInsensitive) == 0 &&
                c.column.compare(column, Qt::CaseInsensitive) == 0)
                return &c;
    return nullptr;
}

// The column and the key of an order "column desc, key" (each named with the table's qualifier or
// without).
struct DescByKey {
    QString column;
    QString key;
};
std::optional<DescByKey> descByKey(const QString& qualifier, const QString& order) {
    const QStringList terms = order.split(u',');
    if (terms.size() != 2)
        return std::nullopt;
    const auto name = [&](const QString& term) -> QString {
        QString t = term.simplified();
        if (!qualifier.isEmpty() && t.startsWith(qualifier + u'.', Qt::CaseInsensitive))
            t = t.mid(qualifier.size() + 1);
        static const QRegularExpression plain(QStringLiteral("^\\w+$"));
        return plain.match(t).hasMatch() ? t : QString();
    };
    const QString first = terms[0].simplified();
    if (!first.endsWith(QStringLiteral(" desc"), Qt::CaseInsensitive))
        return std::nullopt;
    DescByKey o{name(first.chopped(5)), name(terms[1])};
    if (o.column.isEmpty() || o.key.isEmpty())
        return std::nullopt;
    return o;
}

// Whether `order` is the walk table's: the column descending, ties by the key.
bool servedOrder(const OrderedSearchColumn& c, const QString& qualifier, const QString& order) {
    const auto o = descByKey(qualifier, order);
    return o && o->column.compare(c.column, Qt::CaseInsensitive) == 0 &&
           o->key.compare(c.key, Qt::CaseInsensitive) == 0;
}

// Few rows hold a trigram that is found fewer times than this; those found this often or more are
// told apart by their place in the text.
constexpr int Counted = 256;

// The trigram whose rows the walk reads: the one the fewest values hold, and of those found too often
// to count, the last in the text (a code typed from its start ends in what tells it apart).
QString rarest(Connection& con, const QString& walk, const QStringList& trigrams) {
    QStringList counts;
    QVariantList params;
    const QString bound = con.engine() == Engine::Sqlite ? QStringLiteral("?") : QStringLiteral("?::text");
    for (const QString& trigram : trigrams) {
        counts << QStringLiteral("(select count(*) from (select 1 from %1 where walk_gram = %2 limit %3) c)")
                      .arg(walk, bound)
                      .arg(Counted);
        params << trigram;
    }
    QSqlQuery q = con.query(QStringLiteral("select ") + counts.join(QStringLiteral(", ")), params);
    QString chosen = trigrams.last();
    if (q.next()) {
        qint64 fewest = std::numeric_limits<qint64>::max();
        for (qsizetype i = trigrams.size() - 1; i >= 0; --i) {
            const qint64 n = q.value(static_cast<int>(i)).toLongLong();
            if (n < fewest) {
                fewest = n;
                chosen = trigrams[i];
            }
        }
    }
    q.finish();
    return chosen;
}

} // namespace

void create(Connection& con, const QList<OrderedSearchColumn>& columns) {
    for (const OrderedSearchColumn& c : columns) {
        if (con.engine() == Engine::Sqlite)
            createSqlite(con, c);
        else
            createPostgres(con, c);
    }
}

std::optional<Walk> walk(Connection& con, const QString& table, const QString& column, const QString& text,
                         QVariantList& params, const QString& qualifier, const QString& order) {
    const OrderedSearchColumn* c = ordered(table, column);
    if (!c || text.isEmpty() || !servedOrder(*c, qualifier, order))
        return std::nullopt;
    const QString folded =
        con.scalar(QStringLiteral("select %1")
                       .arg(fold(con, con.engine() == Engine::Sqlite ? QStringLiteral("?")
                                                                     : QStringLiteral("?::text"))),
                   {text})
            .toString();
    const QList<uint> ucs4 = folded.toUcs4();
    QStringList trigrams;
    for (qsizetype i = 0; i + 3 <= ucs4.size(); ++i) {
        const QString trigram = QString::fromUcs4(reinterpret_cast<const char32_t*>(ucs4.constData()) + i, 3);
        if (!trigrams.contains(trigram))
            trigrams << trigram;
    }
    if (trigrams.isEmpty())
        return std::nullopt;
    const QString walk = walkTable(c->table, c->column);
    const QString row = qualifier.isEmpty() ? c->table : qualifier;
    Walk w;
    w.from = QStringLiteral("%1 w join %2%3 on %4.%5 = w.walk_key")
                 .arg(walk, c->table, qualifier.isEmpty() ? QString() : u' ' + qualifier, row, c->key);
    // The value as the walk table holds it is tested first. On the embedded engine the row's own
    // value must still be it: a program without its upper() may have changed the row and left its
    // trigrams behind. The server's triggers fold as its searches do, and only they write the table
    // (there the test would also make its planner take the list for a few rows and sort them).
    const bool embedded = con.engine() == Engine::Sqlite;
    w.filter = QStringLiteral("w.walk_gram = %1 and %2")
                   .arg(embedded ? QStringLiteral("?") : QStringLiteral("?::text"),
                        con.dialect().containsCI(QStringLiteral("w.walk_value")));
    if (embedded)
        w.filter += QStringLiteral(" and %1.%2 = w.walk_value").arg(row, c->column);
    params << rarest(con, walk, trigrams) << likeContains(text);
    w.order = QStringLiteral("w.walk_value desc, w.walk_key");
    return w;
}

std::optional<QString> coveredList(Connection& con, const QString& select, const QString& table,
                                   const QString& qualifier, const QString& where, const QString& order) {
    if (con.engine() != Engine::Postgres)
        return std::nullopt;
    const auto o = descByKey(qualifier, order);
    if (!o || !TextSearch::hasCoveringIndex(con, table, o->column))
        return std::nullopt;
    // The rows in the index's order and tested there (the subquery names the table as the list
    // does), then each listed row read by its key.
    const QString named = qualifier.isEmpty() ? table : qualifier;
    const QString alias = qualifier.isEmpty() ? QString() : u' ' + qualifier;
    return QStringLiteral(
               "select %1 from (select %2.%3 as walk_key, %2.%4 as walk_value from %5%6 where %7) k "
               "join %5%6 on %2.%3 = k.walk_key order by k.walk_value desc, k.walk_key")
        .arg(select, named, o->key, o->column, table, alias, where);
}

} // namespace wb::OrderedSearch
