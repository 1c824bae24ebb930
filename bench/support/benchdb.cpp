#include "benchdb.h"

#include "data/schema.h"
#include "data/setup.h"
#include "session/module1.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QSqlError>
#include <cstdio>
#include <stdexcept>

namespace wbbench {

std::optional<wb::ConnectInfo> connectInfo(benchmark::State& state, wb::Engine engine,
                                           const QString& postgresDatabase, const QString& sqliteFile) {
    if (engine == wb::Engine::Postgres) {
        const QString server = qEnvironmentVariable("WARDBOOK_TEST_PG");
        if (server.isEmpty()) {
            state.SkipWithError("no PostgreSQL server (WARDBOOK_TEST_PG)");
            return std::nullopt;
        }
        wb::Setup::PostgresSetup s;
        s.server = server;
        s.superUser = qEnvironmentVariable("WARDBOOK_TEST_PG_USER", QStringLiteral("postgres"));
        s.superPassword = qEnvironmentVariable("WARDBOOK_TEST_PG_PASSWORD");
        s.database = postgresDatabase;
        static QSet<QString> prepared; // once per catalogue and run
        if (!prepared.contains(postgresDatabase)) {
            wb::Setup::preparePostgres(s);
            prepared.insert(postgresDatabase);
        }
        return wb::ConnectInfo{wb::Engine::Postgres, server, s.database, s.superUser, s.superPassword};
    }
    if (!QFile::exists(sqliteFile))
        wb::Setup::createEmbedded(sqliteFile, AdminPassword);
    wb::ConnectInfo info;
    info.server = sqliteFile;
    info.user = wb::Setup::FirstAdministrator;
    info.password = AdminPassword;
    return info;
}

namespace {

// The indexes of `tables` on the server that back no constraint, with the statements that make them.
QList<QPair<QString, QString>> serverIndexes(wb::Connection& con, const QStringList& tables) {
    QStringList names;
    for (const QString& t : tables)
        names << u'\'' + t.toLower() + u'\'';
    QSqlQuery q = con.query(
        QStringLiteral("select quote_ident(i.indexname), i.indexdef from pg_indexes i "
                       "where i.schemaname = current_schema() and i.tablename in (%1) and not exists "
                       "(select 1 from pg_constraint c where c.conindid = "
                       "(quote_ident(i.schemaname) || '.' || quote_ident(i.indexname))::regclass)")
            .arg(names.join(u',')));
    QList<QPair<QString, QString>> out;
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString()});
    return out;
}

// A table the triggers keep by rewriting a row for each row written elsewhere (a list's count of the
// rows holding each value) is left by a fill of a million rows in one transaction with a million dead
// versions of its few thousand rows: the server cannot reuse a page's space while the transaction that
// wrote it is open. A desk writes one patient a transaction, and each rewrite then takes the place of
// the one before on its page (the counts of 4,500 names stay on their 40 pages after 60,000 single
// saves). Such tables are written compact again, as a hospital's server holds them.
void compactRewrittenTables(wb::Connection& con) {
    con.scalar(QStringLiteral("select pg_stat_force_next_flush()"));
    QSqlQuery q =
        con.query(QStringLiteral("select quote_ident(schemaname) || '.' || quote_ident(relname) from "
                                 "pg_stat_user_tables where n_tup_upd > n_tup_ins"));
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    q.finish();
    for (const QString& table : tables)
        con.Execute(QStringLiteral("VACUUM FULL ") + table);
}

// Empties the tables and fills them again in one transaction. The embedded engine gets a page cache
// large enough for the tables' indexes meanwhile; on the server, the indexes that back no constraint
// are dropped and built once after the rows are in, faster than keeping them up to date row by row.
void refill(wb::Connection& con, const BenchData& data) {
    const bool server = con.engine() == wb::Engine::Postgres;
    const QVariant cache = server ? QVariant() : con.scalar(QStringLiteral("PRAGMA cache_size"));
    if (!server)
        con.Execute(QStringLiteral("PRAGMA cache_size = -1048576"));
    wb::Transaction t(con);
    const auto indexes = server ? serverIndexes(con, data.emptied) : QList<QPair<QString, QString>>();
    if (server)
        con.Execute(QStringLiteral("SET LOCAL maintenance_work_mem = '512MB'"));
    for (const auto& index : indexes)
        con.Execute(QStringLiteral("DROP INDEX ") + index.first);
    for (const QString& table : data.emptied)
        con.Execute(QStringLiteral("delete from ") + table);
    data.fill(con);
    for (const auto& index : indexes)
        con.Execute(index.second);
    t.commit();
    if (!server)
        con.Execute(QStringLiteral("PRAGMA cache_size = %1").arg(cache.toLongLong()));
    else
        compactRewrittenTables(con);
}

} // namespace

bool openShared(benchmark::State& state, wb::Engine engine, const BenchData& data) {
    const auto info = connectInfo(state, engine, data.postgresDatabase, data.sqliteFile);
    if (!info)
        return false;
    Module1::CreateShared();
    Module1::Rs->Close();
    Module1::Con->Open(*info);
    wb::Connection& con = *Module1::Con;
    if (engine == wb::Engine::Sqlite)
        wb::Schema::migrate(con); // a file kept from an earlier run gets the program's newer steps
    const int there = con.scalar(data.countQuery).toInt();
    if (there == data.rows || (data.orMore && there > data.rows))
        return true;
    QElapsedTimer timer;
    timer.start();
    refill(con, data);
    if (engine == wb::Engine::Postgres)
        con.Execute(
            QStringLiteral("vacuum analyze")); // statistics, and the visibility map for index-only scans
    std::fprintf(stderr, "filled %d rows (%s) in %.1f s\n", data.rows,
                 engine == wb::Engine::Sqlite ? "SQLite" : "PostgreSQL",
                 static_cast<double>(timer.elapsed()) / 1000);
    return true;
}

void closeShared() {
    Module1::Rs->Close();
    Module1::Con->Close();
}

void exec(QSqlQuery& q) {
    if (!q.exec())
        throw std::runtime_error(q.lastError().text().toStdString());
}

} // namespace wbbench
