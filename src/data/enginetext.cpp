#include "enginetext.h"

#include <QSqlError>

namespace wb::enginetext {

namespace {

// SQLite's primary result codes (an extended code keeps the primary one in its low byte).
constexpr int sqliteReadOnly = 8;
constexpr int sqliteFull = 13;

int sqliteCode(const QSqlError& e) {
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : -1;
}

bool mentions(const QSqlError& e, const char* words) {
    return e.databaseText().contains(QLatin1String(words), Qt::CaseInsensitive) ||
           e.driverText().contains(QLatin1String(words), Qt::CaseInsensitive);
}

} // namespace

QString readOnlyFileText() {
    return QStringLiteral("the file, or the folder that holds it, is read-only for this user, so nothing "
                          "could be saved in it. Ask the administrator to let this user write the file and "
                          "its folder, then start Wardbook again.");
}

QString plainStatementText(const QSqlError& error, Engine engine) {
    const bool full = engine == Engine::Sqlite ? sqliteCode(error) == sqliteFull
                                               : error.nativeErrorCode() == QLatin1String("53100");
    if (full)
        return QStringLiteral(
            "The disk that holds the database is full: nothing was saved. Free some space on "
            "it (or ask the administrator to), then save again.");
    const bool readOnly = engine == Engine::Sqlite ? sqliteCode(error) == sqliteReadOnly
                                                   : error.nativeErrorCode() == QLatin1String("25006");
    if (readOnly)
        return QStringLiteral("The database cannot be written now: nothing was saved. For the embedded "
                              "database, ") +
               readOnlyFileText();
    return {};
}

QString plainConnectText(const QSqlError& error, const QString& user, bool& loginRefused) {
    loginRefused = mentions(error, "password authentication failed") ||
                   (mentions(error, "role") && mentions(error, "does not exist")) ||
                   mentions(error, "no pg_hba.conf entry") || mentions(error, "password");
    if (loginRefused)
        return QStringLiteral("Login failed for user '%1': the user name or the password is wrong. Type them "
                              "again (letter case counts in the password).")
            .arg(user);
    if (mentions(error, "does not exist"))
        return QStringLiteral(
            "The database server has no Wardbook catalogue: ask the administrator to prepare "
            "the server (wardbook --prepare-postgres), then try again.");
    if (mentions(error, "permission denied") || mentions(error, "CONNECT privilege"))
        return QStringLiteral(
                   "Login failed for user '%1': this login may not use the Wardbook catalogue. Ask "
                   "the administrator to give it the rights of a Wardbook user, then try again.")
            .arg(user);
    return QStringLiteral("The database server cannot be reached. Check that the server is running and that "
                          "this computer is connected to the network, then try again.");
}

} // namespace wb::enginetext
