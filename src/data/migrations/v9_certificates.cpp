#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV9Certificates() {
    Migration m{9, QStringLiteral("birth, death and discharge certificates"), {}, {}};

    // Births delivered in the hospital. duty_doc is the Row_no of the duty doctor in doc; the
    // weight is in kilograms, to the gram.
    Table birth{QStringLiteral("Brith_Certificate"), {}, QStringLiteral("row_no")};
    birth.columns = {intCol(QStringLiteral("row_no")),           textCol(QStringLiteral("serial_no"), 30),
                     textCol(QStringLiteral("reg_no"), 20),      textCol(QStringLiteral("delivery_no"), 20),
                     textCol(QStringLiteral("mother_name"), 60), textCol(QStringLiteral("father_name"), 60),
                     textCol(QStringLiteral("sex"), 6),          decimalCol(QStringLiteral("weight"), 6, 3),
                     dateCol(QStringLiteral("date_brith")),      timeCol(QStringLiteral("time_brith")),
                     textCol(QStringLiteral("address"), 150),    intCol(QStringLiteral("duty_doc")),
                     textCol(QStringLiteral("remark"), 150),     dateCol(QStringLiteral("issu_date")),
                     timeCol(QStringLiteral("issu_time")),       textCol(QStringLiteral("shift"), 5)};
    birth.columns[0].notNull = true;

    // Deaths in the hospital. Consultant and Duty_doc are Row_no values of doc; Time_of_brith is the
    // time of death (the column keeps its name); NIC_no keeps the separators of its mask.
    Table death{QStringLiteral("Death_Certificate"), {}, QStringLiteral("Row_no")};
    death.columns = {intCol(QStringLiteral("Row_no")),
                     textCol(QStringLiteral("Ser_no"), 20),
                     textCol(QStringLiteral("Add_no"), 20),
                     textCol(QStringLiteral("Del_no"), 20),
                     dateCol(QStringLiteral("Date_of_Add")),
                     dateCol(QStringLiteral("Date_of_Death")),
                     textCol(QStringLiteral("Place_of_death"), 60),
                     timeCol(QStringLiteral("Time_of_brith")),
                     intCol(QStringLiteral("Consultant")),
                     textCol(QStringLiteral("Sex"), 6),
                     intCol(QStringLiteral("Age"), 3),
                     textCol(QStringLiteral("Operation"), 150),
                     textCol(QStringLiteral("Cause_of_death"), 150),
                     textCol(QStringLiteral("Cer_that"), 100),
                     textCol(QStringLiteral("Resi_of"), 150),
                     textCol(QStringLiteral("Due_to"), 150),
                     textCol(QStringLiteral("Con_no"), 30),
                     textCol(QStringLiteral("NIC_no"), 20),
                     intCol(QStringLiteral("Duty_doc")),
                     dateCol(QStringLiteral("Issu_date")),
                     timeCol(QStringLiteral("Issu_time"))};
    death.columns[0].notNull = true;

    // Discharges of in-patients; Consul is the Row_no of the consultant in doc.
    Table discharge{QStringLiteral("Discharge_Certificate"), {}, QStringLiteral("Row_no")};
    discharge.columns = {intCol(QStringLiteral("Row_no")),
                         textCol(QStringLiteral("Ser_No"), 20),
                         textCol(QStringLiteral("Reg_No"), 20),
                         dateCol(QStringLiteral("Date_of_Addmision")),
                         textCol(QStringLiteral("Pat_name"), 60),
                         textCol(QStringLiteral("Sex"), 6),
                         intCol(QStringLiteral("Age"), 3),
                         intCol(QStringLiteral("Consul")),
                         textCol(QStringLiteral("Prin_Diag"), 250),
                         textCol(QStringLiteral("Assocai_Diag"), 250),
                         textCol(QStringLiteral("Condi_on_dis"), 250),
                         textCol(QStringLiteral("Med_Given"), 500),
                         textCol(QStringLiteral("Investi"), 500),
                         textCol(QStringLiteral("Operat_note"), 500),
                         textCol(QStringLiteral("Med_on_dis"), 500),
                         textCol(QStringLiteral("F_up_Instru"), 500),
                         dateCol(QStringLiteral("Issu_date")),
                         timeCol(QStringLiteral("Issu_time"))};
    discharge.columns[0].notNull = true;

    m.tables = {birth, death, discharge};
    m.extra = [](Connection& con) {
        con.Execute(
            QStringLiteral("CREATE INDEX brith_certificate_mother ON Brith_Certificate (mother_name)"));
        con.Execute(QStringLiteral("CREATE INDEX death_certificate_add_no ON Death_Certificate (Add_no)"));
        con.Execute(QStringLiteral(
            "CREATE INDEX discharge_certificate_pat_name ON Discharge_Certificate (Pat_name)"));
    };
    return m;
}

} // namespace wb
