#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV12AccountReports() {
    Migration m{12, QStringLiteral("account reports"), {}, {}};

    // The head-wise report's work table: one row per test charged on the day, under its service
    // head (S_Code = the head's Services.Row_no), with how often it was charged and for how much.
    // The table in the catalogue stays empty: each run fills a temporary table of the same name,
    // private to its connection, which the report reads and the run drops (see slips/headwise.h).
    Table work{QStringLiteral("rptHeadWise"), {}, {}};
    work.columns = {dateCol(QStringLiteral("Slip_date")),       intCol(QStringLiteral("S_Code")),
                    textCol(QStringLiteral("S_Name"), 60),      intCol(QStringLiteral("Test_Code")),
                    textCol(QStringLiteral("Test_Name"), 100),  intCol(QStringLiteral("Qty")),
                    decimalCol(QStringLiteral("Amount"), 14, 2)};

    m.tables = {work};
    return m;
}

} // namespace wb
