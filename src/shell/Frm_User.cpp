#include "Frm_User.h"

#include "data/loginstore.h"
#include "data/recordset.h"
#include "session/module1.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_Frm_User.h"
#include "userlogins.h"
#include "userpassword.h"
#include "userrights.h"

using namespace wb;
using Module1::Con;

namespace {

common::RegisterDefinition userDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("User_Information");
    s.key = QStringLiteral("Row_No");
    s.tag = QStringLiteral("D");
    // The name and code are written when a user is added, never changed; the password box is never
    // copied into the table (the login store keeps the password).
    s.skipped = {QStringLiteral("txt_User_Code"), QStringLiteral("txt_User_Nm"),
                 QStringLiteral("txt_User_pass")};
    s.codeColumn = QStringLiteral("User_Code");
    s.codePrefix = QStringLiteral("UC-");
    s.codeOnInsertOnly = true;
    s.required = {{QStringLiteral("txt_User_Nm"), QStringLiteral("Please enter User Name")}};
    s.criteria = {{QStringLiteral("User Name"), QStringLiteral("User_Name")},
                  {QStringLiteral("Designation"), QStringLiteral("Designation")}};
    s.orderBy = QStringLiteral("User_Code desc");
    s.grid = {{QStringLiteral("Row_No"), QStringLiteral("Code"), 0},
              {QStringLiteral("User_Code"), QStringLiteral("User No"), 0},
              {QStringLiteral("User_Name"), QStringLiteral("User Name"), 3000},
              {QStringLiteral("Designation"), QStringLiteral("Designation"), 2000},
              {QStringLiteral("PassWard"), QStringLiteral("PassWard"), 3000,
               QStringLiteral("'%1'").arg(Frm_User::passwordMask())},
              {QStringLiteral("Status"), QStringLiteral("Status"), 2000}};
    s.noun = QStringLiteral("user");
    s.deleteMessage = QStringLiteral("Are you sure delete this information");
    s.pickTestsPickMode = false;
    s.exitHidesInPickMode = true;
    s.printTemplate = QStringLiteral("rpt_User_Name.rpt");
    s.printFormulaPrefix = QStringLiteral("{User_Information.Row_No} = ");
    return s;
}

} // namespace

Frm_User::Frm_User() : RegisterForm(userDefinition()), ui_(std::make_unique<Ui::Frm_User>()) {
    ui_->setupUi(this);
    auto c = common::searchPageControls(*ui_);
    c.firstEntry = ui_->txt_User_Nm;
    bindControls(c);
    ui::keys::upperCaseAndTab({ui_->txt_User_Nm, ui_->txt_Desig, ui_->txt_User_Code, ui_->txt_s_value});
    // The password is kept as typed, as the login window takes it: the box is masked, so a change of
    // letter case would go unseen.
    ui::keys::enterToTab(ui_->txt_User_pass);
    ui::keys::enterToTab(ui_->Opt_Admin);
    ui::keys::enterToTab(ui_->Opt_User);
}

Frm_User::~Frm_User() = default;

QString Frm_User::passwordMask() {
    return QStringLiteral("********");
}

void Frm_User::clearExtra() {
    ui_->txt_User_Nm->setReadOnly(false);
    ui_->Opt_User->setChecked(true); // a new user is a user until an administrator says otherwise
}

bool Frm_User::validate() {
    if (userlogins::loginNameOf(ui_->txt_User_Nm->text()).isEmpty()) {
        // Blanks only: no login can be made of it.
        ui::MsgBox(QStringLiteral("Please enter User Name"), ui::vbInformation);
        ui_->txt_User_Nm->setFocus();
        return false;
    }
    // Editing: the name is locked and was tested when the user was added; a new password is optional.
    if (!ui_->txt_Row_No->text().isEmpty())
        return userpassword::readyForSave(ui_->txt_User_pass, false);
    if (userlogins::nameTaken(ui_->txt_User_Nm->text())) {
        ui::MsgBox(QStringLiteral("User Name Is already exitis! "), ui::vbInformation);
        ui_->txt_User_Nm->setFocus();
        return false;
    }
    return userrights::mayAdd() && userpassword::readyForSave(ui_->txt_User_pass, true);
}

void Frm_User::cmdSave_Click() {
    if (!userrights::administrator() && !ui_->txt_Row_No->text().isEmpty())
        saveOwnPassword();
    else
        RegisterForm::cmdSave_Click();
}

void Frm_User::saveOwnPassword() {
    QString login;
    if (!userrights::ownChangeAllowed(ui_->txt_Row_No->text().toLongLong(), ui_->txt_Desig->text(),
                                      ui_->Opt_Admin->isChecked(), login))
        return;
    if (!ui_->txt_User_pass->text().isEmpty()) {
        if (!userpassword::acceptable(ui_->txt_User_pass))
            return;
        Con->logins().changePassword(login, ui_->txt_User_pass->text());
    }
    FillGird(QString());
    ClearAll();
}

void Frm_User::saveSteps(Recordset& rs) {
    const QString password = ui_->txt_User_pass->text();
    if (IsNew) {
        // Inside the saving transaction: the login is created with the row, and rolled back with it.
        userlogins::create(ui_->txt_User_Nm->text(), password, ui_->Opt_Admin->isChecked());
        rs.setField(QStringLiteral("User_Name"), ui_->txt_User_Nm->text());
        rs.setField(QStringLiteral("PassWard"), passwordMask());
    } else if (!password.isEmpty()) {
        // A password typed while editing becomes the login's password, in the row's transaction.
        Con->logins().changePassword(userlogins::loginNameOf(rs.text(QStringLiteral("User_Name"))), password);
        rs.setField(QStringLiteral("PassWard"), passwordMask());
    }
    if (ui_->Opt_User->isChecked())
        rs.setField(QStringLiteral("Status"), QStringLiteral("U"));
    else if (ui_->Opt_Admin->isChecked())
        rs.setField(QStringLiteral("Status"), QStringLiteral("A"));
    if (!IsNew) {
        // The status and the login's rights change together, in the row's transaction.
        userlogins::matchStatus(rs.text(QStringLiteral("User_Name")),
                                rs.text(QStringLiteral("Status")) == QLatin1String("A"));
    }
}

void Frm_User::readExplicit(Recordset& rs) {
    const QString status = rs.text(QStringLiteral("Status"));
    if (status == QLatin1String("U"))
        ui_->Opt_User->setChecked(true);
    else if (status == QLatin1String("A"))
        ui_->Opt_Admin->setChecked(true);
    // There is no password to show: an empty box keeps the login's password, a typed one replaces it.
    ui_->txt_User_pass->clear();
    ui_->txt_User_Nm->setReadOnly(true);
}

void Frm_User::cmdDelete_Click() {
    if (userrights::mayDelete(ui_->txt_Row_No->text()))
        RegisterForm::cmdDelete_Click();
}

void Frm_User::deleteSteps(qint64 key) {
    // In the delete's transaction: the user's menu rights and login go with the row.
    Con->Execute(QStringLiteral("Delete From Chart_Of_Menus Where User_ID = ?"), {key});
    const QVariant name =
        Con->scalar(QStringLiteral("select User_Name from User_Information where Row_No = ?"), {key});
    if (name.isValid())
        userlogins::drop(name.toString());
}
