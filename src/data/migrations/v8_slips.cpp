#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV8Slips() {
    Migration m{8, QStringLiteral("patient slips"), {}, {}};

    // One row per slip, the bill of one visit. The patient, doctor, employee and admission data are
    // copied in as they stood when the slip was saved; the doctors and the panel are kept by key.
    Table master{QStringLiteral("SLIPS_MASTER"), {}, QStringLiteral("Row_no")};
    master.columns = {
        intCol(QStringLiteral("Row_no")),
        textCol(QStringLiteral("Slip_code"), 30),
        dateCol(QStringLiteral("Slip_date")),
        timestampCol(QStringLiteral("Slip_Time")),
        textCol(QStringLiteral("User_Name"), 50),
        textCol(QStringLiteral("Shift"), 1),
        textCol(QStringLiteral("p_name"), 60),
        textCol(QStringLiteral("f_name"), 60),
        textCol(QStringLiteral("Relation"), 10),
        decimalCol(QStringLiteral("Age"), 6, 2),
        textCol(QStringLiteral("Yr"), 1),
        textCol(QStringLiteral("Sex"), 10),
        textCol(QStringLiteral("tele"), 30),
        textCol(QStringLiteral("card_no"), 30),
        intCol(QStringLiteral("opd_doc")),
        intCol(QStringLiteral("r_doc")),
        intCol(QStringLiteral("panel")),
        textCol(QStringLiteral("Ipd_Code"), 20),
        textCol(QStringLiteral("Reg_No"), 20),
        dateCol(QStringLiteral("admdate")),
        textCol(QStringLiteral("status"), 3),
        decimalCol(QStringLiteral("amount"), 12, 2),
        decimalCol(QStringLiteral("discount"), 12, 2),
        decimalCol(QStringLiteral("n_amou"), 12, 2),
        decimalCol(QStringLiteral("Cash_rece"), 12, 2),
        decimalCol(QStringLiteral("Bal"), 12, 2),
        textCol(QStringLiteral("PanelStatus"), 10),
        textCol(QStringLiteral("Emp_No"), 20),
        textCol(QStringLiteral("Emp_Name"), 60),
        textCol(QStringLiteral("Emp_Desig"), 50),
        textCol(QStringLiteral("Emp_Reff_No"), 30),
        textCol(QStringLiteral("CancelStatus"), 6),
        textCol(QStringLiteral("CanResign"), 200),
    };
    master.columns[0].notNull = true;

    // The lines of a slip, in the order of the screen's grid (Line_no), one per test charged.
    Table detail{QStringLiteral("SLIP_DETAIL"), {}, {}};
    detail.columns = {
        intCol(QStringLiteral("Row_no")),     intCol(QStringLiteral("Line_no")),
        dateCol(QStringLiteral("slip_date")), intCol(QStringLiteral("service")),
        intCol(QStringLiteral("rate_list")),  decimalCol(QStringLiteral("test_rate"), 12, 2),
    };
    detail.columns[0].notNull = true;
    detail.columns[1].notNull = true;

    m.tables = {master, detail};
    m.extra = [](Connection& con) {
        // A slip's lines are read, replaced and deleted by its key; the search page finds slips by
        // reference number, date and patient name.
        con.Execute(
            QStringLiteral("CREATE UNIQUE INDEX SLIP_DETAIL_Row_no ON SLIP_DETAIL (Row_no, Line_no)"));
        con.Execute(QStringLiteral("CREATE INDEX SLIPS_MASTER_Slip_code ON SLIPS_MASTER (Slip_code)"));
        con.Execute(QStringLiteral("CREATE INDEX SLIPS_MASTER_Slip_date ON SLIPS_MASTER (Slip_date)"));
        con.Execute(QStringLiteral("CREATE INDEX SLIPS_MASTER_p_name ON SLIPS_MASTER (p_name)"));
    };
    return m;
}

} // namespace wb
