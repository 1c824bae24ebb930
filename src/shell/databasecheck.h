#pragma once

#include <QString>

namespace wb {

// Opens the embedded database file and lists its logins, as the login window will. Empty when that
// works; otherwise what the user is told: the file, why it cannot be opened, and what to do.
QString embeddedDatabaseProblem(const QString& path);

} // namespace wb
