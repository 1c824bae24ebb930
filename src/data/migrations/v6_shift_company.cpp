#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV6ShiftCompany() {
    Migration m{6, QStringLiteral("shifts and company profile"), {}, {}};

    // The shifts. Their times are kept as zero-padded "HH:MM" text, not as time values: the slip
    // screen finds the current shift by comparing them as text with the time of day.
    Table shift{QStringLiteral("SHIFT"), {}, QStringLiteral("row_no")};
    shift.keyByDatabase = true;
    shift.columns = {intCol(QStringLiteral("row_no")), textCol(QStringLiteral("shift_code"), 20),
                     textCol(QStringLiteral("shift"), 30), textCol(QStringLiteral("time_from"), 5),
                     textCol(QStringLiteral("time_to"), 5)};
    shift.columns[0].notNull = true;

    // The company profile; comActive is 'Y' on the one company the account reports print under.
    // The tax numbers are kept with their hyphens, exactly as their masks spell them.
    Table company{QStringLiteral("Company"), {}, QStringLiteral("CompCode")};
    company.keyByDatabase = true;
    company.columns = {intCol(QStringLiteral("CompCode")),      textCol(QStringLiteral("Company"), 60),
                       textCol(QStringLiteral("comTel"), 50),   textCol(QStringLiteral("comFax"), 50),
                       textCol(QStringLiteral("comAddr"), 150), textCol(QStringLiteral("comActive"), 1),
                       textCol(QStringLiteral("comTax"), 17),   textCol(QStringLiteral("comNTN"), 9),
                       textCol(QStringLiteral("comEmail"), 60), textCol(QStringLiteral("comWebSite"), 60)};
    company.columns[0].notNull = true;

    m.tables = {shift, company};
    return m;
}

} // namespace wb
