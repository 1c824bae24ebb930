#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV4Services() {
    Migration m{4, QStringLiteral("service heads and rate list"), {}, {}};

    // Service heads: the categories under which the rate list groups its tests. The key is given by
    // the database; S_code holds the constant "CAT-".
    Table services{QStringLiteral("Services"), {}, QStringLiteral("Row_no")};
    services.keyByDatabase = true;
    services.columns = {intCol(QStringLiteral("Row_no")), textCol(QStringLiteral("S_name"), 60),
                        textCol(QStringLiteral("S_code"), 10)};
    services.columns[0].notNull = true;

    // Tests and their rates, each under one service head (S_code = the head's Row_no). The rate is a
    // double, the type the pick hands to the slip screen.
    Table rates{QStringLiteral("Rate_List"), {}, QStringLiteral("Row_no")};
    rates.keyByDatabase = true;
    rates.columns = {intCol(QStringLiteral("Row_no")), intCol(QStringLiteral("S_code")),
                     textCol(QStringLiteral("Cata"), 100), doubleCol(QStringLiteral("Rate")),
                     textCol(QStringLiteral("Status"), 10)};
    rates.columns[0].notNull = true;

    m.tables = {services, rates};
    m.extra = [](Connection& con) {
        con.Execute(QStringLiteral("CREATE INDEX Rate_List_S_code ON Rate_List (S_code)"));
    };
    return m;
}

} // namespace wb
