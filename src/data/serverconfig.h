#pragma once

#include "connection.h"

#include <QString>

namespace wb {

// What "Server.txt" beside the executable says: its first field names the server ("." is the
// embedded database, anything else a PostgreSQL host or host:port); an optional second field is the
// password of the account that only lists the users.
struct ServerConfig {
    QString server = QStringLiteral(".");
    QString listerPassword;

    bool embedded() const { return server == QLatin1String("."); }
    // The connection to make for `user`, against the catalogue "Wardbook".
    ConnectInfo connectInfo(const QString& user, const QString& password) const;
};

// Why a password cannot stand as the second field of "Server.txt" and be read back as it is (a
// quote, a comma, a line break, a blank at either end), or the empty text when it can.
QString serverFileProblem(const QString& listerPassword);

// The catalogue on the server: "Wardbook" (tests use catalogues of their own).
QString catalogueName();
void setCatalogueName(const QString& name);

// Reads the first fields of a "Server.txt" file (up to a comma or the line end, surrounding quotes
// removed). Raises DbError when the file is missing or empty.
ServerConfig readServerFile(const QString& path);
// The file beside the executable.
QString serverFilePath();
// Where the embedded database lives: WARDBOOK_DATABASE when set, else "Wardbook/Wardbook.sqlite" in
// the user's data folder (~/.local/share), a folder that only its owner may open.
QString embeddedDatabasePath();
// Points the embedded database elsewhere for this run (tests); empty restores the default.
void setEmbeddedDatabasePath(const QString& path);

} // namespace wb
