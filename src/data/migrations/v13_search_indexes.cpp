#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV13SearchIndexes() {
    Migration m{13, QStringLiteral("contains-search indexes of the registers and the slip book"), {}, {}};
    m.extra = [](Connection& con) {
        // The slip list's order (newest reference first, slips without one last), so the first
        // screenful of the whole book is read from the index's start.
        con.Execute(
            QStringLiteral("CREATE INDEX SLIPS_MASTER_list ON SLIPS_MASTER "
                           "((case when Slip_code is null then 1 else 0 end), Slip_code desc, Row_no desc)"));
    };
    // Every column a register's search box filters with "contains".
    m.searchIndexes = {
        {QStringLiteral("Patient_Slips"),
         {QStringLiteral("Pat_name"), QStringLiteral("Code_no"), QStringLiteral("Tel_no")}},
        {QStringLiteral("doc"),
         {QStringLiteral("doc_name"), QStringLiteral("doc_des"), QStringLiteral("doc_clinic"),
          QStringLiteral("doc_loca"), QStringLiteral("doc_tel")}},
        {QStringLiteral("User_Information"), {QStringLiteral("User_Name"), QStringLiteral("Designation")}},
        {QStringLiteral("Employees"), {QStringLiteral("Emp_name"), QStringLiteral("Emp_no")}},
        {QStringLiteral("Panel"), {QStringLiteral("Panel_Name")}},
        {QStringLiteral("Company"), {QStringLiteral("Company")}},
        {QStringLiteral("Addmission"), {QStringLiteral("Reg_no")}},
        {QStringLiteral("Rate_List"), {QStringLiteral("Cata")}},
        {QStringLiteral("SLIPS_MASTER"), {QStringLiteral("p_name"), QStringLiteral("Slip_code")}},
    };
    return m;
}

} // namespace wb
