// Every window that takes a value from a pick list takes it only when it answers the window's own
// last Find: a doctor or patient picked in a register opened from the menu, or after a Find that
// ended without a pick (EXIT, the window cleared), never replaces what the window shows.
#include "certificates/Brith_Certificate.h"
#include "certificates/frm_Death_Cer.h"
#include "certificates/frm_Discharge_Cer.h"
#include "inpatient/frm_Addmission.h"
#include "inpatient/frm_Observation.h"
#include "inpatient/frm_Operation.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "shell/MDIForm1.h"
#include "slips/frmRPTAccounts.h"
#include "slips/frm_Test_Slips.h"
#include "support/registertest.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <functional>

using namespace wb;

namespace {

// Another child window, for the user to leave the taker and come back to it.
class Elsewhere : public ui::Form {
public:
    Elsewhere() { setWindowTitle(QStringLiteral("Elsewhere")); }
};

enum class From { Doctors, Patients };

struct Taker {
    const char* name;
    std::function<ui::Form&()> open;
    const char* find; // the Find button
    const char* box;  // the box that shows the picked doctor or patient
    From from;
    const char* cancel; // the button that clears the window (nullptr: none)
};

template <class W> std::function<ui::Form&()> fromMenu(const char* menu) {
    return [menu]() -> ui::Form& { return wbtest::openFromMenu<W>(menu); };
}

template <class W> std::function<ui::Form&()> shown() {
    return []() -> ui::Form& {
        auto& w = ui::Forms::get<W>();
        w.Show();
        return w;
    };
}

class PickTakersTest : public wbtest::RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        if (IsSkipped())
            return;
        Module1::LoginUserName = QStringLiteral("ADMIN");
        Module1::UserType = QStringLiteral("A");
        for (int i = 1; i <= 2; ++i) {
            Module1::Con->Execute(
                QStringLiteral(
                    "insert into doc (Row_no, doc_code, doc_name, Status) values (?, ?, ?, 'Doctor')"),
                {i, QStringLiteral("DOC-%1").arg(i), doctor(i)});
            Module1::Con->Execute(
                QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex, Addr) "
                               "values (?, ?, ?, 'FATHER', 'M', 'STREET')"),
                {i, QStringLiteral("PAT-%1").arg(i), patient(i)});
        }
    }
    static QString doctor(int i) { return i == 1 ? QStringLiteral("DR ONE") : QStringLiteral("DR TWO"); }
    static QString patient(int i) {
        return i == 1 ? QStringLiteral("PATIENT ONE") : QStringLiteral("PATIENT TWO");
    }
    static QString value(const Taker& t, int i) { return t.from == From::Doctors ? doctor(i) : patient(i); }

    // The user makes another window active, then the taker again.
    void comeBack(ui::Form& w) {
        QApplication::processEvents();
        auto& other = ui::Forms::get<Elsewhere>();
        other.Show();
        main->area()->setActiveSubWindow(other.subWindow());
        main->area()->setActiveSubWindow(w.subWindow());
        QApplication::processEvents();
    }

    static ui::Form* openRegister(From from) {
        if (from == From::Doctors)
            return ui::Forms::loaded<frm_Doc_Infor>();
        return ui::Forms::loaded<frm_patient_detail>();
    }
    // A double-click on the row of the name in the register's grid.
    static void pickIn(ui::Form* reg, const QString& name) {
        auto* grid = reg->findChild<ui::FlexGrid*>(QStringLiteral("Msh"));
        ASSERT_NE(grid, nullptr);
        int row = -1;
        for (int c = 0; c < grid->Cols() && row < 0; ++c)
            row = wbtest::gridRow(*grid, c, name);
        ASSERT_GT(row, 0) << name.toStdString();
        grid->setRow(row);
        if (auto* d = dynamic_cast<frm_Doc_Infor*>(reg))
            d->Msh_DblClick();
        else
            static_cast<frm_patient_detail*>(reg)->Msh_DblClick();
        QApplication::processEvents();
    }
    static void click(ui::Form& w, const char* button) {
        auto* b = w.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
        QApplication::processEvents();
    }
    static QString shows(ui::Form& w, const char* box) {
        auto* b = w.findChild<QLineEdit*>(QString::fromLatin1(box));
        return b ? b->text() : QStringLiteral("<no box %1>").arg(QString::fromLatin1(box));
    }
    // The register opened from the menu, a row double-clicked there (editing it), the register closed.
    void pickFromTheMenu(From from, const QString& name) {
        wbtest::runMenu(from == From::Doctors ? "mun_Doc_Reg" : "mnu_Pat_Reg");
        ui::Form* reg = openRegister(from);
        ASSERT_NE(reg, nullptr);
        pickIn(reg, name);
        if (ui::Form* still = openRegister(from))
            still->unload();
        QApplication::processEvents();
    }
};

TEST_P(PickTakersTest, AValueIsTakenOnlyWhenItAnswersTheWindowsOwnLastFind) {
    const QList<Taker> takers{
        {"slip, checkup doctor", fromMenu<frm_Test_Slips>("mnu_test_slip"), "cmd_find_opd_doc", "txt_opd_doc",
         From::Doctors, "cmdCancel"},
        {"slip, patient", fromMenu<frm_Test_Slips>("mnu_test_slip"), "Find_Pat_Detail", "txt_pat_name",
         From::Patients, "cmdCancel"},
        {"admission, consultant", fromMenu<frm_Addmission>("mnu_add"), "cmd_find_con", "txt_Consultant",
         From::Doctors, "cmdCancel"},
        {"admission, patient", fromMenu<frm_Addmission>("mnu_add"), "cmb_pat_search", "txt_pat_name",
         From::Patients, "cmdCancel"},
        {"observation, referring doctor", fromMenu<frm_Observation>("mnu_obser"), "cmd_find_R_doc",
         "txt_reff_doc", From::Doctors, "cmdCancel"},
        {"observation, patient", fromMenu<frm_Observation>("mnu_obser"), "cmb_pat_search", "txt_pat_name",
         From::Patients, "cmdCancel"},
        {"operation, duty doctor", shown<frm_Operation>(), "cmd_find_duty_doc", "txt_duty_doc", From::Doctors,
         "cmdCancel"},
        {"birth certificate, duty doctor", fromMenu<Brith_Certificate>("mnu_birth_cer"), "cmd_find_duty_doc",
         "txt_duty_doc", From::Doctors, "cmdCancel"},
        {"death certificate, consultant", shown<frm_Death_Cer>(), "cmd_find_con", "txt_Consultant",
         From::Doctors, "cmdCancel"},
        {"discharge certificate, consultant", fromMenu<frm_Discharge_Cer>("mnu_dis_cer"), "cmd_find_con",
         "txt_Consultant", From::Doctors, nullptr}, // its &CANCEL does nothing
        {"account reports, doctor", fromMenu<frmRPTAccounts>("mnu_Rep"), "cmdFind_Doc", "txtDocName",
         From::Doctors, nullptr},
        {"account reports, patient", fromMenu<frmRPTAccounts>("mnu_Rep"), "cmdFind_Patient", "txtPatName",
         From::Patients, nullptr},
    };
    for (const Taker& t : takers) {
        SCOPED_TRACE(t.name);
        ui::Form& w = t.open();
        QApplication::processEvents();

        // Its own Find, answered by a pick: taken.
        click(w, t.find);
        ASSERT_NE(openRegister(t.from), nullptr);
        pickIn(openRegister(t.from), value(t, 1));
        comeBack(w);
        ASSERT_EQ(shows(w, t.box), value(t, 1));

        // A row picked in the register opened from the menu is no answer to this window.
        pickFromTheMenu(t.from, value(t, 2));
        comeBack(w);
        EXPECT_EQ(shows(w, t.box), value(t, 1));

        // A Find ended with EXIT leaves nothing pending, also with an earlier pick lying in the
        // shared variables: a later pick from the menu is no answer either.
        pickFromTheMenu(t.from, value(t, 2));
        click(w, t.find);
        ASSERT_NE(openRegister(t.from), nullptr);
        click(*openRegister(t.from), "cmdExit");
        comeBack(w);
        EXPECT_EQ(shows(w, t.box), value(t, 1));
        pickFromTheMenu(t.from, value(t, 2));
        comeBack(w);
        EXPECT_EQ(shows(w, t.box), value(t, 1));

        // A Find ended by clearing the window: the register's pick that follows is no answer.
        if (t.cancel) {
            click(w, t.find);
            ASSERT_NE(openRegister(t.from), nullptr);
            click(w, t.cancel);
            const QString cleared = shows(w, t.box);
            pickIn(openRegister(t.from), value(t, 2));
            comeBack(w);
            EXPECT_EQ(shows(w, t.box), cleared);
        }
        for (ui::Form* f : {openRegister(From::Doctors), openRegister(From::Patients), &w})
            if (f)
                f->unload();
        QApplication::processEvents();
    }
}

WB_ENGINES(PickTakersTest);

} // namespace
