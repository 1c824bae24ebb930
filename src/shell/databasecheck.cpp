#include "databasecheck.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "data/loginstore.h"

#include <QDir>

namespace wb {

QString embeddedDatabaseProblem(const QString& path) {
    QString reason;
    try {
        ConnectInfo info;
        info.engine = Engine::Sqlite;
        info.server = path;
        info.purpose = Purpose::ListUsers; // no login yet: only whether the file holds the logins
        Connection con;
        con.Open(info);
        con.logins().list();
        return {};
    } catch (const DbError& e) {
        reason = e.text();
    } catch (const std::exception& e) {
        reason = QString::fromUtf8(e.what());
    }
    return QStringLiteral("The database file \"%1\" cannot be opened: %2\n\n"
                          "Wardbook keeps its data in that file, so it cannot start without it. To go on, "
                          "either put back a good copy of the file (a restore from your backup), or start "
                          "Wardbook with WARDBOOK_DATABASE set to the path of another copy of the database.")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace wb
