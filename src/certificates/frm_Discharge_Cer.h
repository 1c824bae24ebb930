#pragma once

#include "certificateform.h"

#include <memory>

namespace Ui {
class frm_Discharge_Cer;
}

// The discharge certificates of in-patients, with the consultant picked from the doctor register;
// every other field is typed. Listed in patient-name order and searched; nothing is printed.
class frm_Discharge_Cer : public wb::certificates::CertificateForm {
    Q_OBJECT
public:
    frm_Discharge_Cer();
    ~frm_Discharge_Cer() override;

    Ui::frm_Discharge_Cer* ui() const { return ui_.get(); }

private:
    std::unique_ptr<Ui::frm_Discharge_Cer> ui_;
};
