#pragma once

#include <QString>
#include <functional>

namespace wb {
class Connection;
}

namespace wbtest {

// What `run` costs the engine on `con`: the embedded one's virtual machine steps, or the rows the
// server reads from `table` (in one transaction, whose statistics count only its own reads).
qint64 engineWork(wb::Connection& con, const QString& table, const std::function<void()>& run);

// The statistics and tidied tables a hospital's database has by now: the server's VACUUM ANALYZE of
// the whole catalogue, run as its owner (nothing on the embedded engine).
void settleStatistics(wb::Connection& con);

// The database pages `run` reads on the embedded engine's connection `con` (from its cache or the file).
qint64 pagesRead(wb::Connection& con, const std::function<void()>& run);

} // namespace wbtest
