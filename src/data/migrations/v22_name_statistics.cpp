#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV22NameStatistics() {
    Migration m{22,
                QStringLiteral("finer statistics of the names patients and slips are searched by (server)"),
                {},
                {}};
    m.extra = [](Connection& con) {
        // The server chooses between walking a list and reading a name's matches through the
        // trigram index by its guess of how many rows hold the text. A few thousand names, a
        // hundred of them common, leave most names out of the default statistics: a part of a name that a
        // patient in 160 holds was taken for one in 11,000, and every match read and sorted.
        // Ten times the sample and the common values put such a name's share within a few percent.
        if (con.engine() != Engine::Postgres)
            return;
        for (const auto& [table, column] :
             {std::pair{"Patient_Slips", "Pat_name"}, {"SLIPS_MASTER", "p_name"}}) {
            con.Execute(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 SET STATISTICS 1000")
                            .arg(QLatin1String(table), QLatin1String(column)));
            // A table with rows gets them now; an empty one keeps "never analysed" (its size is
            // then read from its pages, not taken for none).
            if (con.scalar(QStringLiteral("select exists (select 1 from %1)").arg(QLatin1String(table)))
                    .toBool())
                con.Execute(
                    QStringLiteral("ANALYZE %1 (%2)").arg(QLatin1String(table), QLatin1String(column)));
        }
    };
    return m;
}

} // namespace wb
