#include "userpassword.h"

#include "data/connection.h"
#include "data/loginstore.h"
#include "data/passwordrule.h"
#include "session/module1.h"
#include "ui/msgbox.h"

#include <QLineEdit>

namespace wb::userpassword {

bool acceptable(QLineEdit* box) {
    const QString problem = newPasswordProblem(box->text());
    if (problem.isEmpty())
        return true;
    ui::MsgBox(problem + QStringLiteral(" Nothing was saved."), ui::vbInformation);
    box->setFocus();
    return false;
}

bool readyForSave(QLineEdit* box, bool required) {
    if (box->text().isEmpty()) {
        if (!required)
            return true;
        ui::MsgBox(QStringLiteral("Please enter the new user's password."), ui::vbInformation);
        box->setFocus();
        return false;
    }
    if (!acceptable(box))
        return false;
    Module1::Con->logins().prepare(box->text());
    return true;
}

} // namespace wb::userpassword
