#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV7Admissions() {
    Migration m{7, QStringLiteral("admissions"), {}, {}};
    // One row per admission, written by the admission, observation and operation screens. The
    // patient and the three doctors are row numbers of Patient_Slips and doc; Ipd_code is "IPD-"
    // followed by the key. A registration number belongs to one admission only.
    Table t{QStringLiteral("Addmission"), {}, QStringLiteral("Row_no")};
    t.columns = {intCol(QStringLiteral("Row_no")),          textCol(QStringLiteral("Ipd_code"), 20),
                 textCol(QStringLiteral("Reg_no"), 20),     dateCol(QStringLiteral("admdate")),
                 intCol(QStringLiteral("Pat_row_id")),      intCol(QStringLiteral("Age"), 3),
                 textCol(QStringLiteral("Yr"), 1),          decimalCol(QStringLiteral("Weight"), 5, 1),
                 textCol(QStringLiteral("Mei_statue"), 10), textCol(QStringLiteral("Tel_no"), 30),
                 textCol(QStringLiteral("Room_no"), 20),    textCol(QStringLiteral("Addr"), 150),
                 textCol(QStringLiteral("Obser"), 250),     textCol(QStringLiteral("Name_responsible"), 60),
                 textCol(QStringLiteral("Rel_pat"), 10),    intCol(QStringLiteral("consultant")),
                 intCol(QStringLiteral("duty_doc")),        intCol(QStringLiteral("reff_doc")),
                 textCol(QStringLiteral("Shift"), 1),       timeCol(QStringLiteral("admtime"))};
    t.columns[0].notNull = true;
    t.uniqueColumns = {QStringLiteral("Reg_no")};
    m.tables = {t};
    m.extra = [](Connection& con) {
        con.Execute(QStringLiteral("CREATE INDEX Addmission_admdate ON Addmission (admdate)"));
        con.Execute(QStringLiteral("CREATE INDEX Addmission_Pat_row_id ON Addmission (Pat_row_id)"));
    };
    return m;
}

} // namespace wb
