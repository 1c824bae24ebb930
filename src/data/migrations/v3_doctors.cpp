#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV3Doctors() {
    Migration m{3, QStringLiteral("doctors and panel doctors"), {}, {}};
    // Doctors and panel doctors in one table; Status tells them apart ("Doctor" or "Panel"). The
    // five percentages are whole numbers of at most three digits (the grid shows them as three
    // characters and a "%").
    Table t{QStringLiteral("doc"), {}, QStringLiteral("Row_no")};
    t.columns = {intCol(QStringLiteral("Row_no")),          textCol(QStringLiteral("doc_code"), 20),
                 textCol(QStringLiteral("doc_name"), 60),   textCol(QStringLiteral("doc_des"), 50),
                 textCol(QStringLiteral("doc_tel"), 30),    textCol(QStringLiteral("doc_degree"), 50),
                 textCol(QStringLiteral("doc_clinic"), 60), textCol(QStringLiteral("doc_add"), 150),
                 textCol(QStringLiteral("day_time"), 50),   textCol(QStringLiteral("doc_loca"), 50),
                 intCol(QStringLiteral("roun_per"), 3),     intCol(QStringLiteral("spec_per"), 3),
                 intCol(QStringLiteral("ultr_per"), 3),     intCol(QStringLiteral("x_r_per"), 3),
                 intCol(QStringLiteral("ecg_per"), 3),      textCol(QStringLiteral("Status"), 10)};
    t.columns[0].notNull = true;
    m.tables = {t};
    m.extra = [](Connection& con) {
        con.Execute(QStringLiteral("CREATE INDEX doc_doc_code ON doc (doc_code)"));
    };
    return m;
}

} // namespace wb
