#include "textsearch.h"

#include "connection.h"
#include "schema.h"
#include "valuelist.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wb::TextSearch {

namespace {

// On the embedded engine every indexed column has an FTS5 trigram table of its own and, over it,
// the list of its trigrams with the rows that hold them.
QString ftsTable(const QString& table, const QString& column) {
    return QStringLiteral("%1_%2_search").arg(table, column);
}
QString termsTable(const QString& table, const QString& column) {
    return QStringLiteral("%1_%2_terms").arg(table, column);
}

// What the trigram table holds of a value: the value as upper() gives it (the fold the plain search
// applies; the table matches case-sensitively), and two characters after it that no search text
// holds, so that every one or two characters of the value begin a trigram.
QString indexed(const QString& value) {
    return QStringLiteral("upper(%1) || char(1, 1)").arg(value);
}

void createSqlite(Connection& con, const SearchIndex& index) {
    for (const QString& c : index.columns) {
        const QString fts = ftsTable(index.table, c);
        const QString insertNew = QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (new.rowid, %3);")
                                      .arg(fts, c, indexed(QStringLiteral("new.") + c));
        const QString deleteOld =
            QStringLiteral("INSERT INTO %1 (%1, rowid, %2) VALUES ('delete', old.rowid, %3);")
                .arg(fts, c, indexed(QStringLiteral("old.") + c));
        con.Execute(
            QStringLiteral(
                "CREATE VIRTUAL TABLE %1 USING fts5(%2, content='', tokenize='trigram case_sensitive 1')")
                .arg(fts, c));
        con.Execute(QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5vocab(%2, 'instance')")
                        .arg(termsTable(index.table, c), fts));
        con.Execute(QStringLiteral("CREATE TRIGGER %1_ai AFTER INSERT ON %2 BEGIN %3 END")
                        .arg(fts, index.table, insertNew));
        con.Execute(QStringLiteral("CREATE TRIGGER %1_ad AFTER DELETE ON %2 BEGIN %3 END")
                        .arg(fts, index.table, deleteOld));
        con.Execute(QStringLiteral("CREATE TRIGGER %1_au AFTER UPDATE ON %2 "
                                   "WHEN old.rowid IS NOT new.rowid OR old.%3 IS NOT new.%3 BEGIN %4 %5 END")
                        .arg(fts, index.table, c, deleteOld, insertNew));
        con.Execute(QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %3 FROM %4")
                        .arg(fts, c, indexed(c), index.table));
    }
}

// The embedded engine's indexes of the table, in this form and in the earlier one (one trigram table
// over all the columns).
void dropSqlite(Connection& con, const SearchIndex& index) {
    QStringList fts{index.table + QStringLiteral("_search")};
    for (const QString& c : index.columns)
        fts << ftsTable(index.table, c);
    for (const QString& t : fts)
        for (const char* suffix : {"_ai", "_ad", "_au"})
            con.Execute(QStringLiteral("DROP TRIGGER IF EXISTS %1%2").arg(t, QLatin1String(suffix)));
    for (const QString& c : index.columns)
        con.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(termsTable(index.table, c)));
    for (const QString& t : fts)
        con.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(t));
}

// On PostgreSQL a pg_trgm index serves three characters and more; one or two are served by an index
// of every character and every pair of characters of the value as lower() gives it (the fold ILIKE
// applies).
QString gramsIndex(const QString& table, const QString& column) {
    return QStringLiteral("%1_%2_grams").arg(table, column);
}
QString grams(const QString& expr) {
    return QStringLiteral("search_grams(lower(%1))").arg(expr);
}

void createPostgresGrams(Connection& con, const SearchIndex& index) {
    // Its cost tells the planner that reading the index beats working out every row's pairs; it runs
    // in the server process itself, since starting a parallel worker costs more than the few rows found.
    con.Execute(QStringLiteral(
        "CREATE OR REPLACE FUNCTION search_grams(s text) RETURNS text[] LANGUAGE plpgsql IMMUTABLE STRICT "
        "PARALLEL RESTRICTED COST 500 AS $$ DECLARE grams text[] := string_to_array(s, NULL); BEGIN "
        "FOR i IN 1 .. length(s) - 1 LOOP grams := grams || substr(s, i, 2); END LOOP; RETURN grams; END "
        "$$"));
    for (const QString& c : index.columns) {
        const QString name = gramsIndex(index.table, c);
        if (con.scalar(QStringLiteral("select to_regclass(?::text) is null"), {name}).toBool())
            con.Execute(
                QStringLiteral("CREATE INDEX %1 ON %2 USING gin (%3)").arg(name, index.table, grams(c)));
    }
}

void createPostgres(Connection& con, const SearchIndex& index) {
    for (const QString& c : index.columns)
        con.Execute(
            QStringLiteral("CREATE INDEX %1_%2_trgm ON %1 USING gin (%2 gin_trgm_ops)").arg(index.table, c));
    createPostgresGrams(con, index);
}

// Whether the index or the walk in the list's order finds a screenful (what a grid reads first)
// sooner. The walk reads about `Screenful / d` rows for a share d of rows that match; the index
// reads every match, `d * rows`. They cost the same at a walk of sqrt(Screenful * rows) rows. The
// probe looks for the first Probe matches among the first rows of the table, which costs a quarter
// of that walk at most: found within a quarter of that many rows, the matches are many.
constexpr double Screenful = 64;
constexpr int Probe = 16;

qint64 walkLimit(double rows) {
    return static_cast<qint64>(std::ceil(std::sqrt(Screenful * std::max(rows, 1.0)) * Probe / Screenful));
}

struct Rows {
    qint64 first = 0;
    qint64 limit = 0; // the rows past `first` within which Probe matches mean many
    double total = 0; // the span of the keys
};

// The list's order, where it runs over the searched table's own columns (`qualifier` naming the
// table in it).
struct ListOrder {
    QString terms;
    QString qualifier;
};

// Matches that the index reads, sorts and hands over within the time of a keystroke.
constexpr double ManyForTheIndex = 25000;

// Whether Probe matches lie among the first `limit` rows of the list's order. Many matches spread
// over the table may still all come late in the list's order (a code searched in a list of codes):
// walking the list then reads most of it before the first screenful.
bool manyInListOrder(Connection& con, const QString& table, const QString& column, const QString& text,
                     const ListOrder& order, qint64 limit, bool listed = false) {
    const QString q = order.qualifier.isEmpty() ? QStringLiteral("listed") : order.qualifier;
    // On the server the filter is kept from the column's statistics, which cost more to weigh than the
    // probe's rows to test; a column listed by its values is tested in the values that hold the text.
    QVariantList params;
    QString exact = listed ? ValueList::walkedFilter(con, table, column, q + u'.', text, params) : QString();
    if (exact.isEmpty()) {
        exact = con.engine() == Engine::Postgres
                    ? QStringLiteral("(%1.%2 || '') ILIKE ?::text ESCAPE '\\'").arg(q, column)
                    : con.dialect().containsCI(q + u'.' + column);
        params << likeContains(text);
    }
    // The first term tells where the matches lie, and an index on it alone serves it.
    const QString leading = order.terms.section(u',', 0, 0).trimmed();
    return con.scalar(
                  QStringLiteral("select count(*) from (select 1 from (select %1.%2 as %2 from %3 %1 order "
                                 "by %4 limit %5) %1 where %6 limit %7) probe")
                      .arg(q, column, table, leading)
                      .arg(limit)
                      .arg(exact)
                      .arg(Probe),
                  params)
               .toInt() >= Probe;
}

// Whether an index of the table leads with the list order's first column and holds the searched
// column: walking the list then tests each passed row in the index and reads only those that match,
// a small part of the cost of a match read through the trigram table (a row looked up, then sorted).
bool coveredWalk(Connection& con, const QString& table, const QString& column, const ListOrder& order) {
    QString leading = order.terms.section(u',', 0, 0).simplified();
    leading = leading.section(u' ', 0, 0);
    if (!order.qualifier.isEmpty() && leading.startsWith(order.qualifier + u'.', Qt::CaseInsensitive))
        leading = leading.mid(order.qualifier.size() + 1);
    if (leading.isEmpty() || leading.contains(u'.') || leading.contains(u'('))
        return false;
    if (con.engine() == Engine::Postgres) // the order's own index with the searched columns
        return hasCoveringIndex(con, table, leading);
    return con.scalar(QStringLiteral(
                          "select count(*) from pragma_index_list(?) l where exists (select 1 from "
                          "pragma_index_info(l.name) i where i.seqno = 0 and i.name = ? collate nocase) "
                          "and exists (select 1 from pragma_index_info(l.name) i where i.name = ? "
                          "collate nocase)"),
                      {table, leading, column})
               .toInt() > 0;
}

Rows sqliteRows(Connection& con, const QString& table) {
    QSqlQuery q = con.query(
        QStringLiteral("select (select min(rowid) from %1), (select max(rowid) from %1)").arg(table));
    Rows r;
    if (q.next()) {
        r.first = q.value(0).toLongLong();
        r.total = static_cast<double>(q.value(1).toLongLong() - r.first + 1);
        r.limit = walkLimit(r.total);
    }
    q.finish();
    return r;
}

QString quoted(QString phrase) {
    return u'"' + phrase.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Where the trigram table's Probe-th match of each query lies (the table lists rows in order);
// the largest number for one with fewer matches.
QList<qint64> probePositions(Connection& con, const QString& fts, const QStringList& queries) {
    QStringList probes;
    QVariantList params;
    for (const QString& query : queries) {
        probes << QStringLiteral("(select rowid from %1 where %1 MATCH ? order by rowid limit 1 offset %2)")
                      .arg(fts)
                      .arg(Probe - 1);
        params << query;
    }
    QSqlQuery q = con.query(QStringLiteral("select ") + probes.join(QStringLiteral(", ")), params);
    QList<qint64> at;
    if (q.next())
        for (int i = 0; i < queries.size(); ++i)
            at << (q.value(i).isNull() ? std::numeric_limits<qint64>::max() : q.value(i).toLongLong());
    q.finish();
    return at;
}

// Three characters or more: nothing when the text's matches are many, else the index's query:
// the text's two rarest trigrams (a phrase of many common trigrams costs the index more than the
// rows that hold the rare ones cost the exact filter). A trigram's matches are at least the
// text's, so probing each of them reads no further than the probe of the text.
QString sqliteIndexQuery(Connection& con, const QString& table, const QString& column, const QString& text,
                         const ListOrder& order) {
    const QList<uint> ucs4 = con.scalar(QStringLiteral("select upper(?)"), {text}).toString().toUcs4();
    const auto* folded = reinterpret_cast<const char32_t*>(ucs4.constData());
    const QString fts = ftsTable(table, column);
    Rows rows = sqliteRows(con, table);
    if (!order.terms.isEmpty() && coveredWalk(con, table, column, order))
        rows.limit *= CoveredReach;
    const QList<qint64> text16 = probePositions(con, fts, {quoted(QString::fromUcs4(folded, ucs4.size()))});
    if (!text16.isEmpty() && text16[0] < rows.first + rows.limit &&
        (order.terms.isEmpty() || manyInListOrder(con, table, column, text, order, rows.limit) ||
         Probe * rows.total / static_cast<double>(text16[0] - rows.first + 1) > ManyForTheIndex))
        return {};
    QStringList trigrams;
    for (qsizetype i = 0; i + 3 <= ucs4.size(); ++i) {
        const QString trigram = quoted(QString::fromUcs4(folded + i, 3));
        if (!trigrams.contains(trigram))
            trigrams << trigram;
    }
    const QList<qint64> at = probePositions(con, fts, trigrams);
    QList<std::pair<qint64, QString>> rare;
    for (qsizetype i = 0; i < at.size(); ++i)
        rare.append({at[i], trigrams[i]});
    std::stable_sort(rare.begin(), rare.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList used;
    for (qsizetype i = 0; i < std::min<qsizetype>(2, rare.size()); ++i)
        used << rare[i].second;
    return used.isEmpty() ? quoted(text.toUpper()) : used.join(QStringLiteral(" AND "));
}

// The first rows of the table, read until Probe of them match (one or two characters go through
// the index when they do not).
bool sqliteManyMatches(Connection& con, const QString& table, const QString& column, const QString& text,
                       double reach = 1) {
    Rows rows = sqliteRows(con, table);
    rows.limit = static_cast<qint64>(std::ceil(static_cast<double>(rows.limit) * reach));
    return con.scalar(QStringLiteral("select count(*) from (select 1 from %1 where rowid >= ? and rowid < ? "
                                     "and %2 limit %3)")
                          .arg(table, con.dialect().containsCI(column))
                          .arg(Probe),
                      {rows.first, rows.first + rows.limit, likeContains(text)})
               .toInt() >= Probe;
}

double postgresRows(Connection& con, const QString& table) {
    return con
        .scalar(
            QStringLiteral("select case when reltuples >= 0 then reltuples else pg_relation_size(oid) / 100 "
                           "end from pg_class where oid = ?::text::regclass"),
            {table})
        .toDouble();
}

// How many of the table's first `first` rows as they lie on disk hold the text (counting `most` at most).
qint64 postgresFirstRowsHolding(Connection& con, const QString& table, const QString& column,
                                const QString& text, qint64 first, qint64 most) {
    return con
        .scalar(QStringLiteral("select count(*) from (select 1 from (select %1 from %2 limit %3) firstrows "
                               "where (%1 || '') ILIKE ?::text ESCAPE '\\' limit %4) probe")
                    .arg(column, table)
                    .arg(first)
                    .arg(most),
                {likeContains(text)})
        .toLongLong();
}

// The probe on the server: Probe matches among the table's first rows.
bool postgresManyMatches(Connection& con, const QString& table, const QString& column, const QString& text,
                         double reach = 1) {
    const auto first =
        static_cast<qint64>(std::ceil(static_cast<double>(walkLimit(postgresRows(con, table))) * reach));
    return postgresFirstRowsHolding(con, table, column, text, first, Probe) >= Probe;
}

// About how many rows hold the text: its share of the table's first rows.
double postgresMatches(Connection& con, const QString& table, const QString& column, const QString& text) {
    const double rows = postgresRows(con, table);
    const qint64 first = std::max<qint64>(walkLimit(rows), 1000);
    return static_cast<double>(postgresFirstRowsHolding(con, table, column, text, first, first)) * rows /
           static_cast<double>(first);
}

// One or two characters on the server: the probe, and whether its pair index serves the text
// (ILIKE's fold may lengthen it).
bool postgresManyShortMatches(Connection& con, const QString& table, const QString& column,
                              const QString& text) {
    return con.scalar(QStringLiteral("select length(lower(?::text)) > 2"), {text}).toBool() ||
           postgresManyMatches(con, table, column, text);
}

// Whether the embedded engine's trigram table keeps the text's characters as they are (it reads
// the noncharacters U+FFFE and U+FFFF as U+FFFD).
bool keptAsTyped(const QString& text) {
    for (char32_t u : text.toUpper().toUcs4())
        if ((u & 0xFFFE) == 0xFFFE)
            return false;
    return true;
}

// A row found through its value's index costs about as much as this many rows walked and tested.
constexpr double ListedRowCost = 5;

// Whether walking the list finds a screenful sooner than reading the rows of the matching values
// through the column's index: the walk reads Screenful / d rows for a share d of rows that match,
// the values' rows cost `ListedRowCost` each. Matches that are many but lie late in the list's order
// are read through the values.
bool walkFindsSooner(Connection& con, const QString& table, const QString& column, const QString& text,
                     const ValueList::Count& count, const ListOrder& order) {
    const double rows = std::max(count.rows, 1.0);
    if (count.matching * count.matching * ListedRowCost < Screenful * rows)
        return false;
    if (order.terms.isEmpty() || count.matching > ManyForTheIndex)
        return true;
    const qint64 limit = walkLimit(rows) * (coveredWalk(con, table, column, order) ? CoveredReach : 1);
    return manyInListOrder(con, table, column, text, order, limit, true);
}

} // namespace

bool findsMatchesFirst(const QString& filter) {
    return filter.contains(QLatin1String("ctid = ANY (ARRAY("));
}

bool hasCoveringIndex(Connection& con, const QString& table, const QString& column) {
    return con
        .scalar(QStringLiteral("select to_regclass(?::text) is not null"),
                {QStringLiteral("%1_%2_covering").arg(table, column).toLower()})
        .toBool();
}

bool manyMatches(Connection& con, const QString& table, const QString& column, const QString& text,
                 double reach) {
    if (text.isEmpty())
        return true;
    if (const auto listed = ValueList::count(con, table, column, text))
        return walkFindsSooner(con, table, column, text, *listed, {});
    return con.engine() == Engine::Sqlite ? sqliteManyMatches(con, table, column, text, reach)
                                          : postgresManyMatches(con, table, column, text, reach);
}

void createIndexes(Connection& con, const QList<SearchIndex>& indexes) {
    if (indexes.isEmpty())
        return;
    if (con.engine() == Engine::Postgres)
        con.Execute(QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm"));
    for (const SearchIndex& index : indexes) {
        if (con.engine() == Engine::Postgres)
            createPostgres(con, index);
        else
            createSqlite(con, index);
    }
}

bool isIndexed(const QString& table, const QString& column) {
    for (const Migration& m : Schema::migrations())
        for (const SearchIndex& index : m.searchIndexes)
            if (index.table.compare(table, Qt::CaseInsensitive) == 0 &&
                index.columns.contains(column, Qt::CaseInsensitive))
                return true;
    return false;
}

void recreateSqliteIndexes(Connection& con, const QList<SearchIndex>& indexes) {
    if (con.engine() != Engine::Sqlite)
        return;
    for (const SearchIndex& index : indexes) {
        dropSqlite(con, index);
        createSqlite(con, index);
    }
}

void upgradeIndexes(Connection& con, const QList<SearchIndex>& indexes) {
    if (con.engine() == Engine::Sqlite) {
        recreateSqliteIndexes(con, indexes);
        return;
    }
    for (const SearchIndex& index : indexes)
        createPostgresGrams(con, index);
}

QString contains(Connection& con, const QString& table, const QString& column, const QString& text,
                 QVariantList& params, const QString& qualifier, const QString& order) {
    const QString prefix = qualifier.isEmpty() ? QString() : qualifier + u'.';
    const QString exact = con.dialect().containsCI(prefix + column);
    // The characters as the engine's upper() gives them: trigrams serve three and more.
    const qsizetype length = text.toUpper().toUcs4().size();
    if (length == 0 || !isIndexed(table, column)) {
        params << likeContains(text);
        return exact;
    }
    // pg_trgm cannot serve fewer than three characters (it would read its whole index): this filter
    // is written so that the server does not try, nor weigh the text against its statistics.
    const QString loose = QStringLiteral("(%1%2 || '') ILIKE ?::text ESCAPE '\\'").arg(prefix, column);
    // A column listed by its values: the list tells how many rows hold the text, and those that
    // are many are found by walking the list.
    if (const auto listed = ValueList::count(con, table, column, text)) {
        if (!walkFindsSooner(con, table, column, text, *listed, {order, qualifier}))
            return ValueList::filter(con, table, column, prefix, text, params);
        // The server weighs three characters and more against the column's statistics, and walks
        // the list's order for them; fewer it cannot weigh.
        if (con.engine() == Engine::Sqlite)
            return ValueList::walkedFilter(con, table, column, prefix, text, params);
        params << likeContains(text);
        return length >= 3 ? QStringLiteral("%1%2 ILIKE ?::text").arg(prefix, column) : loose;
    }
    if (con.engine() == Engine::Postgres) {
        if (length >= 3) {
            // The trigram index serves ILIKE on the bare column; backslash is its escape already.
            // The planner takes matches to be spread over the list's order: where they are not
            // among its first rows and are not too many, they are found first, then put in order.
            const QString filter = QStringLiteral("%1%2 ILIKE ?::text").arg(prefix, column);
            const ListOrder listed{order, qualifier};
            const qint64 reach =
                walkLimit(postgresRows(con, table)) *
                (!order.isEmpty() && coveredWalk(con, table, column, listed) ? CoveredReach : 1);
            if (!order.isEmpty() && !manyInListOrder(con, table, column, text, listed, reach) &&
                postgresMatches(con, table, column, text) <= ManyForTheIndex) {
                params << likeContains(text) << likeContains(text);
                return QStringLiteral(
                           "%1ctid = ANY (ARRAY(select ctid from %2 where %3 ILIKE ?::text)) AND %4")
                    .arg(prefix, table, column, filter);
            }
            params << likeContains(text);
            return filter;
        }
        // The pair index gives the rows when few match.
        if (postgresManyShortMatches(con, table, column, text)) {
            params << likeContains(text);
            return loose;
        }
        params << text << likeContains(text);
        return QStringLiteral(
                   "%1ctid = ANY (ARRAY(select ctid from %2 where %3 @> ARRAY[lower(?::text)])) AND %4")
            .arg(prefix, table, grams(column), loose);
    }
    if (length >= 3) {
        const QString query = sqliteIndexQuery(con, table, column, text, {order, qualifier});
        if (query.isEmpty()) {
            params << likeContains(text);
            return exact;
        }
        // Every row holding the text holds its trigrams.
        params << query << likeContains(text);
        return QStringLiteral("%1rowid IN (select rowid from %2 where %2 MATCH ?) AND %3")
            .arg(prefix, ftsTable(table, column), exact);
    }
    if (!keptAsTyped(text) || sqliteManyMatches(con, table, column, text)) {
        params << likeContains(text);
        return exact;
    }
    // Every row holding the text holds a trigram that begins with it.
    params << text << text << likeContains(text);
    return QStringLiteral("%1rowid IN (select doc from %2 where term >= upper(?) and term <= upper(?) || "
                          "char(1114111, 1114111)) AND %3")
        .arg(prefix, termsTable(table, column), exact);
}

} // namespace wb::TextSearch
