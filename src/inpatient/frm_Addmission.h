#pragma once

#include "common/picker.h"
#include "common/registerform.h"

#include <memory>

class QTimer;

namespace Ui {
class frm_Addmission;
}
namespace wb::inpatient {
class AdmissionClock;
}

// The admission screen: admits a registered patient with the consultant, duty and referring
// doctors, a room, the date, time and shift; finds, corrects, deletes and prints admissions.
class frm_Addmission : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_Addmission();
    ~frm_Addmission() override;

    void Form_Load() override;
    void Form_Activate() override;

    void FillPatient(long patientId);
    void ClearPatient();
    void FillData() override;
    void FillGird(const QString& criterion = QString()) override;
    void SetMaxLenght() { SetMaxlength(); }

    void cmdSave_Click() override;
    void cmdDelete_Click() override;

    void cmb_pat_search_Click();
    void cmd_find_con_Click();
    void cmd_find_duty_doc_Click();
    void cmd_find_R_doc_Click();
    void Timer2_Timer();
    void cmb_s_cri_Change();
    void DTPicker2_Change();
    void cmds_cancel_Click();

    Ui::frm_Addmission* ui() const { return ui_.get(); }
    QTimer* Timer2 = nullptr;

protected:
    void fillFixedLists() override;
    void clearExtra() override;
    QString searchQuery(const QString& criterion, QVariantList& params) const override;
    bool validate() override;
    void saveSteps(wb::Recordset& rs) override;
    void loadPicked(int row) override;

private:
    // The table, required boxes, criteria and grid; the key rules of the boxes.
    static wb::common::RegisterDefinition admissionDefinition();
    void installKeys();
    void findDoctor(const QString& letter);
    std::unique_ptr<Ui::frm_Addmission> ui_;
    wb::inpatient::AdmissionClock* clock_ = nullptr;
    wb::common::PickRequests picks_; // the Finds of the patient and doctor registers
};
