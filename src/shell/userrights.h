#pragma once

#include <QString>

// Who may change what in the users register: an administrator adds, changes and deletes users; any
// user may change their own password and nothing else. Each check that refuses tells the user why.
namespace wb::userrights {

// Whether the logged-in user is an administrator.
bool administrator();
// Whether the logged-in user may add a user.
bool mayAdd();
// A user who is not an administrator saving the user `rowNo` with the designation and status shown:
// allowed only for their own row, with the designation and the status as stored. On success `login`
// is the user's login.
bool ownChangeAllowed(qint64 rowNo, const QString& designation, bool administratorChosen, QString& login);
// Whether the user with the key `key` (empty: none loaded) may be deleted from this desk: only by an
// administrator, and never the user this desk is logged in as.
bool mayDelete(const QString& key);

} // namespace wb::userrights
