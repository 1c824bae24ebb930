#include "data/loginstore.h"
#include "shell/Frm_User.h"
#include "shell/MDIForm1.h"
#include "shell/frmLogin.h"
#include "shell/frmSecMenus.h"
#include "shell/module1.h"
#include "shell/userlogins.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_Frm_User.h"
#include "ui_frmLogin.h"
#include "ui_frmSecMenus.h"
#include "userstest.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

using namespace wb;

// Who may change what in the users register and the menu-rights editor: rights that hold whatever
// a user clicks.
namespace {

class UserRightsTest : public wbtest::UsersTest {
protected:
    // Logs in through the login window, which reads the user's status from the user's row.
    void logInAs(const QString& login, const QString& password) {
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
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
        main = &ui::Forms::get<MDIForm1>();
    }
    bool storeSaysAdministrator(const QString& login) {
        return db->connect()->logins().isAdministrator(login);
    }
    QString status(const QString& userName) {
        return db->connect()
            ->scalar(QStringLiteral("select Status from User_Information where User_Name = ?"), {userName})
            .toString();
    }
    int count(const QString& sql) { return db->connect()->scalar(sql).toInt(); }
    QTemporaryDir folder;
};

TEST_P(UserRightsTest, TheNextNewUserAfterViewingAnAdministratorIsAUser) {
    auto& w = open();
    pick(w, QStringLiteral("ADMIN"));
    EXPECT_TRUE(w.ui()->Opt_Admin->isChecked());
    w.cmdCancel_Click();
    EXPECT_TRUE(w.ui()->Opt_User->isChecked());
    QTest::keyClicks(w.ui()->txt_User_Nm, QStringLiteral("NEXT HIRE"));
    QTest::keyClicks(w.ui()->txt_User_pass, QStringLiteral("Next-hire-1"));
    w.cmdSave->click();

    // After a save of an administrator too.
    pick(w, QStringLiteral("ADMIN"));
    w.cmdSave->click();
    QTest::keyClicks(w.ui()->txt_User_Nm, QStringLiteral("SECOND HIRE"));
    QTest::keyClicks(w.ui()->txt_User_pass, QStringLiteral("Second-hire-1"));
    w.cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();

    for (const char* name : {"NEXT HIRE", "SECOND HIRE"}) {
        EXPECT_EQ(status(QString::fromLatin1(name)), QStringLiteral("U")) << name;
        EXPECT_FALSE(storeSaysAdministrator(userlogins::loginNameOf(QString::fromLatin1(name)))) << name;
    }
}

TEST_P(UserRightsTest, AUserMayChangeTheirOwnPasswordAndNothingElse) {
    auto& w = open();
    add(w, QStringLiteral("PLAIN USER"), QStringLiteral("Plain-pass-1"));
    add(w, QStringLiteral("OTHER USER"), QStringLiteral("Other-pass-1"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    logInAs(QStringLiteral("PLAINUSER"), QStringLiteral("Plain-pass-1"));
    ASSERT_EQ(Module1::UserType, QStringLiteral("U"));
    auto& mine = open();

    const QString another =
        QStringLiteral("Only an administrator may change another user: nothing was saved.");
    pick(mine, QStringLiteral("OTHER USER"));
    QTest::keyClicks(mine.ui()->txt_User_pass, QStringLiteral("Taken-over-1"));
    mine.cmdSave->click();
    EXPECT_EQ(messages.texts(), QStringList{another});
    pick(mine, QStringLiteral("OTHER USER"));
    mine.ui()->txt_Desig->setText(QStringLiteral("ANYTHING"));
    mine.cmdSave->click();
    EXPECT_EQ(messages.last().text, another);
    EXPECT_TRUE(canLogIn(QStringLiteral("OTHERUSER"), QStringLiteral("Other-pass-1")));

    pick(mine, QStringLiteral("PLAIN USER"));
    mine.ui()->Opt_Admin->setChecked(true);
    mine.cmdSave->click();
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("Only an administrator may change a status")));
    pick(mine, QStringLiteral("PLAIN USER"));
    mine.ui()->txt_Desig->setText(QStringLiteral("CHIEF"));
    mine.cmdSave->click();
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("Only an administrator may change a status")));
    EXPECT_EQ(status(QStringLiteral("PLAIN USER")), QStringLiteral("U"));
    EXPECT_FALSE(storeSaysAdministrator(QStringLiteral("PLAINUSER")));

    messages.clear();
    pick(mine, QStringLiteral("PLAIN USER"));
    QTest::keyClicks(mine.ui()->txt_User_pass, QStringLiteral("Plain-pass-2"));
    mine.cmdSave->click();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(canLogIn(QStringLiteral("PLAINUSER"), QStringLiteral("Plain-pass-2")));
    EXPECT_TRUE(mine.ui()->txt_Row_No->text().isEmpty()); // cleared as after any save

    pick(mine, QStringLiteral("OTHER USER"));
    mine.cmdDelete->click();
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("Only an administrator may delete users: nothing was deleted.")});
    EXPECT_TRUE(canLogIn(QStringLiteral("OTHERUSER"), QStringLiteral("Other-pass-1")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information")), 3);
}

TEST_P(UserRightsTest, AUserCannotSetMenus) {
    auto& w = open();
    add(w, QStringLiteral("PLAIN USER"), QStringLiteral("Plain-pass-1"));
    logInAs(QStringLiteral("PLAINUSER"), QStringLiteral("Plain-pass-1"));
    auto& rights = wbtest::openFromMenu<frmSecMenus>("mnuSetMenus");
    rights.ui()->cboUser->setCurrentText(QStringLiteral("PLAIN USER"));
    for (QCheckBox* b : rights.findChildren<QCheckBox*>())
        b->setChecked(true);
    rights.ui()->cmdSave->click();
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("Only an administrator may set menus: nothing was saved.")});
    EXPECT_EQ(count(QStringLiteral("select count(*) from Chart_Of_Menus")), 0);
    EXPECT_EQ(ui::Forms::loaded<frmSecMenus>(), &rights); // stays open
}

TEST_P(UserRightsTest, ADemotedAdministratorWhoseLoginKeptItsRightsIsRefusedByTheRegister) {
    auto& w = open();
    add(w, QStringLiteral("OLD CHIEF"), QStringLiteral("Old-chief-1"), true);
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    // Demoted by a version that left the login its rights: only the row says "U".
    db->connect()->Execute(
        QStringLiteral("update User_Information set Status = 'U' where User_Name = 'OLD CHIEF'"));
    ASSERT_TRUE(storeSaysAdministrator(QStringLiteral("OLDCHIEF")));
    logInAs(QStringLiteral("OLDCHIEF"), QStringLiteral("Old-chief-1"));
    ASSERT_EQ(Module1::UserType, QStringLiteral("U"));

    auto& mine = open();
    add(mine, QStringLiteral("NEW FRIEND"), QStringLiteral("Friend-pass-1"), true);
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("Only an administrator may add users: nothing was saved.")});
    pick(mine, QStringLiteral("ADMIN"));
    mine.ui()->Opt_User->setChecked(true);
    mine.cmdSave->click();
    pick(mine, QStringLiteral("OLD CHIEF"));
    mine.ui()->Opt_Admin->setChecked(true);
    mine.cmdSave->click();
    EXPECT_EQ(messages.shown().size(), 3);
    for (const auto& m : messages.shown())
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("Only an administrator"))) << m.text.toStdString();
    EXPECT_FALSE(db->connect()->logins().exists(QStringLiteral("NEWFRIEND")));
    EXPECT_EQ(status(QStringLiteral("ADMIN")), QStringLiteral("A"));
    EXPECT_EQ(status(QStringLiteral("OLD CHIEF")), QStringLiteral("U"));
}

TEST_P(UserRightsTest, DemotionInTheRegisterTakesTheLoginsRightsAwayAndPromotionGivesThem) {
    auto& w = open();
    add(w, QStringLiteral("CHIEF TWO"), QStringLiteral("Chief-two-1"), true);
    ASSERT_TRUE(storeSaysAdministrator(QStringLiteral("CHIEFTWO")));
    auto chief = db->connect(QStringLiteral("CHIEFTWO"), QStringLiteral("Chief-two-1"));

    pick(w, QStringLiteral("CHIEF TWO"));
    w.ui()->Opt_User->setChecked(true);
    w.cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(status(QStringLiteral("CHIEF TWO")), QStringLiteral("U"));
    EXPECT_FALSE(storeSaysAdministrator(QStringLiteral("CHIEFTWO")));
    EXPECT_THROW(chief->logins().create(QStringLiteral("SNEAKY"), QStringLiteral("Sneaky-pass-1"), true),
                 DbError);
    if (GetParam() == Engine::Postgres) {
        EXPECT_THROW(chief->Execute(QStringLiteral("update User_Information set Status = 'A'")), DbError);
    }

    pick(w, QStringLiteral("CHIEF TWO"));
    w.ui()->Opt_Admin->setChecked(true);
    w.cmdSave->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(storeSaysAdministrator(QStringLiteral("CHIEFTWO")));
    EXPECT_NO_THROW(chief->logins().create(QStringLiteral("HIRED"), QStringLiteral("Hired-pass-1"), false));
}

TEST_P(UserRightsTest, ANameWithAnApostropheIsAddedLogsInAndIsDeleted) {
    auto& w = open();
    add(w, QStringLiteral("o'neil"), QStringLiteral("Oneil-pass-1"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(column(w, 2), (QStringList{"O'NEIL", "ADMIN"}));
    EXPECT_TRUE(canLogIn(QStringLiteral("O'NEIL"), QStringLiteral("Oneil-pass-1")));
    add(w, QStringLiteral("O'NEIL"), QStringLiteral("Oneil-pass-2"));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("User Name Is already exitis! ")});
    pick(w, QStringLiteral("O'NEIL"));
    w.cmdDelete->click();
    EXPECT_FALSE(canLogIn(QStringLiteral("O'NEIL"), QStringLiteral("Oneil-pass-1")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from User_Information")), 1);
}

TEST_P(UserRightsTest, NewPasswordsShorterThanEightAreRefusedAndOldOnesStillWork) {
    db->connect()->logins().create(QStringLiteral("OLDTIMER"), QStringLiteral("Old-1"), false);
    auto& w = open();
    QApplication::setActiveWindow(main);
    add(w, QStringLiteral("SHORT PW"), QStringLiteral("Seven77"));
    const QString tooShort =
        QStringLiteral("The password must have at least 8 characters. Nothing was saved.");
    EXPECT_EQ(messages.texts(), QStringList{tooShort});
    EXPECT_TRUE(w.ui()->txt_User_pass->hasFocus());
    EXPECT_FALSE(db->connect()->logins().exists(QStringLiteral("SHORTPW")));

    add(w, QStringLiteral("LONG PW"), QStringLiteral("Eight888"));
    pick(w, QStringLiteral("LONG PW"));
    QTest::keyClicks(w.ui()->txt_User_pass, QStringLiteral("Short-1"));
    w.cmdSave->click();
    EXPECT_EQ(messages.texts(), (QStringList{tooShort, tooShort}));
    EXPECT_TRUE(canLogIn(QStringLiteral("LONGPW"), QStringLiteral("Eight888")));
    EXPECT_TRUE(canLogIn(QStringLiteral("OLDTIMER"), QStringLiteral("Old-1")));
}

WB_ENGINES(UserRightsTest);

} // namespace
