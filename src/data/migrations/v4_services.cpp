#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV4Services() {
    Migration m{4, QStringLiteral("service heads and rate list"), {}, {}};
    return m;
}

} // namespace wb
