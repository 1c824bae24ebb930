#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV20WalkedColumns() {
    Migration m{20,
                QStringLiteral("the columns searched while a list is walked, held by its order's index "
                               "(embedded database)"),
                {},
                {}};
    m.extra = [](Connection& con) {
        // A search that walks a list in its order tests each row it passes: where the order's index
        // holds the searched column, the embedded engine tests the index entry and reads only the
        // rows that match. The server reads each row it passes either way.
        if (con.engine() != Engine::Sqlite)
            return;
        // The patient register by code, searched by name, code or telephone number.
        con.Execute(QStringLiteral(
            "CREATE INDEX Patient_Slips_Code_no_searched ON Patient_Slips (Code_no, Pat_name, Tel_no)"));
        con.Execute(QStringLiteral("DROP INDEX Patient_Slips_Code_no"));
        // Each patient's admissions, walked in patient name order and searched by registration number.
        con.Execute(QStringLiteral("CREATE INDEX Addmission_Pat_row_id_Row_no_Reg_no ON Addmission "
                                   "(Pat_row_id, Row_no, Reg_no)"));
        con.Execute(QStringLiteral("DROP INDEX Addmission_Pat_row_id_Row_no"));
    };
    return m;
}

} // namespace wb
