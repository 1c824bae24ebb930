#pragma once

#include <QSqlDatabase>

namespace wb {

// Replaces the embedded engine's upper() and lower(), which fold only ASCII letters, by
// Unicode-aware ones on this connection, so that a case-insensitive search finds "JOSÉ" for "josé"
// as the server does.
void registerSqliteFunctions(QSqlDatabase& db);

} // namespace wb
