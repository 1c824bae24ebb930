#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV17ListOrders() {
    Migration m{
        17,
        QStringLiteral(
            "indexes in the orders of the admission lists by patient name and the certificate listings"),
        {},
        {}};
    m.extra = [](Connection& con) {
        // The patients in name order (ties by key), and each patient's admissions in key order: a
        // list of admissions by patient name walks the first and looks each patient up in the second.
        con.Execute(QStringLiteral(
            "CREATE INDEX IF NOT EXISTS Patient_Slips_Pat_name ON Patient_Slips (Pat_name, Row_no)"));
        con.Execute(QStringLiteral(
            "CREATE INDEX IF NOT EXISTS Addmission_Pat_row_id_Row_no ON Addmission (Pat_row_id, Row_no)"));
        con.Execute(QStringLiteral("DROP INDEX IF EXISTS Addmission_Pat_row_id")); // its first column only
        // The certificate listings' orders, ties by key: on the server an index of the first column
        // alone leaves every tie to be sorted, and one name can have thousands.
        con.Execute(QStringLiteral("CREATE INDEX IF NOT EXISTS Discharge_Certificate_list ON "
                                   "Discharge_Certificate (Pat_name, Row_no)"));
        con.Execute(QStringLiteral("DROP INDEX IF EXISTS discharge_certificate_pat_name"));
        con.Execute(QStringLiteral(
            "CREATE INDEX IF NOT EXISTS Death_Certificate_list ON Death_Certificate (Add_no, Row_no)"));
        con.Execute(QStringLiteral("DROP INDEX IF EXISTS death_certificate_add_no"));
    };
    return m;
}

} // namespace wb
