#pragma once

#include <QString>
#include <QVariantList>

namespace wb {

class Connection;

// The rights of a PostgreSQL catalogue, set by the preparing account (the server's superuser):
//   <catalogue>_users   group of every login: reads every table, writes the data tables;
//   <catalogue>_admins  group of the administrators' logins: writes the users and their menu rights;
//   <catalogue>_keeper  owns the functions that create, change and drop logins (it cannot log in);
//   <catalogue>_lister  may connect and list the logins, nothing else.
// No login has CREATEROLE: logins are managed through the keeper's functions only, which act on
// members of the user group only and only for an administrator (a login changes its own password).
namespace ServerRights {

QString usersRole(const QString& catalogue);
QString adminsRole(const QString& catalogue);
QString keeperRole(const QString& catalogue);
QString listerRole(const QString& catalogue);

// Tables only the preparing account (the version) or an administrator (the users, menu rights)
// writes; every other table of the schema is a data table.
bool isProtectedTable(const QString& table);

// Runs `pattern` after the server quoted `args` into it with format() (%I names, %L texts).
void runQuoted(Connection& con, const QString& pattern, const QVariantList& args);
bool roleExists(Connection& con, const QString& role);

// Grants the user group its rights on every table of the catalogue's schema and the administrators'
// group its rights on the users and menu rights; takes away any wider right found on those.
void grantTables(Connection& con);
// Creates (or replaces) the login functions, owned by the keeper, callable by the user group only.
void installLoginFunctions(Connection& con);

} // namespace ServerRights

} // namespace wb
