#include "enginework.h"

#include "data/connection.h"
#include "testdb.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace wbtest {

qint64 engineWork(wb::Connection& con, const QString& table, const std::function<void()>& run) {
    if (con.engine() == wb::Engine::Sqlite) {
        sqlite3* handle = *static_cast<sqlite3* const*>(con.database().driver()->handle().data());
        qint64 steps = 0;
        sqlite3_progress_handler(
            handle, 1, [](void* n) { return ++*static_cast<qint64*>(n), 0; }, &steps);
        run();
        sqlite3_progress_handler(handle, 0, nullptr, nullptr);
        return steps;
    }
    wb::Transaction t(con);
    const QString read = QStringLiteral("select coalesce(sum(seq_tup_read + coalesce(idx_tup_fetch, 0)), 0) "
                                        "from pg_stat_xact_user_tables where relname = lower(?)");
    const qint64 before = con.scalar(read, {table}).toLongLong();
    run();
    return con.scalar(read, {table}).toLongLong() - before;
}

void settleStatistics(wb::Connection& con) {
    if (con.engine() != wb::Engine::Postgres)
        return;
    wb::Connection owner;
    owner.Open(serverAdminInfo(con.info().database));
    owner.Execute(QStringLiteral("vacuum analyze"));
}

qint64 pagesRead(wb::Connection& con, const std::function<void()>& run) {
    sqlite3* handle = *static_cast<sqlite3* const*>(con.database().driver()->handle().data());
    const auto read = [handle] {
        qint64 total = 0;
        for (int kind : {SQLITE_DBSTATUS_CACHE_HIT, SQLITE_DBSTATUS_CACHE_MISS}) {
            int now = 0;
            int highest = 0;
            sqlite3_db_status(handle, kind, &now, &highest, 0);
            total += now;
        }
        return total;
    };
    const qint64 before = read();
    run();
    return read() - before;
}

} // namespace wbtest
