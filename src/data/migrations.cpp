#include "migrations/migrations.h"

namespace wb {

const QList<Migration>& Schema::migrations() {
    static const QList<Migration> all = {
        migrationV1Users(),
        migrationV2Patients(),
        migrationV3Doctors(),
        migrationV4Services(),
        migrationV5Staff(),
        migrationV6ShiftCompany(),
        migrationV7Admissions(),
        migrationV8Slips(),
        migrationV9Certificates(),
        migrationV12AccountReports(),
        migrationV13SearchIndexes(),
        migrationV14RegistrationNumbers(),
        migrationV15SearchCase(),
        migrationV16ShortSearch(),
        migrationV17ListOrders(),
        migrationV18MissingPatients(),
        migrationV19OrderedSearch(),
        migrationV20WalkedColumns(),
        migrationV21CoveredOrders(),
        migrationV22NameStatistics(),
        migrationV23AdmissionsByName(),
        migrationV24NameValues(),
        migrationV25FoldedValues(),
    };
    return all;
}

} // namespace wb
