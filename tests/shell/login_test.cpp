#include "data/loginstore.h"
#include "shell/MDIForm1.h"
#include "shell/frmBack.h"
#include "shell/frmLogin.h"
#include "shell/module1.h"
#include "support/messages.h"
#include "support/testdb.h"
#include "ui_frmLogin.h"

#include <QAction>
#include <QApplication>
#include <QTest>

using namespace wb;
using wbtest::EngineTest;

namespace {

class LoginTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        db->writeServerFile(folder.path());
        frmLogin::serverFolder() = folder.path();
        Module1::CreateShared();
        Module1::ResetVariables();
        // A user whose name has a blank; the login is the name without blanks.
        auto admin = db->connect();
        admin->logins().create(QStringLiteral("RECEPTIONDESK"), QStringLiteral("Desk-9"), false);
        admin->Execute(QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, Status) "
                                      "values (7, 'UC-7', 'RECEPTION DESK', 'U')"));
        admin->logins().create(QStringLiteral("STRANGER"), QStringLiteral("Str-1"), false);
    }
    frmLogin& open() {
        auto& login = ui::Forms::get<frmLogin>();
        login.Show();
        QApplication::setActiveWindow(&login);
        return login;
    }
    QTemporaryDir folder;
    wbtest::ScriptedMessages messages;
};

TEST_P(LoginTest, ListsTheLoginsAndLogsInWithBlanksIgnoredInTheUserRow) {
    auto& login = open();
    QStringList listed;
    for (int i = 0; i < login.ui()->cboUsers->count(); ++i)
        listed << login.ui()->cboUsers->itemText(i);
    EXPECT_EQ(listed, (QStringList{"ADMIN", "RECEPTIONDESK", "STRANGER"}))
        << messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(login.ui()->cboUsers->currentIndex(), 0);
    EXPECT_TRUE(login.ui()->txtPassword->text().isEmpty());

    login.ui()->cboUsers->setCurrentText(QStringLiteral("RECEPTIONDESK"));
    login.ui()->cboUsers->setFocus();
    QTest::keyClick(login.ui()->cboUsers, Qt::Key_Return);
    EXPECT_TRUE(login.ui()->txtPassword->hasFocus());
    QTest::keyClicks(login.ui()->txtPassword, QStringLiteral("Desk-9"));
    QTest::keyClick(login.ui()->txtPassword, Qt::Key_Return);

    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(Module1::LoginUserName, QStringLiteral("RECEPTIONDESK"));
    EXPECT_EQ(Module1::UserType, QStringLiteral("U"));
    EXPECT_EQ(Module1::UserRowNo, 7);
    EXPECT_EQ(ui::Forms::loaded<frmLogin>(), nullptr);
    ASSERT_NE(ui::Forms::loaded<MDIForm1>(), nullptr);
    EXPECT_NE(ui::Forms::loaded<frmBack>(), nullptr);
    EXPECT_EQ(Module1::Con->user(), QStringLiteral("RECEPTIONDESK"));
}

TEST_P(LoginTest, OnlyAServerConnectionKeepsThePasswordAfterTheLogin) {
    auto& login = open();
    login.ui()->cboUsers->setCurrentText(QStringLiteral("RECEPTIONDESK"));
    login.ui()->txtPassword->setFocus();
    QTest::keyClicks(login.ui()->txtPassword, QStringLiteral("Desk-9"));
    QTest::keyClick(login.ui()->txtPassword, Qt::Key_Return);
    ASSERT_NE(ui::Forms::loaded<MDIForm1>(), nullptr) << messages.texts().join('|').toStdString();
    // A server connection needs it to reconnect after a loss; the embedded database never reconnects.
    EXPECT_EQ(Module1::Con->info().password.isEmpty(), GetParam() == Engine::Sqlite);
}

TEST_P(LoginTest, AWrongPasswordShowsLoginErrorAndTheFourthTryStillWorks) {
    auto& login = open();
    login.ui()->cboUsers->setCurrentText(QStringLiteral("RECEPTIONDESK"));
    for (int attempt = 0; attempt < 3; ++attempt) {
        login.ui()->txtPassword->setText(QStringLiteral("wrong-%1").arg(attempt));
        login.cmdLogIn_Click();
        ASSERT_EQ(messages.shown().size(), attempt + 1);
        EXPECT_EQ(messages.last().style, ui::vbCritical);
        EXPECT_EQ(messages.last().title, QStringLiteral("Login Error"));
        EXPECT_TRUE(messages.last().text.contains(QStringLiteral("password")))
            << messages.last().text.toStdString();
        EXPECT_TRUE(login.ui()->txtPassword->hasFocus());
        EXPECT_EQ(login.ui()->txtPassword->selectedText(), login.ui()->txtPassword->text());
    }
    EXPECT_EQ(ui::Forms::loaded<MDIForm1>(), nullptr);
    login.ui()->txtPassword->setText(QStringLiteral("Desk-9"));
    login.cmdLogIn_Click();
    EXPECT_EQ(messages.shown().size(), 3);
    EXPECT_NE(ui::Forms::loaded<MDIForm1>(), nullptr);
}

TEST_P(LoginTest, AnEmptyOrBlankUserNameIsRefusedWhateverThePassword) {
    auto& login = open();
    for (const QString& name : {QString(), QStringLiteral("  ")}) {
        for (const QString& password : {QString(), wbtest::AdminPassword}) {
            messages.clear();
            login.ui()->cboUsers->setEditText(name);
            login.ui()->txtPassword->setText(password);
            login.cmdLogIn_Click();
            ASSERT_EQ(messages.shown().size(), 1) << "logged in with the name '" << name.toStdString() << "'";
            EXPECT_EQ(messages.last().title, QStringLiteral("Login Error"));
            EXPECT_EQ(messages.last().text, QStringLiteral("Please enter a user name to log in."));
            EXPECT_EQ(ui::Forms::loaded<MDIForm1>(), nullptr);
            EXPECT_FALSE(Module1::Con->isOpen());
        }
    }
    EXPECT_EQ(ui::Forms::loaded<frmLogin>(), &login); // still there for the next try
}

TEST_P(LoginTest, ALoginWithoutAUserRowSeesOnlyTheAdministratorMenu) {
    auto& login = open();
    login.ui()->cboUsers->setCurrentText(QStringLiteral("STRANGER"));
    login.ui()->txtPassword->setText(QStringLiteral("Str-1"));
    login.cmdLogIn_Click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(Module1::UserRowNo, 0);
    EXPECT_EQ(Module1::UserType, QString());
    auto& main = ui::Forms::get<MDIForm1>();
    for (const char* top : {"mnu_Reg_Form", "mnu_trans", "mnu_Report"})
        EXPECT_FALSE(main.menuControl(QLatin1String(top))->isVisible()) << top;
    EXPECT_TRUE(main.menuControl(QStringLiteral("mnu_addministrator"))->isVisible());
}

WB_ENGINES(LoginTest);

} // namespace
