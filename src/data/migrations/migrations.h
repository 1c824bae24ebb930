#pragma once

#include "data/schema.h"

// The schema's steps, one file each; a new step adds its file, declares it here and lists it in
// Schema::migrations(). A released step is never changed.
namespace wb {

Migration migrationV1Users();
Migration migrationV2Patients();
Migration migrationV3Doctors();
Migration migrationV4Services();
Migration migrationV5Staff();
Migration migrationV6ShiftCompany();
Migration migrationV7Admissions();
Migration migrationV8Slips();
Migration migrationV9Certificates();
Migration migrationV12AccountReports();
Migration migrationV13SearchIndexes();
Migration migrationV14RegistrationNumbers();
Migration migrationV15SearchCase();
Migration migrationV16ShortSearch();
Migration migrationV17ListOrders();
Migration migrationV18MissingPatients();
Migration migrationV19OrderedSearch();
Migration migrationV20WalkedColumns();
Migration migrationV21CoveredOrders();
Migration migrationV22NameStatistics();
Migration migrationV23AdmissionsByName();
Migration migrationV24NameValues();
Migration migrationV25FoldedValues();

} // namespace wb
