#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV2Patients() {
    Migration m{2, QStringLiteral("patient register"), {}, {}};
    Table t{QStringLiteral("Patient_Slips"), {}, QStringLiteral("Row_no")};
    t.columns = {intCol(QStringLiteral("Row_no")),       textCol(QStringLiteral("Code_no"), 20),
                 textCol(QStringLiteral("Card_no"), 30), textCol(QStringLiteral("Pat_name"), 60),
                 textCol(QStringLiteral("Tel_no"), 30),  textCol(QStringLiteral("Fat_name"), 60),
                 textCol(QStringLiteral("Sex"), 1),      dateCol(QStringLiteral("Pat_date")),
                 textCol(QStringLiteral("Addr"), 150)};
    t.columns[0].notNull = true;
    m.tables = {t};
    m.extra = [](Connection& con) {
        con.Execute(QStringLiteral("CREATE INDEX Patient_Slips_Code_no ON Patient_Slips (Code_no)"));
    };
    return m;
}

} // namespace wb
