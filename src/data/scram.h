#pragma once

#include <QString>

namespace wb {

class Connection;

// The SCRAM-SHA-256 verifier of a password, computed here on the client with libpq over the open
// PostgreSQL connection: what a role statement sends instead of the password, so that no password
// reaches the server's log when the statement fails.
QString scramVerifier(Connection& con, const QString& password);

} // namespace wb
