#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV1Users() {
    Migration m{1, QStringLiteral("users, menu rights and embedded logins"), {}, {}};

    Table users{QStringLiteral("User_Information"), {}, QStringLiteral("Row_No")};
    users.columns = {intCol(QStringLiteral("Row_No")),         textCol(QStringLiteral("User_Code"), 20),
                     textCol(QStringLiteral("User_Name"), 50), textCol(QStringLiteral("Designation"), 50),
                     textCol(QStringLiteral("PassWard"), 50),  textCol(QStringLiteral("Status"), 1)};
    users.columns[0].notNull = true;

    Table menus{QStringLiteral("Chart_Of_Menus"), {}, {}};
    menus.columns = {intCol(QStringLiteral("User_ID")), textCol(QStringLiteral("Menus"), 50),
                     textCol(QStringLiteral("Active"), 1)};

    // The embedded database's logins: name, Argon2id hash, and whether it may create logins.
    Table logins{QStringLiteral("Logins"), {}, QStringLiteral("Login_Name")};
    logins.embeddedOnly = true;
    logins.columns = {textCol(QStringLiteral("Login_Name"), 128), textCol(QStringLiteral("Pass_Hash"), 255),
                      intCol(QStringLiteral("Is_Admin"))};
    logins.columns[0].notNull = true;
    logins.columns[1].notNull = true;

    m.tables = {users, menus, logins};
    return m;
}

} // namespace wb
