#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV13SearchIndexes() {
    Migration m{13, QStringLiteral("contains-search indexes of the registers"), {}, {}};
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
    };
    return m;
}

} // namespace wb
