#pragma once

#include "data/connection.h"

#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>
#include <optional>

// The databases the benchmarks run on: the embedded one in a file, and (when the test command's
// WARDBOOK_TEST_PG names a server, with WARDBOOK_TEST_PG_USER and WARDBOOK_TEST_PG_PASSWORD of its
// superuser) a catalogue of its own on PostgreSQL, prepared as the program prepares a server.
namespace wbbench {

// The first administrator's password of every embedded bench database.
inline const QString AdminPassword = QStringLiteral("bench-password");

// Where a benchmark's rows live and how they are made.
struct BenchData {
    QString postgresDatabase; // the catalogue on the PostgreSQL server
    QString sqliteFile;       // the embedded database's file, made on first use
    QString countQuery;       // one number: the rows there now
    int rows = 0;             // what a fill leaves
    bool orMore = false;      // more rows than `rows` (added by an earlier run) are kept
    QStringList emptied;      // tables emptied, in this order, before a fill
    std::function<void(wb::Connection&)> fill;
};

// How to reach the bench database of that engine as its administrator (the embedded file is made,
// the catalogue prepared, on first use). Nothing when PostgreSQL is asked for without a server:
// the run is then skipped and says why.
std::optional<wb::ConnectInfo> connectInfo(benchmark::State& state, wb::Engine engine,
                                           const QString& postgresDatabase, const QString& sqliteFile);

// Opens Module1::Con on the bench database, emptying and filling it when it does not hold the rows
// (and then vacuuming and analysing the server's catalogue). False when the run is skipped.
bool openShared(benchmark::State& state, wb::Engine engine, const BenchData& data);

// A file for the embedded bench database in a run's own folder.
inline QString fileIn(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("bench.sqlite"));
}

// Closes Module1::Rs and Module1::Con.
void closeShared();

// Runs a prepared statement with its bound values; throws the driver's text when it fails.
void exec(QSqlQuery& q);

} // namespace wbbench
