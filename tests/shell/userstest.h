#pragma once

#include "data/dberror.h"
#include "shell/Frm_User.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_Frm_User.h"

#include <QTest>

namespace wbtest {

// The users register, opened by an administrator (ADMIN, row 1).
class UsersTest : public RegisterTest {
protected:
    void beforeMainWindow() override {
        Module1::LoginUserName = QStringLiteral("ADMIN");
        Module1::UserType = QStringLiteral("A");
        Module1::UserRowNo = 1;
    }
    Frm_User& open() { return openFromMenu<Frm_User>("mnuAddUser"); }
    // Types the entries as a user does (the boxes upper-case what is typed, except the password) and
    // clicks Save.
    void add(Frm_User& w, const QString& name, const QString& password, bool administrator = false,
             const QString& designation = {}) {
        w.cmdCancel_Click();
        QTest::keyClicks(w.ui()->txt_User_Nm, name);
        QTest::keyClicks(w.ui()->txt_Desig, designation);
        QTest::keyClicks(w.ui()->txt_User_pass, password);
        (administrator ? w.ui()->Opt_Admin : w.ui()->Opt_User)->setChecked(true);
        w.cmdSave->click();
    }
    void pick(Frm_User& w, const QString& name) {
        const int r = rowOf(w, 2, name);
        ASSERT_GE(r, 1) << "no grid row for " << name.toStdString();
        w.Msh->setRow(r);
        w.Msh_DblClick();
    }
    bool canLogIn(const QString& login, const QString& password) {
        try {
            db->connect(login, password);
            return true;
        } catch (const wb::DbError&) {
            return false;
        }
    }
};

} // namespace wbtest
