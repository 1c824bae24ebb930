#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV18MissingPatients() {
    Migration m{18,
                QStringLiteral("the admissions whose patient row is missing, kept on the embedded database"),
                {},
                {}};
    m.extra = [](Connection& con) {
        // A list of admissions by patient name puts those without a patient row first on the
        // embedded database (where it puts a Null name); finding them would read every admission,
        // so they are kept in a table of their own, in step with both tables. The server lists them
        // last and finds them as it walks.
        if (con.engine() != Engine::Sqlite)
            return;
        const QString missing =
            QStringLiteral("(%1.Pat_row_id IS NULL OR NOT EXISTS (SELECT 1 FROM Patient_Slips p "
                           "WHERE p.Row_no = %1.Pat_row_id))");
        con.Execute(QStringLiteral("CREATE TABLE Addmission_without_patient (Row_no INTEGER PRIMARY KEY)"));
        con.Execute(QStringLiteral(
                        "INSERT INTO Addmission_without_patient SELECT a.Row_no FROM Addmission a WHERE %1")
                        .arg(missing.arg(QStringLiteral("a"))));
        const QString add =
            QStringLiteral("INSERT OR IGNORE INTO Addmission_without_patient SELECT new.Row_no WHERE %1;")
                .arg(missing.arg(QStringLiteral("new")));
        const QString drop =
            QStringLiteral("DELETE FROM Addmission_without_patient WHERE Row_no = old.Row_no;");
        con.Execute(QStringLiteral("CREATE TRIGGER Addmission_without_patient_ai AFTER INSERT ON Addmission "
                                   "BEGIN %1 END")
                        .arg(add));
        con.Execute(QStringLiteral("CREATE TRIGGER Addmission_without_patient_au AFTER UPDATE OF Row_no, "
                                   "Pat_row_id ON Addmission BEGIN %1 %2 END")
                        .arg(drop, add));
        con.Execute(QStringLiteral("CREATE TRIGGER Addmission_without_patient_ad AFTER DELETE ON Addmission "
                                   "BEGIN %1 END")
                        .arg(drop));
        // A patient row gone leaves its admissions without one; a patient row written gives its
        // admissions one again.
        const QString lost =
            QStringLiteral("INSERT OR IGNORE INTO Addmission_without_patient SELECT Row_no FROM "
                           "Addmission WHERE Pat_row_id = old.Row_no;");
        const QString found = QStringLiteral("DELETE FROM Addmission_without_patient WHERE Row_no IN (SELECT "
                                             "Row_no FROM Addmission WHERE Pat_row_id = new.Row_no);");
        con.Execute(QStringLiteral("CREATE TRIGGER Patient_Slips_admissions_ad AFTER DELETE ON Patient_Slips "
                                   "BEGIN %1 END")
                        .arg(lost));
        con.Execute(QStringLiteral("CREATE TRIGGER Patient_Slips_admissions_ai AFTER INSERT ON Patient_Slips "
                                   "BEGIN %1 END")
                        .arg(found));
        con.Execute(QStringLiteral("CREATE TRIGGER Patient_Slips_admissions_au AFTER UPDATE OF Row_no ON "
                                   "Patient_Slips WHEN old.Row_no IS NOT new.Row_no BEGIN %1 %2 END")
                        .arg(lost, found));
    };
    return m;
}

} // namespace wb
