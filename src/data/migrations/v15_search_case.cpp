#include "data/migrations/migrations.h"
#include "data/textsearch.h"

namespace wb {

Migration migrationV15SearchCase() {
    Migration m{
        15, QStringLiteral("the embedded engine's search indexes fold case as the search does"), {}, {}};
    m.extra = [](Connection& con) {
        // The earlier indexes kept each value as typed and folded only some letters: they are made
        // again over the values as the search folds them.
        for (const Migration& earlier : Schema::migrations())
            if (earlier.version < 15)
                TextSearch::recreateSqliteIndexes(con, earlier.searchIndexes);
    };
    return m;
}

} // namespace wb
