#include "textsearch.h"

#include "connection.h"
#include "schema.h"

namespace wb::TextSearch {

namespace {

QString ftsTable(const QString& table) {
    return table + QStringLiteral("_search");
}

// On the embedded engine: the FTS5 table over the columns and the triggers that keep it in step.
void createSqlite(Connection& con, const SearchIndex& index) {
    const QString fts = ftsTable(index.table);
    const QString cols = index.columns.join(QStringLiteral(", "));
    QStringList news;
    QStringList olds;
    for (const QString& c : index.columns) {
        news << QStringLiteral("new.") + c;
        olds << QStringLiteral("old.") + c;
    }
    const QString insertNew = QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (new.rowid, %3);")
                                  .arg(fts, cols, news.join(QStringLiteral(", ")));
    const QString deleteOld =
        QStringLiteral("INSERT INTO %1 (%1, rowid, %2) VALUES ('delete', old.rowid, %3);")
            .arg(fts, cols, olds.join(QStringLiteral(", ")));
    con.Execute(QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2, content='%3', tokenize='trigram')")
                    .arg(fts, cols, index.table));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_ai AFTER INSERT ON %2 BEGIN %3 END")
                    .arg(fts, index.table, insertNew));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_ad AFTER DELETE ON %2 BEGIN %3 END")
                    .arg(fts, index.table, deleteOld));
    con.Execute(QStringLiteral("CREATE TRIGGER %1_au AFTER UPDATE ON %2 BEGIN %3 %4 END")
                    .arg(fts, index.table, deleteOld, insertNew));
    con.Execute(QStringLiteral("INSERT INTO %1 (%1) VALUES ('rebuild')").arg(fts));
}

void createPostgres(Connection& con, const SearchIndex& index) {
    for (const QString& c : index.columns)
        con.Execute(
            QStringLiteral("CREATE INDEX %1_%2_trgm ON %1 USING gin (%2 gin_trgm_ops)").arg(index.table, c));
}

// The longest run of characters that are no LIKE wildcards.
int longestLiteralRun(const QString& text) {
    int best = 0;
    int run = 0;
    for (QChar ch : text) {
        run = (ch == u'%' || ch == u'_') ? 0 : run + 1;
        best = qMax(best, run);
    }
    return best;
}

// The index's pattern: every row the exact filter keeps matches it (a literal % or _ of the text
// becomes a wildcard, and the index folds case at least as widely as LIKE does).
QString indexPattern(const QString& text) {
    QString p = text;
    p.replace(u'_', u'%');
    return u'%' + p + u'%';
}

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

QString contains(Connection& con, const QString& table, const QString& column, const QString& text,
                 QVariantList& params, const QString& qualifier) {
    const QString prefix = qualifier.isEmpty() ? QString() : qualifier + u'.';
    const QString exact = con.dialect().containsCI(prefix + column);
    if (longestLiteralRun(text) < 3 || !isIndexed(table, column)) {
        params << likeContains(text);
        return exact;
    }
    if (con.engine() == Engine::Postgres) {
        // The trigram index serves ILIKE on the bare column; backslash is its escape already.
        params << likeContains(text);
        return QStringLiteral("%1%2 ILIKE ?::text").arg(prefix, column);
    }
    const QString fts = ftsTable(table);
    const QString pattern = indexPattern(text);
    const int matches =
        con.scalar(
               QStringLiteral("select count(*) from (select rowid from %1 where %2 LIKE ? limit %3) probe")
                   .arg(fts, column)
                   .arg(FewMatches),
               {pattern})
            .toInt();
    if (matches >= FewMatches) {
        params << likeContains(text);
        return exact;
    }
    params << pattern << likeContains(text);
    return QStringLiteral("%1rowid IN (select rowid from %2 where %3 LIKE ?) AND %4")
        .arg(prefix, fts, column, exact);
}

} // namespace wb::TextSearch
