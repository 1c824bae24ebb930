#pragma once

#include "common/registerform.h"

#include <memory>

namespace Ui {
class Frm_User;
}

// The users register: the program's users, each with the database login of the same name without
// blanks. Adding a user creates the login, deleting one drops it, and a password typed while
// editing becomes the login's new password; the row and the login change together or not at all.
// The table never holds a password: the login store keeps it (as a hash or as the server role's
// secret), and the grid's password column shows a mask.
class Frm_User : public wb::common::RegisterForm {
    Q_OBJECT
public:
    Frm_User();
    ~Frm_User() override;

    void cmdDelete_Click() override;

    Ui::Frm_User* ui() const { return ui_.get(); }

    // The login of a user name: the name with every blank removed.
    static QString loginNameOf(const QString& userName);
    // What the table and the grid show in place of a password.
    static QString passwordMask();

protected:
    void clearExtra() override;
    bool validate() override;
    void saveSteps(wb::Recordset& rs) override;
    void readExplicit(wb::Recordset& rs) override;
    void deleteSteps(qint64 key) override;

private:
    // Inside the saving transaction of a new user: the login is created with the row.
    void createLogin();
    std::unique_ptr<Ui::Frm_User> ui_;
};
