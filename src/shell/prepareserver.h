#pragma once

namespace wb {

// The set-up step of a PostgreSQL server, run once by its administrator from a terminal:
// `wardbook --prepare-postgres host[:port]` with the server's superuser in PGUSER and PGPASSWORD.
// Asks for the first administrator's password and the listing account's password (or takes them
// from WARDBOOK_ADMIN_PASSWORD and WARDBOOK_LISTER_PASSWORD). Returns the exit code.
int preparePostgresServer(const char* server);

} // namespace wb
