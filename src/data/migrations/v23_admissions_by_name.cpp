#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

namespace {

// Each admission with its patient's name and key (Null where its patient row is missing), as the
// rows `from` give them.
QString byNameRows(const QString& from) {
    return QStringLiteral("SELECT a.Row_no, p.Pat_name, p.Row_no, a.Reg_no FROM %1 LEFT JOIN Patient_Slips p "
                          "ON p.Row_no = a.Pat_row_id")
        .arg(from);
}

void keepOnSqlite(Connection& con) {
    const QString one = QStringLiteral(
        "INSERT INTO Addmission_by_name SELECT new.Row_no, p.Pat_name, p.Row_no, new.Reg_no FROM (SELECT 1) "
        "LEFT JOIN Patient_Slips p ON p.Row_no = new.Pat_row_id;");
    const QString drop = QStringLiteral("DELETE FROM Addmission_by_name WHERE Row_no = old.Row_no;");
    con.Execute(QStringLiteral("CREATE TRIGGER Addmission_by_name_ai AFTER INSERT ON Addmission BEGIN %1 END")
                    .arg(one));
    con.Execute(
        QStringLiteral("CREATE TRIGGER Addmission_by_name_au AFTER UPDATE OF Row_no, Pat_row_id, Reg_no "
                       "ON Addmission BEGIN %1 %2 END")
            .arg(drop, one));
    con.Execute(QStringLiteral("CREATE TRIGGER Addmission_by_name_ad AFTER DELETE ON Addmission BEGIN %1 END")
                    .arg(drop));
    // A patient row written, renamed, moved or gone: its admissions are listed again.
    const auto again = [](const QString& keys) {
        return QStringLiteral("DELETE FROM Addmission_by_name WHERE Row_no IN (SELECT Row_no FROM Addmission "
                              "WHERE Pat_row_id IN (%1)); INSERT INTO Addmission_by_name %2 WHERE "
                              "a.Pat_row_id IN (%1);")
            .arg(keys, byNameRows(QStringLiteral("Addmission a")));
    };
    con.Execute(
        QStringLiteral("CREATE TRIGGER Patient_Slips_by_name_ai AFTER INSERT ON Patient_Slips BEGIN %1 END")
            .arg(again(QStringLiteral("new.Row_no"))));
    con.Execute(QStringLiteral("CREATE TRIGGER Patient_Slips_by_name_au AFTER UPDATE OF Row_no, Pat_name ON "
                               "Patient_Slips BEGIN %1 END")
                    .arg(again(QStringLiteral("old.Row_no, new.Row_no"))));
    con.Execute(
        QStringLiteral("CREATE TRIGGER Patient_Slips_by_name_ad AFTER DELETE ON Patient_Slips BEGIN %1 END")
            .arg(again(QStringLiteral("old.Row_no"))));
    // The list no longer needs the admissions without a patient row apart.
    for (const char* trigger :
         {"Addmission_without_patient_ai", "Addmission_without_patient_au", "Addmission_without_patient_ad",
          "Patient_Slips_admissions_ad", "Patient_Slips_admissions_ai", "Patient_Slips_admissions_au"})
        con.Execute(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(QLatin1String(trigger)));
    con.Execute(QStringLiteral("DROP TABLE IF EXISTS Addmission_without_patient"));
}

// The writers of the two tables have no right to the list: the triggers keep it as its owner.
void keepOnServer(Connection& con) {
    const QString head = QStringLiteral(
        "CREATE OR REPLACE FUNCTION public.%1() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER "
        "SET search_path = pg_catalog, pg_temp AS $$ %2 $$");
    con.Execute(head.arg(
        QStringLiteral("addmission_by_name_keep"),
        QStringLiteral(
            "BEGIN IF TG_OP <> 'INSERT' THEN DELETE FROM public.Addmission_by_name WHERE Row_no = "
            "OLD.Row_no; "
            "END IF; IF TG_OP <> 'DELETE' THEN INSERT INTO public.Addmission_by_name SELECT NEW.Row_no, "
            "p.Pat_name, p.Row_no, NEW.Reg_no FROM (SELECT 1) one LEFT JOIN public.Patient_Slips p ON "
            "p.Row_no = NEW.Pat_row_id; END IF; RETURN NULL; END")));
    con.Execute(head.arg(
        QStringLiteral("patient_slips_by_name_keep"),
        QStringLiteral(
            "DECLARE k integer[]; BEGIN IF TG_OP = 'INSERT' THEN k := ARRAY[NEW.Row_no]; "
            "ELSIF TG_OP = 'DELETE' THEN k := ARRAY[OLD.Row_no]; ELSE k := ARRAY[OLD.Row_no, NEW.Row_no]; "
            "END IF; DELETE FROM public.Addmission_by_name WHERE Row_no IN (SELECT Row_no FROM "
            "public.Addmission WHERE Pat_row_id = ANY (k)); INSERT INTO public.Addmission_by_name SELECT "
            "a.Row_no, p.Pat_name, p.Row_no, a.Reg_no FROM public.Addmission a LEFT JOIN "
            "public.Patient_Slips "
            "p ON p.Row_no = a.Pat_row_id WHERE a.Pat_row_id = ANY (k); RETURN NULL; END")));
    for (const char* function : {"addmission_by_name_keep", "patient_slips_by_name_keep"})
        con.Execute(
            QStringLiteral("REVOKE ALL ON FUNCTION public.%1() FROM PUBLIC").arg(QLatin1String(function)));
    con.Execute(
        QStringLiteral("CREATE TRIGGER addmission_by_name_keep AFTER INSERT OR DELETE ON Addmission FOR "
                       "EACH ROW EXECUTE FUNCTION public.addmission_by_name_keep()"));
    con.Execute(QStringLiteral(
        "CREATE TRIGGER addmission_by_name_keep_update AFTER UPDATE OF Row_no, Pat_row_id, "
        "Reg_no ON Addmission FOR EACH ROW EXECUTE FUNCTION public.addmission_by_name_keep()"));
    con.Execute(
        QStringLiteral("CREATE TRIGGER patient_slips_by_name_keep AFTER INSERT OR DELETE ON Patient_Slips "
                       "FOR EACH ROW EXECUTE FUNCTION public.patient_slips_by_name_keep()"));
    con.Execute(
        QStringLiteral("CREATE TRIGGER patient_slips_by_name_keep_update AFTER UPDATE OF Row_no, Pat_name "
                       "ON Patient_Slips FOR EACH ROW EXECUTE FUNCTION public.patient_slips_by_name_keep()"));
}

} // namespace

Migration migrationV23AdmissionsByName() {
    Migration m{23, QStringLiteral("the admissions in their patients' name order"), {}, {}};
    m.extra = [](Connection& con) {
        // The observation list shows the admissions by patient name. Walking the patients and looking
        // up each one's admissions cost an index look-up a patient; this list holds each admission
        // with its patient's name and key and its registration number, in step with both tables, so
        // the observation list is one walk of its index, which also tests the registration numbers.
        const bool server = con.engine() == Engine::Postgres;
        con.Execute(QStringLiteral("CREATE TABLE Addmission_by_name (Row_no INTEGER PRIMARY KEY, Pat_name "
                                   "VARCHAR(60), Pat_key INTEGER, Reg_no VARCHAR(20))"));
        con.Execute(QStringLiteral("INSERT INTO Addmission_by_name ") +
                    byNameRows(QStringLiteral("Addmission a")));
        con.Execute(server ? QStringLiteral("CREATE INDEX Addmission_by_name_order ON Addmission_by_name "
                                            "(Pat_name, Pat_key, Row_no) INCLUDE (Reg_no)")
                           : QStringLiteral("CREATE INDEX Addmission_by_name_order ON Addmission_by_name "
                                            "(Pat_name, Pat_key, Row_no, Reg_no)"));
        if (server)
            keepOnServer(con);
        else
            keepOnSqlite(con);
        // Statistics for a list with rows; an empty one is left as never analysed.
        if (con.scalar(QStringLiteral("select exists (select 1 from Addmission_by_name)")).toBool())
            con.Execute(QStringLiteral("ANALYZE Addmission_by_name"));
    };
    return m;
}

} // namespace wb
