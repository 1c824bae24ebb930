#pragma once

#include "common/registerform.h"

#include <memory>

namespace Ui {
class Frm_User;
}

// The users register: the program's users, each with the database login of the same name without
// blanks. Adding a user creates the login, deleting one drops it, a password typed while editing
// becomes the login's new password, and the status gives or takes the login's administrator rights;
// the row and the login change together or not at all. The table never holds a password: the login
// store keeps it (as a hash or as the server's verifier), and the grid's password column shows a
// mask. Only an administrator adds, changes or deletes users; any user may change their own password.
class Frm_User : public wb::common::RegisterForm {
    Q_OBJECT
public:
    Frm_User();
    ~Frm_User() override;

    void cmdSave_Click() override;
    void cmdDelete_Click() override;

    Ui::Frm_User* ui() const { return ui_.get(); }

    // What the table and the grid show in place of a password.
    static QString passwordMask();

protected:
    void clearExtra() override;
    bool validate() override;
    void saveSteps(wb::Recordset& rs) override;
    void readExplicit(wb::Recordset& rs) override;
    void deleteSteps(qint64 key) override;

private:
    // The save of a user who is not an administrator: their own password, nothing else.
    void saveOwnPassword();
    std::unique_ptr<Ui::Frm_User> ui_;
};
