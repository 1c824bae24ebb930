#pragma once

#include "certificateform.h"

#include <memory>

class QTimer;

namespace Ui {
class frm_Death_Cer;
}
namespace wb::certificates {
class FollowingClock;
}

// The death certificates: one row per death in the hospital, with the consultant and the duty
// doctor who confirmed it picked from the doctor register. A new certificate's two time boxes follow
// the clock until the user types a time into them. Listed in admission-number order and searched;
// nothing is printed.
class frm_Death_Cer : public wb::certificates::CertificateForm {
    Q_OBJECT
public:
    frm_Death_Cer();
    ~frm_Death_Cer() override;

    void Form_Load() override;
    void Timer1_Timer();

    Ui::frm_Death_Cer* ui() const { return ui_.get(); }
    QTimer* Timer1 = nullptr;

protected:
    void clearExtra() override;

private:
    std::unique_ptr<Ui::frm_Death_Cer> ui_;
    wb::certificates::FollowingClock* clock_ = nullptr;
};
