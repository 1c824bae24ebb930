#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV19OrderedSearch() {
    Migration m{19,
                QStringLiteral("the patient codes and registration numbers searched in their lists' order"),
                {},
                {}};
    // The patient register is listed by code and the admissions by registration number, newest
    // first, and each is searched on that column.
    m.orderedSearches = {
        {QStringLiteral("Patient_Slips"), QStringLiteral("Code_no"), QStringLiteral("Row_no")},
        {QStringLiteral("Addmission"), QStringLiteral("Reg_no"), QStringLiteral("Row_no")},
    };
    return m;
}

} // namespace wb
