#include "Frm_User.h"

#include "data/loginstore.h"
#include "data/passwordrule.h"
#include "data/recordset.h"
#include "shell/module1.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_Frm_User.h"

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

bool sameLogin(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
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

QString Frm_User::loginNameOf(const QString& userName) {
    return QString(userName).remove(QLatin1Char(' '));
}

QString Frm_User::passwordMask() {
    return QStringLiteral("********");
}

void Frm_User::clearExtra() {
    ui_->txt_User_Nm->setReadOnly(false);
    ui_->Opt_User->setChecked(true); // a new user is a user until an administrator says otherwise
}

bool Frm_User::administrator() {
    return Module1::UserType == QLatin1String("A");
}

bool Frm_User::passwordAcceptable() {
    const QString problem = newPasswordProblem(ui_->txt_User_pass->text());
    if (problem.isEmpty())
        return true;
    ui::MsgBox(problem + QStringLiteral(" Nothing was saved."), ui::vbInformation);
    ui_->txt_User_pass->setFocus();
    return false;
}

bool Frm_User::validate() {
    const QString login = loginNameOf(ui_->txt_User_Nm->text());
    if (login.isEmpty()) { // blanks only: no login can be made of it
        ui::MsgBox(QStringLiteral("Please enter User Name"), ui::vbInformation);
        ui_->txt_User_Nm->setFocus();
        return false;
    }
    if (!ui_->txt_Row_No->text().isEmpty()) {
        // Editing: the name is locked and was tested when the user was added. A new password is
        // hashed now, before the saving transaction takes the write lock.
        if (ui_->txt_User_pass->text().isEmpty())
            return true;
        if (!passwordAcceptable())
            return false;
        Con->logins().prepare(ui_->txt_User_pass->text());
        return true;
    }

    Module1::OpenRs(QStringLiteral("Select User_Name From User_Information Where "
                                   "upper(Replace(User_Name,' ','')) = upper(%1)")
                        .arg(Con->dialect().textParam()),
                    {login});
    if (Module1::Rs->RecordCount() > 0) {
        ui::MsgBox(QStringLiteral("User Name Is already exitis! "), ui::vbInformation);
        ui_->txt_User_Nm->setFocus();
        return false;
    }
    if (!administrator()) {
        ui::MsgBox(QStringLiteral("Only an administrator may add users: nothing was saved."),
                   ui::vbInformation);
        return false;
    }
    if (ui_->txt_User_pass->text().isEmpty()) {
        ui::MsgBox(QStringLiteral("Please enter the new user's password."), ui::vbInformation);
        ui_->txt_User_pass->setFocus();
        return false;
    }
    if (!passwordAcceptable())
        return false;
    Con->logins().prepare(ui_->txt_User_pass->text()); // hashed before the transaction opens
    return true;
}

void Frm_User::cmdSave_Click() {
    if (!administrator() && !ui_->txt_Row_No->text().isEmpty())
        saveOwnPassword();
    else
        RegisterForm::cmdSave_Click();
}

void Frm_User::saveOwnPassword() {
    Module1::OpenRs(
        QStringLiteral("select User_Name, Designation, Status from User_Information where Row_No = ?"),
        {ui_->txt_Row_No->text().toLongLong()});
    if (Module1::Rs->RecordCount() < 1) {
        ui::MsgBox(
            QStringLiteral("This user no longer exists: another desk has deleted it. Nothing was saved."),
            ui::vbInformation);
        return;
    }
    Module1::Rs->MoveFirst();
    const QString login = loginNameOf(Module1::Rs->text(QStringLiteral("User_Name")));
    const QString designation = Module1::Rs->text(QStringLiteral("Designation"));
    const QString status = Module1::Rs->text(QStringLiteral("Status"));
    if (!sameLogin(login, Con->user())) {
        ui::MsgBox(QStringLiteral("Only an administrator may change another user: nothing was saved."),
                   ui::vbInformation);
        return;
    }
    const bool statusChanged = (status == QLatin1String("A")) != ui_->Opt_Admin->isChecked();
    if (statusChanged || ui_->txt_Desig->text() != designation) {
        ui::MsgBox(QStringLiteral("Only an administrator may change a status or a designation: nothing was "
                                  "saved. You may change your own password."),
                   ui::vbInformation);
        return;
    }
    if (!ui_->txt_User_pass->text().isEmpty()) {
        if (!passwordAcceptable())
            return;
        Con->logins().changePassword(login, ui_->txt_User_pass->text());
    }
    FillGird(QString());
    ClearAll();
}

void Frm_User::createLogin() {
    // Inside the saving transaction: the login is created with the row, and rolled back with it.
    const QString login = loginNameOf(ui_->txt_User_Nm->text());
    LoginStore& logins = Con->logins();
    // A login of that name that has no user row (made outside the program) is not taken over. The
    // failure is not reported as a duplicate key, which would make the save try again.
    if (logins.exists(login))
        throw DbError(QStringLiteral("The login '%1' exists already: choose another name.").arg(login),
                      DbError::Kind::Refused);
    try {
        logins.create(login, ui_->txt_User_pass->text(), ui_->Opt_Admin->isChecked());
    } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::Duplicate)
            throw DbError(e.text(), DbError::Kind::Refused);
        throw;
    }
}

void Frm_User::saveSteps(Recordset& rs) {
    const QString password = ui_->txt_User_pass->text();
    if (IsNew) {
        createLogin();
        rs.setField(QStringLiteral("User_Name"), ui_->txt_User_Nm->text());
        rs.setField(QStringLiteral("PassWard"), passwordMask());
    } else if (!password.isEmpty()) {
        // A password typed while editing becomes the login's password, in the row's transaction.
        Con->logins().changePassword(loginNameOf(rs.text(QStringLiteral("User_Name"))), password);
        rs.setField(QStringLiteral("PassWard"), passwordMask());
    }
    if (ui_->Opt_User->isChecked())
        rs.setField(QStringLiteral("Status"), QStringLiteral("U"));
    else if (ui_->Opt_Admin->isChecked())
        rs.setField(QStringLiteral("Status"), QStringLiteral("A"));
    if (!IsNew) {
        // The status and the login's rights change together, in the row's transaction: a demoted
        // administrator can no longer create logins or write the users.
        LoginStore& logins = Con->logins();
        const QString login = logins.programLogin(loginNameOf(rs.text(QStringLiteral("User_Name"))));
        const bool admin = rs.text(QStringLiteral("Status")) == QLatin1String("A");
        if (!login.isEmpty() && logins.isAdministrator(login) != admin)
            logins.setAdministrator(login, admin);
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
    const QString key = ui_->txt_Row_No->text();
    if (!key.isEmpty() && !administrator()) {
        ui::MsgBox(QStringLiteral("Only an administrator may delete users: nothing was deleted."),
                   ui::vbInformation);
        return;
    }
    if (!key.isEmpty()) {
        const QVariant name = Con->scalar(
            QStringLiteral("select User_Name from User_Information where Row_No = ?"), {key.toLongLong()});
        if (name.isValid() && sameLogin(loginNameOf(name.toString()), Con->user())) {
            ui::MsgBox(QStringLiteral("You are logged in as this user: it cannot be deleted now."),
                       ui::vbInformation);
            return;
        }
    }
    RegisterForm::cmdDelete_Click();
}

void Frm_User::deleteSteps(qint64 key) {
    // In the delete's transaction: the user's menu rights and login go with the row.
    Con->Execute(QStringLiteral("Delete From Chart_Of_Menus Where User_ID = ?"), {key});
    const QVariant name =
        Con->scalar(QStringLiteral("select User_Name from User_Information where Row_No = ?"), {key});
    if (!name.isValid())
        return;
    LoginStore& logins = Con->logins();
    // Only a login of the program is dropped, never another role that happens to have the name.
    const QString login = logins.programLogin(loginNameOf(name.toString()));
    if (!login.isEmpty())
        logins.drop(login);
}
