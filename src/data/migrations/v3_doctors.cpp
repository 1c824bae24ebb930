#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV3Doctors() {
    Migration m{3, QStringLiteral("doctors and panel doctors"), {}, {}};
    return m;
}

} // namespace wb
