#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV6ShiftCompany() {
    Migration m{6, QStringLiteral("shifts and company profile"), {}, {}};
    return m;
}

} // namespace wb
