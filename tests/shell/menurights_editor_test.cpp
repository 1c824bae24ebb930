#include "data/dberror.h"
#include "data/loginstore.h"
#include "shell/Frm_User.h"
#include "shell/MDIForm1.h"
#include "shell/frmLogin.h"
#include "shell/frmSecMenus.h"
#include "shell/module1.h"
#include "shell/userlogins.h"
#include "support/registertest.h"
#include "ui_Frm_User.h"
#include "ui_frmLogin.h"
#include "ui_frmSecMenus.h"

#include <QAction>
#include <QCheckBox>
#include <QTest>

using namespace wb;

namespace {

// The commands of REGISTRATIONS and TRANSACTIONS, by menu control name.
const QStringList rightsCommands = {"mnu_Com_Inf",   "mnu_Pat_Reg",  "mun_Doc_Reg", "mnu_Ser_Reg",
                                    "mnu_Rate_Reg",  "MNU_panel",    "mnu_Emp",     "MNU_shift",
                                    "mnu_test_slip", "mnu_add",      "mnu_obser",   "mnu_birth_cer",
                                    "mnu_dis_cer",   "mnu_Death_Cer"};

class MenuRightsEditorTest : public wbtest::MainWindowTest {
protected:
    void beforeMainWindow() override {
        Module1::UserType = QStringLiteral("A");
        Module1::UserRowNo = 1;
    }
    frmSecMenus& open() { return wbtest::openFromMenu<frmSecMenus>("mnuSetMenus"); }
    // A user with a login of their own (row number `row`).
    void user(int row, const QString& name, const QString& password = QStringLiteral("Pw-1")) {
        Module1::Con->logins().create(userlogins::loginNameOf(name), password, false);
        Module1::Con->Execute(
            QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, Status) "
                           "values (?, ?, ?, 'U')"),
            {row, QStringLiteral("UC-%1").arg(row), name});
    }
    void right(int row, const QString& menus, const char* active) {
        Module1::Con->Execute(
            QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (?, ?, ?)"),
            {row, menus, QString::fromLatin1(active)});
    }
    QCheckBox* box(frmSecMenus& w, const QString& caption) {
        for (QCheckBox* b : w.findChildren<QCheckBox*>())
            if (b->text() == caption)
                return b;
        return nullptr;
    }
    QStringList ticked(frmSecMenus& w) {
        QStringList out;
        for (QCheckBox* b : w.findChildren<QCheckBox*>())
            if (b->isChecked())
                out << b->text();
        return out;
    }
    // "Menus=Active" of a user's rows, sorted.
    QStringList rows(int row) {
        QSqlQuery q = Module1::Con->query(
            QStringLiteral("select Menus, Active from Chart_Of_Menus where User_ID = ?"), {row});
        QStringList out;
        while (q.next())
            out << q.value(0).toString() + QLatin1Char('=') + q.value(1).toString();
        out.sort();
        return out;
    }
    // Ends the run and logs in again through the login window, as the next start of the program does.
    MDIForm1& logInAs(const QString& login, const QString& password) {
        ui::Forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Module1::ResetVariables();
        db->writeServerFile(folder.path());
        frmLogin::serverFolder() = folder.path();
        auto& w = ui::Forms::get<frmLogin>();
        w.Show();
        w.ui()->cboUsers->setCurrentText(login);
        w.ui()->txtPassword->setText(password);
        w.cmdLogIn_Click();
        EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
        return ui::Forms::get<MDIForm1>();
    }
    // The commands of REGISTRATIONS and TRANSACTIONS that the main window shows.
    static QStringList shownCommands(MDIForm1& main) {
        QStringList out;
        for (const QString& name : rightsCommands)
            if (main.menuControl(name)->isVisible())
                out << MDIForm1::captionOf(main.menuControl(name));
        return out;
    }
    static bool visible(MDIForm1& main, const char* name) {
        return main.menuControl(QLatin1String(name))->isVisible();
    }
    QTemporaryDir folder;
};

TEST_P(MenuRightsEditorTest, OpensPlacedOnTheFirstUserByNameAndLoadsRightsWithBoldCaptions) {
    user(2, QStringLiteral("ZARA KHAN"));
    user(3, QStringLiteral("BILAL"));
    right(3, QStringLiteral("Patient"), "1");
    right(3, QStringLiteral("Doctor"), "0");
    right(3, QStringLiteral("Patient Slips"), "1");
    right(3, QStringLiteral("Doctorwise Report"), "1"); // a caption is a caption, saved or not

    auto& w = open();
    EXPECT_NEAR(w.widthTw(), 10875, 15);
    EXPECT_NEAR(w.heightTw(), 8310, 15);
    EXPECT_NEAR(w.topTw(), 500, 15);
    EXPECT_NEAR(w.leftTw(), 2000, 15);
    EXPECT_EQ(w.caption(), QStringLiteral("Menus Activition"));
    EXPECT_EQ(w.findChildren<QCheckBox*>().size(), 19);
    QStringList order;
    for (QCheckBox* b : w.savedBoxes())
        order << b->objectName();
    EXPECT_EQ(order.join(' '),
              QStringLiteral("Check Check1 Check2 Check3 Check4 Check5 Check6 Check15 Check14 "
                             "Check12 Check11 Check9 Check10 Check17"));

    QStringList listed;
    for (int i = 0; i < w.ui()->cboUser->count(); ++i)
        listed << w.ui()->cboUser->itemText(i);
    EXPECT_EQ(listed, (QStringList{"ADMIN", "BILAL", "ZARA KHAN"}));
    EXPECT_EQ(w.ui()->cboUser->currentText(), QStringLiteral("ADMIN"));
    EXPECT_EQ(w.boundText(), QStringLiteral("1"));
    EXPECT_TRUE(ticked(w).isEmpty()); // a user without rows
    for (QCheckBox* b : w.savedBoxes())
        EXPECT_FALSE(b->font().bold()) << b->text().toStdString();

    w.ui()->cboUser->setCurrentIndex(1); // BILAL
    EXPECT_EQ(w.boundText(), QStringLiteral("3"));
    EXPECT_EQ(ticked(w), (QStringList{"Patient", "Patient Slips", "Doctorwise Report"}));
    EXPECT_TRUE(box(w, QStringLiteral("Patient"))->font().bold());
    EXPECT_TRUE(box(w, QStringLiteral("Patient Slips"))->font().bold());
    EXPECT_FALSE(box(w, QStringLiteral("Doctor"))->font().bold());

    // A typed text that names no user shows nothing; typing a listed name loads that user.
    w.ui()->cboUser->setEditText(QStringLiteral("NOBODY"));
    EXPECT_EQ(w.boundText(), QString());
    EXPECT_TRUE(ticked(w).isEmpty());
    EXPECT_FALSE(box(w, QStringLiteral("Patient"))->font().bold());
    w.ui()->cboUser->setEditText(QStringLiteral("BILAL"));
    EXPECT_EQ(w.boundText(), QStringLiteral("3"));
    EXPECT_TRUE(box(w, QStringLiteral("Patient"))->isChecked());

    // Ticking by hand makes the caption bold; un-ticking makes it normal again.
    QCheckBox* doctor = box(w, QStringLiteral("Doctor"));
    doctor->click();
    EXPECT_TRUE(doctor->font().bold());
    doctor->click();
    EXPECT_FALSE(doctor->font().bold());
}

TEST_P(MenuRightsEditorTest, SavingNothingWritesFourteenInactiveRowsAndHidesTheTopMenusAtNextLogin) {
    user(2, QStringLiteral("IDLE USER"), QStringLiteral("Idle-1"));
    auto& w = open();
    w.ui()->cboUser->setCurrentText(QStringLiteral("IDLE USER"));
    w.ui()->Check7->setChecked(true); // the report boxes are not saved
    w.cmdSave_Click();
    EXPECT_EQ(ui::Forms::loaded<frmSecMenus>(), nullptr); // saving closes the window
    QStringList expected;
    for (const char* caption : {"Patient", "Doctor", "Services", "RateList", "Panel", "Employees", "SHIFT",
                                "Patient Slips", "Admissions", "Observations", "Birth Certificate",
                                "Discharge Certificate", "Death Certificate", "Company Information"})
        expected << QString::fromLatin1(caption) + QStringLiteral("=0");
    expected.sort();
    EXPECT_EQ(rows(2), expected);

    auto& main = logInAs(QStringLiteral("IDLEUSER"), QStringLiteral("Idle-1"));
    EXPECT_EQ(Module1::UserRowNo, 2);
    EXPECT_FALSE(visible(main, "mnu_Reg_Form"));
    EXPECT_FALSE(visible(main, "mnu_trans"));
    EXPECT_FALSE(visible(main, "mnu_Report"));
    EXPECT_TRUE(visible(main, "mnu_addministrator"));
}

TEST_P(MenuRightsEditorTest, TickingOnlyPatientLeavesOnlyPatientAmongTheCommands) {
    user(2, QStringLiteral("ONLY PATIENT"), QStringLiteral("Only-1"));
    right(2, QStringLiteral("Doctor"), "1"); // replaced by the save
    auto& w = open();
    w.ui()->cboUser->setCurrentText(QStringLiteral("ONLY PATIENT"));
    EXPECT_EQ(ticked(w), QStringList{"Doctor"});
    box(w, QStringLiteral("Doctor"))->click();
    box(w, QStringLiteral("Patient"))->click();
    w.ui()->Check8->click(); // "Departmentwise Report": no menu of its own
    w.ui()->cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(rows(2).size(), 14);
    EXPECT_TRUE(rows(2).contains(QStringLiteral("Patient=1")));
    EXPECT_TRUE(rows(2).contains(QStringLiteral("Doctor=0")));

    auto& main = logInAs(QStringLiteral("ONLYPATIENT"), QStringLiteral("Only-1"));
    EXPECT_TRUE(visible(main, "mnu_Reg_Form"));
    EXPECT_TRUE(visible(main, "mnu_trans")); // the top menu stays, with none of its commands
    EXPECT_TRUE(visible(main, "mnu_Report"));
    EXPECT_TRUE(visible(main, "mnu_Rep"));
    EXPECT_EQ(shownCommands(main), QStringList{"Patient"});
}

TEST_P(MenuRightsEditorTest, AFailedSaveLeavesTheOldRightsWholeAndTheWindowOpen) {
    user(2, QStringLiteral("KEEPS RIGHTS"));
    auto& w = open();
    w.ui()->cboUser->setCurrentText(QStringLiteral("KEEPS RIGHTS"));
    box(w, QStringLiteral("Patient"))->click();
    w.ui()->cmdSave->click();
    const QStringList before = rows(2);
    ASSERT_EQ(before.size(), 14);

    auto& again = open();
    again.ui()->cboUser->setCurrentText(QStringLiteral("KEEPS RIGHTS"));
    box(again, QStringLiteral("Doctor"))->click();
    // The last row cannot be written: its caption is longer than the column.
    again.ui()->Check17->setText(QString(80, QLatin1Char('C')));
    again.ui()->cmdSave->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().style, ui::vbCritical);
    EXPECT_EQ(rows(2), before);
    EXPECT_EQ(ui::Forms::loaded<frmSecMenus>(), &again);
}

TEST_P(MenuRightsEditorTest, WithoutAChosenUserSavingSaysSoAndWritesNothing) {
    user(2, QStringLiteral("SOMEONE"));
    auto& w = open();
    w.ui()->cboUser->setEditText(QStringLiteral("SOME"));
    box(w, QStringLiteral("Patient"))->click();
    w.ui()->cmdSave->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().style, ui::vbInformation);
    EXPECT_EQ(ui::Forms::loaded<frmSecMenus>(), &w);

    // The chosen user deleted meanwhile by another desk: no rows for a user that is gone.
    w.ui()->cboUser->setCurrentText(QStringLiteral("SOMEONE"));
    db->connect()->Execute(QStringLiteral("delete from User_Information where Row_No = 2"));
    w.ui()->cmdSave->click();
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(ui::Forms::loaded<frmSecMenus>(), &w);

    // No users at all: the combo is empty and nothing can be saved.
    Module1::Con->Execute(QStringLiteral("delete from User_Information"));
    auto& empty = open();
    EXPECT_EQ(empty.ui()->cboUser->count(), 0);
    EXPECT_TRUE(ticked(empty).isEmpty());
    empty.ui()->cboUser->setEditText(QStringLiteral("ANY"));
    empty.ui()->cmdSave->click();
    ASSERT_EQ(messages.shown().size(), 3);
    EXPECT_EQ(messages.last().style, ui::vbInformation);
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from Chart_Of_Menus")).toInt(), 0);
}

TEST_P(MenuRightsEditorTest, ClosingReappliesTheLoggedInUsersRightsAndExitWritesNothing) {
    auto& main = ui::Forms::get<MDIForm1>();
    EXPECT_TRUE(visible(main, "mun_Doc_Reg"));
    auto& w = open(); // on ADMIN, the logged-in user
    box(w, QStringLiteral("Patient"))->click();
    w.Command1_Click();
    EXPECT_EQ(ui::Forms::loaded<frmSecMenus>(), nullptr);
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from Chart_Of_Menus")).toInt(), 0);

    auto& own = open();
    box(own, QStringLiteral("Patient"))->click();
    own.cmdSave_Click();
    // The administrator's own rights apply at once: only "Patient" of the fourteen commands.
    EXPECT_EQ(shownCommands(main), QStringList{"Patient"});
}

TEST_P(MenuRightsEditorTest, TheFirstAdministratorSetsUpAReceptionistWhoSeesOnlyHerCommands) {
    // A fresh database: the administrator logs in, adds the receptionist and gives her two commands.
    auto& adminMain = logInAs(QStringLiteral("ADMIN"), wbtest::AdminPassword);
    EXPECT_EQ(Module1::UserType, QStringLiteral("A"));
    EXPECT_TRUE(visible(adminMain, "mnu_addministrator"));
    wbtest::runMenu("mnuAddUser");
    auto& users = ui::Forms::get<Frm_User>();
    QTest::keyClicks(users.ui()->txt_User_Nm, QStringLiteral("rita reception"));
    QTest::keyClicks(users.ui()->txt_Desig, QStringLiteral("receptionist"));
    QTest::keyClicks(users.ui()->txt_User_pass, QStringLiteral("front-desk-1"));
    users.ui()->Opt_User->setChecked(true);
    users.cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    users.cmdExit->click();

    wbtest::runMenu("mnuSetMenus");
    auto& rights = ui::Forms::get<frmSecMenus>();
    rights.ui()->cboUser->setCurrentText(QStringLiteral("RITA RECEPTION"));
    ASSERT_FALSE(rights.boundText().isEmpty());
    box(rights, QStringLiteral("Patient"))->click();
    box(rights, QStringLiteral("Patient Slips"))->click();
    rights.ui()->cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();

    // The next start: she is listed, logs in, and sees only those two commands.
    auto& main = logInAs(QStringLiteral("RITARECEPTION"), QStringLiteral("front-desk-1"));
    EXPECT_EQ(Module1::LoginUserName, QStringLiteral("RITARECEPTION"));
    EXPECT_EQ(Module1::UserType, QStringLiteral("U"));
    EXPECT_TRUE(visible(main, "mnu_Reg_Form"));
    EXPECT_TRUE(visible(main, "mnu_trans"));
    EXPECT_EQ(shownCommands(main), (QStringList{"Patient", "Patient Slips"}));
}

// A caption is matched exactly: a row spelled in another case is no right to that command.
TEST_P(MenuRightsEditorTest, ARowWhoseCaptionDiffersOnlyInCaseTicksNoBox) {
    user(2, QStringLiteral("CASE USER"));
    right(2, QStringLiteral("PATIENT"), "1");
    right(2, QStringLiteral("patient slips"), "1");
    right(2, QStringLiteral("Doctor"), "1");
    right(2, QStringLiteral("DOCTORWISE REPORT"), "1");
    auto& w = open();
    w.ui()->cboUser->setCurrentText(QStringLiteral("CASE USER"));
    ASSERT_EQ(w.boundText(), QStringLiteral("2"));
    EXPECT_EQ(ticked(w), QStringList{QStringLiteral("Doctor")});
    EXPECT_FALSE(box(w, QStringLiteral("Patient"))->font().bold());
}

TEST_P(MenuRightsEditorTest, PostgresTakingAMenuAwayRefusesItsTablesAtTheUsersNextStatement) {
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "the server's rights only";
    user(2, QStringLiteral("FRONT DESK"), QStringLiteral("Front-1"));
    auto& w = open();
    w.ui()->cboUser->setCurrentText(QStringLiteral("FRONT DESK"));
    box(w, QStringLiteral("Patient"))->click();
    w.ui()->cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();

    // The desk stays logged in with plain SQL throughout.
    auto desk = db->connect(QStringLiteral("FRONTDESK"), QStringLiteral("Front-1"));
    const QString addPatient =
        QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name) values (?, 'PAT', 'ASLAM')");
    EXPECT_NO_THROW(desk->Execute(addPatient, {1}));
    EXPECT_THROW(desk->Execute(QStringLiteral("delete from doc")), DbError);

    auto& again = open();
    again.ui()->cboUser->setCurrentText(QStringLiteral("FRONT DESK"));
    box(again, QStringLiteral("Patient"))->click();
    box(again, QStringLiteral("Doctor"))->click();
    again.ui()->cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    try {
        desk->Execute(addPatient, {2});
        ADD_FAILURE() << "the desk still adds patients";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::NotPermitted) << e.text().toStdString();
    }
    EXPECT_NO_THROW(desk->Execute(QStringLiteral("delete from doc")));
}

WB_ENGINES(MenuRightsEditorTest);

} // namespace
