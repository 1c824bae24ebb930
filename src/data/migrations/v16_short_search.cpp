#include "data/migrations/migrations.h"
#include "data/textsearch.h"

namespace wb {

Migration migrationV16ShortSearch() {
    Migration m{16,
                QStringLiteral("contains-searches of one or two characters served by the search indexes"),
                {},
                {}};
    m.extra = [](Connection& con) {
        // The embedded engine's indexes become one trigram table per column whose values end in two
        // characters of their own; the server's gain an index of characters and pairs.
        for (const Migration& earlier : Schema::migrations())
            if (earlier.version < 16)
                TextSearch::upgradeIndexes(con, earlier.searchIndexes);
    };
    return m;
}

} // namespace wb
