#include "sqlitefunctions.h"

#include "dberror.h"

#include <QSqlDriver>
#include <QString>
#include <QVariant>
#include <sqlite3.h>

namespace wb {

namespace {

template <bool Upper> void changeCase(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = static_cast<const char16_t*>(sqlite3_value_text16(args[0]));
    const int bytes = sqlite3_value_bytes16(args[0]);
    const QString in = QString::fromUtf16(text, bytes / 2);
    const QString out = Upper ? in.toUpper() : in.toLower();
    sqlite3_result_text16(context, out.utf16(), int(out.size() * 2), SQLITE_TRANSIENT);
}

} // namespace

void registerSqliteFunctions(QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("The embedded database's driver gave no connection handle."));
    sqlite3* con = *static_cast<sqlite3* const*>(handle.data());
    const int flags = SQLITE_UTF16 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (!con ||
        sqlite3_create_function_v2(con, "upper", 1, flags, nullptr, &changeCase<true>, nullptr, nullptr,
                                   nullptr) != SQLITE_OK ||
        sqlite3_create_function_v2(con, "lower", 1, flags, nullptr, &changeCase<false>, nullptr, nullptr,
                                   nullptr) != SQLITE_OK)
        throw DbError(QStringLiteral("The embedded database's case functions could not be registered."));
}

} // namespace wb
