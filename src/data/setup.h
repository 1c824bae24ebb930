#pragma once

#include "connection.h"

#include <QString>

namespace wb::Setup {

// The first administrator's login name on a new database.
inline const QString FirstAdministrator = QStringLiteral("ADMIN");

// Creates the embedded database file with every table, the first administrator's login (with the
// password chosen now) and that administrator's user row. Fails when the file exists.
void createEmbedded(const QString& path, const QString& adminPassword,
                    const QString& adminName = FirstAdministrator);

// Brings an embedded database file written by an earlier version of the program to this version's
// tables and search indexes (each step in a transaction of its own). True when anything was done.
bool upgradeEmbedded(const QString& path);

// Adds the first administrator to an open, migrated database: the login and the user row, together.
void addFirstAdministrator(Connection& con, const QString& adminName, const QString& adminPassword);

// Prepares a PostgreSQL catalogue as the server's superuser: the group role, the account that only
// lists users, the database, every table with its rights, and the first administrator.
struct PostgresSetup {
    QString server; // host or host:port
    QString superUser;
    QString superPassword;
    QString database = QStringLiteral("Wardbook");
    QString adminName = FirstAdministrator;
    QString adminPassword;
    QString listerPassword;
};
void preparePostgres(const PostgresSetup& setup);

} // namespace wb::Setup
