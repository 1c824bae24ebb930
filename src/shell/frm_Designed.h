#pragma once

#include "ui/form.h"

#include <memory>

namespace Ui {
class frm_Designed;
}

// The credits window (opened by no command).
class frm_Designed : public wb::ui::Form {
    Q_OBJECT
public:
    frm_Designed();
    ~frm_Designed() override;
    void Form_Load() override;
    void cmdExit_Click();
    Ui::frm_Designed* ui() const { return ui_.get(); }

private:
    std::unique_ptr<Ui::frm_Designed> ui_;
};
