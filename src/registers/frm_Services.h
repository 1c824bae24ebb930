#pragma once

#include "common/registerform.h"

#include <memory>

namespace Ui {
class frm_Services;
}

// The services register: the service heads under which the rate list groups its tests. One name
// box, a grid of every head by name (no search page), keys given by the database, and a delete
// that does not ask.
class frm_Services : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_Services();
    ~frm_Services() override;

    Ui::frm_Services* ui() const { return ui_.get(); }

protected:
    void saveSteps(wb::Recordset& rs) override;
    void loadPicked(int row) override;
    void writePickVariables(int row) override;

private:
    std::unique_ptr<Ui::frm_Services> ui_;
};
