#pragma once

#include "data/serverconfig.h"
#include "ui/form.h"

#include <memory>

namespace Ui {
class frmLogin;
}

// The first window of every run: lists the logins, logs the chosen user in with that user's own
// login, records who is logged in and opens the main window.
class frmLogin : public wb::ui::Form {
    Q_OBJECT
public:
    frmLogin();
    ~frmLogin() override;
    bool isMdiChild() const override { return false; }

    void Form_Load() override;
    void cmdLogIn_Click();
    void cmdCancel_Click();

    Ui::frmLogin* ui() const { return ui_.get(); }
    // Where "Server.txt" is read from (the program's folder; tests point it elsewhere).
    static QString& serverFolder();

private:
    void fillUsers();
    std::unique_ptr<Ui::frmLogin> ui_;
    wb::ServerConfig config_;
};
