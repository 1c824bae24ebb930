#pragma once

#include <QString>

namespace wb {

// On the first start with the embedded database, creates the database and its first administrator.
// The password comes from WARDBOOK_ADMIN_PASSWORD, or is asked in the terminal (twice, not echoed).
// Returns false (after telling why on the terminal) when no password could be had.
bool prepareEmbeddedDatabase();

// Reads a line from the terminal without echoing it; false when there is no terminal.
bool readSecretLine(const QString& prompt, QString& out);

} // namespace wb
