#pragma once

#include "dialect.h"

#include <QString>

class QSqlError;

// The engines' own words, turned into what a user can act on: the user never reads engine text.
namespace wb::enginetext {

// A statement's failure that the user can do something about (the disk that holds the database is
// full, the database cannot be written): the text to show; empty for any other failure.
QString plainStatementText(const QSqlError& error, Engine engine);

// What the user is told when the server refused to open a connection for `user`; `loginRefused`
// tells whether it is the login (name or password) that was refused.
QString plainConnectText(const QSqlError& error, const QString& user, bool& loginRefused);

// The embedded database file, or its folder, cannot be written by this user: nothing could be saved.
QString readOnlyFileText();

} // namespace wb::enginetext
