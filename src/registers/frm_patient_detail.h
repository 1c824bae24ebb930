#pragma once

#include "common/registerform.h"

#include <memory>

namespace Ui {
class frm_patient_detail;
}

// The patient register: registered patients, and the patient pick list of the slip, admission,
// observation, operation and account-report screens.
class frm_patient_detail : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_patient_detail();
    ~frm_patient_detail() override;

    void Msh_KeyPress(int keyAscii) override;

    Ui::frm_patient_detail* ui() const { return ui_.get(); }

protected:
    void fillFixedLists() override;
    void saveSteps(wb::Recordset& rs) override;
    void loadPicked(int row) override;
    void writePickVariables(int row) override;

private:
    std::unique_ptr<Ui::frm_patient_detail> ui_;
};
