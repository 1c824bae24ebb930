#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV21CoveredOrders() {
    Migration m{21,
                QStringLiteral("the patient register's order with the columns it is searched on (server)"),
                {},
                {}};
    m.extra = [](Connection& con) {
        // The server tests a row only after reading it, unless the index it walks holds what the
        // test needs: the register by code, newest first, searched by name or telephone number.
        if (con.engine() != Engine::Postgres)
            return;
        con.Execute(
            QStringLiteral("CREATE INDEX patient_slips_code_no_covering ON Patient_Slips (Code_no DESC, "
                           "Row_no) INCLUDE (Pat_name, Tel_no)"));
    };
    return m;
}

} // namespace wb
