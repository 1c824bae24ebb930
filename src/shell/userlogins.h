#pragma once

#include <QString>

// The database login of each user of the users register: named after the user with every blank
// removed, and created, made administrator or not, and dropped inside the transaction that writes
// the user's row, so that the row and the login change together or not at all.
namespace wb::userlogins {

// The login of a user name: the name with every blank removed.
QString loginNameOf(const QString& userName);
// Whether two login names name one login (letter case aside).
bool sameLogin(const QString& a, const QString& b);
// Whether the user name's login is the one this desk is logged in as.
bool isSessionLogin(const QString& userName);
// Whether a user whose login is the name's login exists already: names equal without their blanks
// (letter case aside) are one user.
bool nameTaken(const QString& userName);

// Creates the login of a new user. A login of that name that has no user row (made outside the
// program) is not taken over. A refusal is raised as DbError of kind Refused, never as a duplicate
// key, which would make the save try again with another key.
void create(const QString& userName, const QString& password, bool administrator);
// Gives or takes the administrator's rights of a saved user's login, as its status says: a demoted
// administrator can no longer create logins or write the users.
void matchStatus(const QString& userName, bool administrator);
// Drops the login of a user being deleted: only a login of the program, never another role that
// happens to have the name.
void drop(const QString& userName);

} // namespace wb::userlogins
