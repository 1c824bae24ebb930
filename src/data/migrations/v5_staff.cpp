#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV5Staff() {
    Migration m{5, QStringLiteral("employees and panels"), {}, {}};

    // Employees, with a relation ("Self" or a family relation) per row. The employee number is
    // optional and not unique in the table: only a new row is checked against the others.
    Table employees{QStringLiteral("Employees"), {}, QStringLiteral("Row_no")};
    employees.columns = {intCol(QStringLiteral("Row_no")), textCol(QStringLiteral("Emp_no"), 20),
                         textCol(QStringLiteral("Emp_name"), 60), textCol(QStringLiteral("Designation"), 50),
                         textCol(QStringLiteral("Relation"), 10)};
    employees.columns[0].notNull = true;

    // Panels: a code ("Pcode-" and the key) and a name each.
    Table panel{QStringLiteral("Panel"), {}, QStringLiteral("Row_no")};
    panel.columns = {intCol(QStringLiteral("Row_no")), textCol(QStringLiteral("Panel_Code"), 20),
                     textCol(QStringLiteral("Panel_Name"), 60)};
    panel.columns[0].notNull = true;

    m.tables = {employees, panel};
    m.extra = [](Connection& con) {
        // The slip screen looks employees up by number; both lists are read in name order.
        con.Execute(QStringLiteral("CREATE INDEX Employees_Emp_no ON Employees (Emp_no)"));
        con.Execute(QStringLiteral("CREATE INDEX Employees_Emp_name ON Employees (Emp_name)"));
        con.Execute(QStringLiteral("CREATE INDEX Panel_Panel_Name ON Panel (Panel_Name)"));
    };
    return m;
}

} // namespace wb
