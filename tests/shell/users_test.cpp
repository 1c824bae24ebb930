#include "data/connection.h"
#include "data/dberror.h"
#include "data/loginstore.h"
#include "shell/Frm_User.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/printed.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_Frm_User.h"
#include "userstest.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

using namespace wb;

namespace {

class UsersRegisterTest : public wbtest::UsersTest {
protected:
    int count(const QString& sql, const QVariantList& params = {}) {
        return Module1::Con->scalar(sql, params).toInt();
    }
};

TEST_P(UsersRegisterTest, OpensFreshAndPlacedAndTheGridNeverShowsAPassword) {
    auto& w = open();
    EXPECT_NEAR(w.topTw(), 2000, 15);
    EXPECT_NEAR(w.leftTw(), 3500, 15);
    EXPECT_EQ(w.ui()->cmb_s_cri->count(), 2);
    EXPECT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("User Name"));
    EXPECT_EQ(column(w, 2), QStringList{"ADMIN"}); // every user, with an empty search box
    EXPECT_EQ(w.Msh->TextMatrix(0, 2), QStringLiteral("User Name"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 4), QStringLiteral("PassWard"));
    EXPECT_TRUE(w.Msh->isColumnHidden(0));
    EXPECT_TRUE(w.Msh->isColumnHidden(1));
    EXPECT_EQ(w.ui()->txt_User_Nm->maxLength(), 50);

    add(w, QStringLiteral("nina reception"), QStringLiteral("desk-4242"), false,
        QStringLiteral("front desk"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    Module1::OpenRs(QStringLiteral("select * from User_Information where Row_No = 2"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 1);
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("User_Code")), QStringLiteral("UC-2"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("User_Name")), QStringLiteral("NINA RECEPTION"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Designation")), QStringLiteral("FRONT DESK"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Status")), QStringLiteral("U"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("PassWard")), Frm_User::passwordMask());
    EXPECT_EQ(column(w, 4), (QStringList{Frm_User::passwordMask(), Frm_User::passwordMask()}));
    for (int r = 0; r < w.Msh->Rows(); ++r)
        for (int c = 0; c < w.Msh->Cols(); ++c)
            EXPECT_FALSE(w.Msh->TextMatrix(r, c).contains(QStringLiteral("desk-4242"), Qt::CaseInsensitive));
    EXPECT_TRUE(w.ui()->txt_User_Nm->text().isEmpty()); // cleared after the save

    w.ui()->txt_User_Nm->setText(QStringLiteral("TYPED"));
    auto& again = open(); // unloaded first: what was typed is gone
    EXPECT_TRUE(again.ui()->txt_User_Nm->text().isEmpty());
    EXPECT_TRUE(again.ui()->Opt_User->isChecked());
}

TEST_P(UsersRegisterTest, AnAddedUserLogsInWithTheNameWithoutBlanksAndThePasswordAsTyped) {
    auto& w = open();
    add(w, QStringLiteral("NINA  RECEPTION"), QStringLiteral("Nurse#pw1"));
    add(w, QStringLiteral("SECOND ADMIN"), QStringLiteral("boss-pw-7"), true);
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();

    // The password box is masked: what was typed is the password, as the login window takes it.
    EXPECT_TRUE(canLogIn(QStringLiteral("NINARECEPTION"), QStringLiteral("Nurse#pw1")));
    EXPECT_FALSE(canLogIn(QStringLiteral("NINARECEPTION"), QStringLiteral("NURSE#PW1")));
    EXPECT_TRUE(Module1::Con->logins().list().contains(QStringLiteral("NINARECEPTION")));

    // A user's login may not create logins; an administrator's may.
    auto user = db->connect(QStringLiteral("NINARECEPTION"), QStringLiteral("Nurse#pw1"));
    try {
        user->logins().create(QStringLiteral("SNEAKYLOGIN"), QStringLiteral("X-1"), true);
        ADD_FAILURE() << "a user's login created a login";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Refused) << e.text().toStdString();
    }
    auto admin = db->connect(QStringLiteral("SECONDADMIN"), QStringLiteral("boss-pw-7"));
    admin->logins().create(QStringLiteral("MADEBYSECOND"), QStringLiteral("X-1"), false);
    EXPECT_TRUE(canLogIn(QStringLiteral("MADEBYSECOND"), QStringLiteral("X-1")));
}

TEST_P(UsersRegisterTest, NamesEqualWithoutBlanksOrEmptyAreRefusedAndWriteNothing) {
    auto& w = open();
    add(w, QStringLiteral("RECEPTION DESK"), QStringLiteral("desk-0001"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();

    auto& fresh = open();
    QApplication::setActiveWindow(main);
    for (const QString& name : {QStringLiteral("RECEPTIONDESK"), QStringLiteral("RECEPTION  DESK")}) {
        messages.clear();
        add(fresh, name, QStringLiteral("other-0002"));
        ASSERT_EQ(messages.shown().size(), 1) << name.toStdString();
        EXPECT_EQ(messages.last().text, QStringLiteral("User Name Is already exitis! "));
        EXPECT_EQ(messages.last().style, ui::vbInformation);
        EXPECT_EQ(messages.last().title, ui::appTitle());
        EXPECT_TRUE(fresh.ui()->txt_User_Nm->hasFocus());
        EXPECT_EQ(fresh.ui()->txt_User_Nm->text(), name); // kept for correcting
    }
    // A lower-case name put into the box by other means is the same user too.
    messages.clear();
    fresh.ui()->txt_User_Nm->setText(QStringLiteral("reception desk"));
    fresh.cmdSave->click();
    EXPECT_EQ(messages.texts(), QStringList{"User Name Is already exitis! "});
    EXPECT_TRUE(canLogIn(QStringLiteral("RECEPTIONDESK"), QStringLiteral("desk-0001"))); // untouched

    // Blanks only: no login can be made of them.
    messages.clear();
    fresh.ui()->txt_User_Nm->setText(QStringLiteral("   "));
    fresh.cmdSave->click();
    EXPECT_EQ(messages.texts(), QStringList{"Please enter User Name"});
    EXPECT_TRUE(fresh.ui()->txt_User_Nm->hasFocus());
    // A new user needs a password: no login is made that nobody can log in with.
    messages.clear();
    add(fresh, QStringLiteral("NO PASSWORD"), QString());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(fresh.ui()->txt_User_pass->hasFocus());

    // A login of the name that has no user row (made outside the program) is not taken over.
    Module1::Con->logins().create(QStringLiteral("OUTSIDER"), QStringLiteral("Out-5"), false);
    messages.clear();
    add(fresh, QStringLiteral("OUT SIDER"), QStringLiteral("new-pass-6"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("OUTSIDER")))
        << messages.last().text.toStdString();
    EXPECT_TRUE(canLogIn(QStringLiteral("OUTSIDER"), QStringLiteral("Out-5")));
    EXPECT_TRUE(fresh.ui()->txt_Row_No->text().isEmpty()); // still a new user

    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information")), 2);
}

TEST_P(UsersRegisterTest, EditingLocksTheNameAndATypedPasswordBecomesTheLoginsPassword) {
    auto& w = open();
    add(w, QStringLiteral("NINA RECEPTION"), QStringLiteral("old-pass-1"), false, QStringLiteral("DESK"));
    pick(w, QStringLiteral("NINA RECEPTION"));
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QStringLiteral("2"));
    EXPECT_EQ(w.ui()->txt_User_Code->text(), QStringLiteral("UC-2"));
    EXPECT_EQ(w.ui()->txt_Desig->text(), QStringLiteral("DESK"));
    EXPECT_TRUE(w.ui()->txt_User_pass->text().isEmpty()); // no password is kept to show
    EXPECT_TRUE(w.ui()->Opt_User->isChecked());
    EXPECT_TRUE(w.ui()->txt_User_Nm->isReadOnly());
    QTest::keyClicks(w.ui()->txt_User_Nm, QStringLiteral("X"));
    EXPECT_EQ(w.ui()->txt_User_Nm->text(), QStringLiteral("NINA RECEPTION"));

    // An empty password box keeps the login's password.
    w.ui()->txt_Desig->setText(QStringLiteral("WARD"));
    w.ui()->Opt_Admin->setChecked(true);
    w.cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_FALSE(w.ui()->txt_User_Nm->isReadOnly());
    EXPECT_TRUE(canLogIn(QStringLiteral("NINARECEPTION"), QStringLiteral("old-pass-1")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information where Designation = 'WARD' and "
                                   "Status = 'A' and User_Code = 'UC-2'")),
              1);

    pick(w, QStringLiteral("NINA RECEPTION"));
    EXPECT_TRUE(w.ui()->Opt_Admin->isChecked());
    QTest::keyClicks(w.ui()->txt_User_pass, QStringLiteral("new-pass-2"));
    w.cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_FALSE(canLogIn(QStringLiteral("NINARECEPTION"), QStringLiteral("old-pass-1")));
    EXPECT_TRUE(canLogIn(QStringLiteral("NINARECEPTION"), QStringLiteral("new-pass-2")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information where PassWard = ?"),
                    {Frm_User::passwordMask()}),
              1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information")), 2);
}

TEST_P(UsersRegisterTest, ARowThatCannotBeWrittenLeavesTheLoginAsItWas) {
    auto& w = open();
    // A designation longer than its column fails the row after the login step.
    const QString tooLong(60, QLatin1Char('D'));
    w.ui()->txt_Desig->setMaxLength(100);
    w.ui()->txt_User_Nm->setText(QStringLiteral("HALF DONE"));
    w.ui()->txt_User_pass->setText(QStringLiteral("PW-pass-1"));
    w.ui()->txt_Desig->setText(tooLong);
    w.cmdSave->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().style, ui::vbCritical);
    EXPECT_FALSE(Module1::Con->logins().exists(QStringLiteral("HALFDONE")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information")), 1);
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());

    // Once the text fits, the same entries save: nothing was left behind to collide with.
    w.ui()->txt_Desig->setText(QStringLiteral("CLERK"));
    w.cmdSave->click();
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(canLogIn(QStringLiteral("HALFDONE"), QStringLiteral("PW-pass-1")));

    // A new password whose row fails is not given to the login either.
    pick(w, QStringLiteral("HALF DONE"));
    w.ui()->txt_User_pass->setText(QStringLiteral("PW-pass-2"));
    w.ui()->txt_Desig->setText(tooLong);
    w.cmdSave->click();
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_TRUE(canLogIn(QStringLiteral("HALFDONE"), QStringLiteral("PW-pass-1")));
    EXPECT_FALSE(canLogIn(QStringLiteral("HALFDONE"), QStringLiteral("PW-pass-2")));
}

TEST_P(UsersRegisterTest, DeleteAsksThenDropsTheLoginAndTheMenuRowsWithTheRow) {
    auto& w = open();
    add(w, QStringLiteral("LEAVING SOON"), QStringLiteral("bye-pass-1"));
    add(w, QStringLiteral("STAYING ON"), QStringLiteral("stay-pass-1"));
    for (const char* who : {"2", "3"})
        Module1::Con->Execute(
            QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (?, 'Patient', '1')"),
            {QString::fromLatin1(who).toLongLong()});

    pick(w, QStringLiteral("LEAVING SOON"));
    messages.answer(ui::vbNo);
    w.cmdDelete->click(); // No keeps the login too
    EXPECT_TRUE(canLogIn(QStringLiteral("LEAVINGSOON"), QStringLiteral("bye-pass-1")));
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QStringLiteral("2"));

    w.cmdDelete->click(); // answered Yes
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_FALSE(canLogIn(QStringLiteral("LEAVINGSOON"), QStringLiteral("bye-pass-1")));
    EXPECT_FALSE(Module1::Con->logins().exists(QStringLiteral("LEAVINGSOON")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information where Row_No = 2")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Chart_Of_Menus where User_ID = 2")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Chart_Of_Menus where User_ID = 3")), 1);
    EXPECT_TRUE(canLogIn(QStringLiteral("STAYINGON"), QStringLiteral("stay-pass-1")));
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_FALSE(w.ui()->txt_User_Nm->isReadOnly());
    EXPECT_EQ(column(w, 2), (QStringList{"STAYING ON", "ADMIN"}));

    // The user one is logged in as is not deleted from under the session.
    pick(w, QStringLiteral("ADMIN"));
    messages.clear();
    w.cmdDelete->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().style, ui::vbInformation);
    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information where Row_No = 1")), 1);
    EXPECT_TRUE(canLogIn(QStringLiteral("ADMIN"), wbtest::AdminPassword));
}

TEST_P(UsersRegisterTest, PostgresAddingPromotingAndDemotingChangeTheLoginsRightsAtOnce) {
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "the server's rights only";
    // Rights left by a user deleted earlier stand ready for whoever gets the number next.
    for (const char* menu : {"Patient Slips", "Patient"})
        Module1::Con->Execute(
            QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (2, ?, ?)"),
            {QString::fromLatin1(menu), QString::fromLatin1(menu) == QLatin1String("Patient") ? "0" : "1"});
    auto& w = open();
    add(w, QStringLiteral("CASH DESK"), QStringLiteral("cash-pass-1"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    auto desk = db->connect(QStringLiteral("CASHDESK"), QStringLiteral("cash-pass-1"));
    const auto allowed = [&](const QString& sql) {
        Transaction t(*desk);
        try {
            desk->Execute(sql);
            return true;
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::NotPermitted) << e.text().toStdString();
            return false;
        }
    };
    const QString newSlip = QStringLiteral("insert into SLIPS_MASTER (Row_no, p_name) values (1, 'NEW')");
    const QString dropSlips = QStringLiteral("delete from SLIPS_MASTER");
    EXPECT_TRUE(allowed(newSlip));
    EXPECT_FALSE(allowed(dropSlips));
    EXPECT_FALSE(allowed(QStringLiteral("delete from Patient_Slips")));

    const auto status = [&](QRadioButton* option) {
        pick(w, QStringLiteral("CASH DESK"));
        option->setChecked(true);
        w.cmdSave->click();
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    };
    status(w.ui()->Opt_Admin);
    EXPECT_TRUE(allowed(dropSlips));
    status(w.ui()->Opt_User);
    EXPECT_FALSE(allowed(dropSlips));
    EXPECT_TRUE(allowed(newSlip));
}

TEST_P(UsersRegisterTest, OnlyAnAdministratorAddsUsers) {
    auto& w = open();
    add(w, QStringLiteral("PLAIN USER"), QStringLiteral("plain-pass-1"));
    add(w, QStringLiteral("PROMOTED LATER"), QStringLiteral("promo-pass-1"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    w.unload();

    // A user ("U") is refused by the window before anything is written.
    ui::Forms::unloadAll();
    wbtest::openShared(*db, QStringLiteral("PLAINUSER"), QStringLiteral("plain-pass-1"));
    Module1::UserType = QStringLiteral("U");
    main = &ui::Forms::get<MDIForm1>();
    auto& asUser = open();
    add(asUser, QStringLiteral("NEW FRIEND"), QStringLiteral("friend-pass-1"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("administrator")));

    // A user marked "A" whose login was made without the right to create logins is refused by the
    // login store: the row is not written either.
    Module1::UserType = QStringLiteral("A");
    add(asUser, QStringLiteral("NEW FRIEND"), QStringLiteral("friend-pass-1"));
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(messages.last().style, ui::vbCritical);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("administrator")))
        << messages.last().text.toStdString();
    EXPECT_TRUE(asUser.ui()->txt_Row_No->text().isEmpty());

    // Nor can a user give another user's login a new password.
    pick(asUser, QStringLiteral("PROMOTED LATER"));
    asUser.ui()->txt_User_pass->setText(QStringLiteral("Taken-pass-1"));
    asUser.cmdSave->click();
    EXPECT_EQ(messages.shown().size(), 3);
    EXPECT_TRUE(canLogIn(QStringLiteral("PROMOTEDLATER"), QStringLiteral("promo-pass-1")));

    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information")), 3);
    EXPECT_FALSE(Module1::Con->logins().exists(QStringLiteral("NEWFRIEND")));
}

TEST_P(UsersRegisterTest, SearchesByNameOrDesignationAsTheUserTypes) {
    for (int key : {9, 10})
        Module1::Con->Execute(QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, "
                                             "Designation, Status) values (?, ?, ?, ?, 'U')"),
                              {key, QStringLiteral("UC-%1").arg(key), QStringLiteral("O'NEIL %1").arg(key),
                               key == 9 ? QStringLiteral("NURSE") : QStringLiteral("100% CLERK")});
    auto& w = open();
    EXPECT_EQ(column(w, 1), (QStringList{"UC-9", "UC-10", "UC-1"})); // code text, descending
    w.SSTab1->setCurrentIndex(1);
    QTest::keyClicks(w.ui()->txt_s_value, QStringLiteral("o'neil 1"));
    EXPECT_EQ(w.ui()->txt_s_value->text(), QStringLiteral("O'NEIL 1"));
    EXPECT_EQ(column(w, 2), QStringList{"O'NEIL 10"});
    w.ui()->cmb_s_cri->setCurrentIndex(1); // Designation
    w.ui()->txt_s_value->setText(QStringLiteral("%"));
    EXPECT_EQ(column(w, 3), QStringList{"100% CLERK"});
    w.ui()->txt_s_value->setText(QStringLiteral("nobody"));
    EXPECT_EQ(w.Msh->Rows(), 2);
    w.Msh->setRow(1);
    w.Msh_DblClick(); // the empty row picks nothing
    EXPECT_EQ(w.SSTab1->currentIndex(), 1);
}

TEST_P(UsersRegisterTest, ExitOnlyHidesWhilePickModeIsSetAndTheUnloadClearsIt) {
    auto& w = open();
    Module1::PickMode = true; // left over from another window
    pick(w, QStringLiteral("ADMIN"));
    EXPECT_EQ(ui::Forms::loaded<Frm_User>(), &w); // a pick here edits, whatever the flag says
    EXPECT_EQ(w.ui()->txt_User_Nm->text(), QStringLiteral("ADMIN"));
    w.cmdExit_Click();
    EXPECT_EQ(ui::Forms::loaded<Frm_User>(), &w);
    EXPECT_FALSE(w.frame()->isVisible());
    EXPECT_TRUE(Module1::PickMode);
    w.unload();
    EXPECT_FALSE(Module1::PickMode);
}

WB_ENGINES(UsersRegisterTest);

} // namespace

namespace {

TEST_P(UsersRegisterTest, PrintsTheLoadedUserOrEveryUserAndNeverAPassword) {
    auto& w = open();
    add(w, QStringLiteral("NURSE ONE"), QStringLiteral("pw-one-11"), false, QStringLiteral("WARD"));
    w.cmdPrint_Click();
    QString text = wbtest::printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("ADMIN"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("NURSE ONE")));
    EXPECT_FALSE(text.contains(QStringLiteral("pw-one-11"), Qt::CaseInsensitive));

    pick(w, QStringLiteral("NURSE ONE"));
    w.cmdPrint_Click();
    text = wbtest::printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("NURSE ONE"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("ADMIN")));
}

} // namespace
