#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV17ListOrders() {
    Migration m{17, QStringLiteral("indexes in the order of the admission lists by patient name"), {}, {}};
    m.extra = [](Connection& con) {
        // The patients in name order (ties by key), and each patient's admissions in key order: a
        // list of admissions by patient name walks the first and looks each patient up in the second.
        con.Execute(
            QStringLiteral("CREATE INDEX Patient_Slips_Pat_name ON Patient_Slips (Pat_name, Row_no)"));
        con.Execute(
            QStringLiteral("CREATE INDEX Addmission_Pat_row_id_Row_no ON Addmission (Pat_row_id, Row_no)"));
        con.Execute(QStringLiteral("DROP INDEX Addmission_Pat_row_id")); // its first column only
    };
    return m;
}

} // namespace wb
