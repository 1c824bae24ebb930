#include "sqlitefunctions.h"

#include "dberror.h"

#include <QSqlDriver>
#include <QString>
#include <QVariant>
#include <sqlite3.h>

namespace wb {

namespace {

// upper() and lower() over the UTF-8 text the database keeps: ASCII text is changed byte by byte
// (and handed back as it is when no letter changes); other text follows Unicode's case rules.
template <bool Upper> void changeCase(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = sqlite3_value_text(args[0]);
    const int bytes = sqlite3_value_bytes(args[0]);
    const unsigned char from = Upper ? 'a' : 'A';
    bool ascii = true;
    int firstChange = -1;
    for (int i = 0; i < bytes; ++i) {
        if (text[i] >= 0x80) {
            ascii = false;
            break;
        }
        if (firstChange < 0 && text[i] >= from && text[i] <= from + 25)
            firstChange = i;
    }
    if (ascii) {
        if (firstChange < 0) {
            if (sqlite3_value_type(args[0]) == SQLITE_TEXT)
                sqlite3_result_value(context, args[0]);
            else
                sqlite3_result_text(context, reinterpret_cast<const char*>(text), bytes, SQLITE_TRANSIENT);
            return;
        }
        auto* out = static_cast<char*>(sqlite3_malloc(bytes + 1));
        if (!out) {
            sqlite3_result_error_nomem(context);
            return;
        }
        for (int i = 0; i < bytes; ++i) {
            const unsigned char ch = text[i];
            out[i] = static_cast<char>(ch >= from && ch <= from + 25 ? ch ^ 0x20 : ch);
        }
        out[bytes] = 0;
        sqlite3_result_text(context, out, bytes, sqlite3_free);
        return;
    }
    const QString in = QString::fromUtf8(reinterpret_cast<const char*>(text), bytes);
    const QByteArray out = (Upper ? in.toUpper() : in.toLower()).toUtf8();
    sqlite3_result_text(context, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

} // namespace

void registerSqliteFunctions(QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("The embedded database's driver gave no connection handle."));
    sqlite3* con = *static_cast<sqlite3* const*>(handle.data());
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (!con ||
        sqlite3_create_function_v2(con, "upper", 1, flags, nullptr, &changeCase<true>, nullptr, nullptr,
                                   nullptr) != SQLITE_OK ||
        sqlite3_create_function_v2(con, "lower", 1, flags, nullptr, &changeCase<false>, nullptr, nullptr,
                                   nullptr) != SQLITE_OK)
        throw DbError(QStringLiteral("The embedded database's case functions could not be registered."));
}

} // namespace wb
