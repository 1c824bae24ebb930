#pragma once

#include "frm_Observation.h"

namespace Ui {
class frm_Operation;
}

// The operation screen: the observation screen with the patient's consent to the operation shown
// above its entry page, printing the admission report. No menu command opens it.
class frm_Operation : public frm_Observation {
    Q_OBJECT
public:
    frm_Operation();
    ~frm_Operation() override;

    Ui::frm_Operation* consent() const { return consent_.get(); }

protected:
    int loadHeight() const override { return 10125; }

private:
    std::unique_ptr<Ui::frm_Operation> consent_;
};
