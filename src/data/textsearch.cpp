#include "textsearch.h"

#include "connection.h"
#include "schema.h"

namespace wb::TextSearch {

namespace {

QString ftsTable(const QString& table) {
    return table + QStringLiteral("_search");
}

// On the embedded engine: the FTS5 table over the columns and the triggers that keep it in step.
// It holds each value as upper() gives it, the same fold the plain search applies, and matches
// case-sensitively: whatever upper() makes of a letter, a row the plain search keeps has the
// searched text's trigrams.
void createSqlite(Connection& con, const SearchIndex& index) {
    const QString fts = ftsTable(index.table);
    const QString cols = index.columns.join(QStringLiteral(", "));
    QStringList news;
    QStringList olds;
    QStringList alls;
    for (const QString& c : index.columns) {
        news << QStringLiteral("upper(new.%1)").arg(c);
        olds << QStringLiteral("upper(old.%1)").arg(c);
        alls << QStringLiteral("upper(%1)").arg(c);
    }
    const QString insertNew = QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (new.rowid, %3);")
                                  .arg(fts, cols, news.join(QStringLiteral(", ")));
    const QString deleteOld =
        QStringLiteral("INSERT INTO %1 (%1, rowid, %2) VALUES ('delete', old.rowid, %3);")
            .arg(fts, cols, olds.join(QStringLiteral(", ")));
    con.Execute(QStringLiteral(
                    "CREATE VIRTUAL TABLE %1 USING fts5(%2, content='', tokenize='trigram case_sensitive 1')")
                    .arg(fts, cols));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_ai AFTER INSERT ON %2 BEGIN %3 END")
                    .arg(fts, index.table, insertNew));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_ad AFTER DELETE ON %2 BEGIN %3 END")
                    .arg(fts, index.table, deleteOld));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_au AFTER UPDATE ON %2 BEGIN %3 %4 END")
                    .arg(fts, index.table, deleteOld, insertNew));
    con.Execute(QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %3 FROM %4")
                    .arg(fts, cols, alls.join(QStringLiteral(", ")), index.table));
}

void createPostgres(Connection& con, const SearchIndex& index) {
    for (const QString& c : index.columns)
        con.Execute(
            QStringLiteral("CREATE INDEX %1_%2_trgm ON %1 USING gin (%2 gin_trgm_ops)").arg(index.table, c));
}

// The index's query for the text: one phrase, the text as upper() gives it, quotes doubled.
const QString IndexPhrase = QStringLiteral("'\"' || replace(upper(?), '\"', '\"\"') || '\"'");

// Beyond this many matches the embedded engine walks the rows in order instead: a screenful of
// matches then lies within a few thousand rows.
constexpr int FewMatches = 2000;

} // namespace

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
        const QString fts = ftsTable(index.table);
        for (const char* suffix : {"_ai", "_ad", "_au"})
            con.Execute(QStringLiteral("DROP TRIGGER IF EXISTS %1%2").arg(fts, QLatin1String(suffix)));
        con.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(fts));
        createSqlite(con, index);
    }
}

QString contains(Connection& con, const QString& table, const QString& column, const QString& text,
                 QVariantList& params, const QString& qualifier) {
    const QString prefix = qualifier.isEmpty() ? QString() : qualifier + u'.';
    const QString exact = con.dialect().containsCI(prefix + column);
    // The trigram index needs three characters (as the engine's upper() gives them).
    if (text.toUpper().toUcs4().size() < 3 || !isIndexed(table, column)) {
        params << likeContains(text);
        return exact;
    }
    if (con.engine() == Engine::Postgres) {
        // The trigram index serves ILIKE on the bare column; backslash is its escape already.
        params << likeContains(text);
        return QStringLiteral("%1%2 ILIKE ?::text").arg(prefix, column);
    }
    const QString fts = ftsTable(table);
    const int matches =
        con.scalar(
               QStringLiteral("select count(*) from (select rowid from %1 where %2 MATCH %3 limit %4) probe")
                   .arg(fts, column, IndexPhrase)
                   .arg(FewMatches),
               {text})
            .toInt();
    if (matches >= FewMatches) {
        params << likeContains(text);
        return exact;
    }
    params << text << likeContains(text);
    return QStringLiteral("%1rowid IN (select rowid from %2 where %3 MATCH %4) AND %5")
        .arg(prefix, fts, column, IndexPhrase, exact);
}

} // namespace wb::TextSearch
