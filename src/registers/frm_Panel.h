#pragma once

#include "common/registerform.h"

#include <memory>

namespace Ui {
class frm_Panel;
}

// The panel register: the panels a slip can name, listed, searched by name and printed on one page.
class frm_Panel : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_Panel();
    ~frm_Panel() override;

    Ui::frm_Panel* ui() const { return ui_.get(); }

protected:
    void loadPicked(int row) override;
    void writePickVariables(int row) override;

private:
    std::unique_ptr<Ui::frm_Panel> ui_;
};
