#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace wb {

class Connection;

// The rights of a PostgreSQL catalogue, set by the preparing account (the server's superuser):
//   <catalogue>_users   group of every login: reads every table, writes none;
//   <catalogue>_writes_<table>  writers of one table: a login is a member while its menu rights open
//                       a screen that writes the table (see menuWrites());
//   <catalogue>_admins  group of the administrators' logins: writes every table but the version;
//   <catalogue>_keeper  owns the functions that create, change and drop logins and keep the writers
//                       in step with the menu rights (it cannot log in);
//   <catalogue>_lister  may connect and list the logins, nothing else.
// No login has CREATEROLE: logins are managed through the keeper's functions only, which act on
// members of the user group only and only for an administrator (a login changes its own password).
// A saved slip stays as it was cashed: the slips' writers add slips with their lines and cancel
// them; only an administrator changes, un-cancels or deletes one (triggers on the two tables).
namespace ServerRights {

QString usersRole(const QString& catalogue);
QString adminsRole(const QString& catalogue);
QString keeperRole(const QString& catalogue);
QString listerRole(const QString& catalogue);

// What each menu command's screen writes: the tables a login may write while its menu rights open
// the screen. Every table a screen writes must be named here, or the screen's users cannot save.
struct MenuWrites {
    QString menu;       // the command's caption, as the rights editor saves it
    QString topMenu;    // the caption of the menu it stands in
    QStringList tables; // the tables its screen writes
};
const QList<MenuWrites>& menuWrites();
// Every table some menu's screen writes, once each, in lower case.
QStringList writtenTables();
// The writers' role of a table, and every role the preparation makes for the catalogue.
QString writersRole(const QString& catalogue, const QString& table);
QStringList catalogueRoles(const QString& catalogue);

// Tables only the preparing account (the version) or an administrator (the users, menu rights)
// writes; every other table of the schema is a data table.
bool isProtectedTable(const QString& table);

// Runs `pattern` after the server quoted `args` into it with format() (%I names, %L texts).
void runQuoted(Connection& con, const QString& pattern, const QVariantList& args);
bool roleExists(Connection& con, const QString& role);

// Makes the writers' roles that do not exist yet (as the preparing account, on any database).
void ensureWriterRoles(Connection& server, const QString& catalogue);
// Grants on every table of the catalogue's schema: the user group reads, each table's writers write
// it (the slips' writers only add and cancel), the administrators write every table but the version;
// takes away any other right of those roles found on them.
void grantTables(Connection& con);
// Creates (or replaces) a function of the catalogue owned by the keeper, with a fixed search_path,
// executable by `callers` only (nobody when empty: a trigger's function).
void installFunction(Connection& con, const QString& signature, const QString& returns, const QString& body,
                     bool securityDefiner, const QString& callers);
// Creates (or replaces) the login functions, owned by the keeper, callable by the user group only.
void installLoginFunctions(Connection& con);
// Creates (or replaces) the function that gives each login the writers' roles its menu rights call
// for, the triggers that run it whenever the users or their menu rights change (in the same
// transaction), and the triggers that keep saved slips as they were cashed.
void installMenuRights(Connection& con);
// Gives each login of the catalogue the writers' roles its menu rights call for, now.
void followMenuRights(Connection& con);

} // namespace ServerRights

} // namespace wb
