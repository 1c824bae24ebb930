#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV5Staff() {
    Migration m{5, QStringLiteral("employees and panels"), {}, {}};
    return m;
}

} // namespace wb
