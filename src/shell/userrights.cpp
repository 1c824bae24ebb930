#include "userrights.h"

#include "data/connection.h"
#include "data/recordset.h"
#include "session/module1.h"
#include "ui/msgbox.h"
#include "userlogins.h"

namespace wb::userrights {

namespace {

void refuse(const QString& message) {
    ui::MsgBox(message, ui::vbInformation);
}

} // namespace

bool administrator() {
    return Module1::UserType == QLatin1String("A");
}

bool mayAdd() {
    if (administrator())
        return true;
    refuse(QStringLiteral("Only an administrator may add users: nothing was saved."));
    return false;
}

bool ownChangeAllowed(qint64 rowNo, const QString& designation, bool administratorChosen, QString& login) {
    Module1::OpenRs(
        QStringLiteral("select User_Name, Designation, Status from User_Information where Row_No = ?"),
        {rowNo});
    if (Module1::Rs->RecordCount() < 1) {
        refuse(QStringLiteral("This user no longer exists: another desk has deleted it. Nothing was saved."));
        return false;
    }
    Module1::Rs->MoveFirst();
    const QString name = Module1::Rs->text(QStringLiteral("User_Name"));
    const QString storedDesignation = Module1::Rs->text(QStringLiteral("Designation"));
    const QString status = Module1::Rs->text(QStringLiteral("Status"));
    if (!userlogins::isSessionLogin(name)) {
        refuse(QStringLiteral("Only an administrator may change another user: nothing was saved."));
        return false;
    }
    const bool statusChanged = (status == QLatin1String("A")) != administratorChosen;
    if (statusChanged || designation != storedDesignation) {
        refuse(QStringLiteral("Only an administrator may change a status or a designation: nothing was "
                              "saved. You may change your own password."));
        return false;
    }
    login = userlogins::loginNameOf(name);
    return true;
}

bool mayDelete(const QString& key) {
    if (key.isEmpty())
        return true;
    if (!administrator()) {
        refuse(QStringLiteral("Only an administrator may delete users: nothing was deleted."));
        return false;
    }
    const QVariant name = Module1::Con->scalar(
        QStringLiteral("select User_Name from User_Information where Row_No = ?"), {key.toLongLong()});
    if (name.isValid() && userlogins::isSessionLogin(name.toString())) {
        refuse(QStringLiteral("You are logged in as this user: it cannot be deleted now."));
        return false;
    }
    return true;
}

} // namespace wb::userrights
