#pragma once

#include "common/picker.h"
#include "common/registerform.h"

#include <QVariantList>
#include <memory>

class QTimer;

namespace Ui {
class frm_Observation;
}
namespace wb::inpatient {
class AdmissionClock;
}

// The observation screen: the ward records an observation of a registered patient as a row of the
// admissions table (the admission and operation screens list, open, change and delete the same
// rows), with its registration number, date, time and shift, weight, the observation, the
// financially responsible person, the room, and the consultant, duty and referring doctors.
class frm_Observation : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_Observation();
    ~frm_Observation() override;

    void Form_Load() override;
    void Form_Activate() override;

    void ClearAll() override;
    void FillGird(const QString& criterion = {}) override;
    void FillData() override;
    void SetMaxLenght();
    void FillPatient(long patientId);
    void ClearPatient();

    void cmdSave_Click() override;
    void cmdDelete_Click() override;
    void Msh_DblClick() override;

    void cmb_pat_search_Click();
    void cmd_find_con_Click();
    void cmd_find_duty_doc_Click();
    void cmd_find_R_doc_Click();
    void cmdfind_Click();
    void cmdshowall_Click();
    void cmds_cancel_Click();
    void txt_s_val_Change();
    void DTPicker2_Change();
    void DTPicker3_Change();
    void Timer2_Timer();

    Ui::frm_Observation* ui() const { return ui_.get(); }
    wb::inpatient::AdmissionClock& clock() const { return *clock_; }
    QTimer* Timer2 = nullptr;

protected:
    // The operation screen: the same window with a definition of its own (its report).
    explicit frm_Observation(wb::common::RegisterDefinition definition);
    static wb::common::RegisterDefinition observationDefinition();
    // The operation screen is taller.
    virtual int loadHeight() const { return 9660; }

    void fillFixedLists() override;
    QString searchQuery(const QString& criterion, QVariantList& params) const override;
    bool validate() override;
    void saveSteps(wb::Recordset& rs) override;
    void afterSave() override;

private:
    // The search page's query of the grid's columns.
    static QString columns(const QString& row, const QString& name);
    static QString selectList();
    // The rows that pass `filter` (empty: every row) by patient name. `many`: the filter keeps many
    // rows, so the admissions' list in that order (`n`, which it may test) is walked; otherwise the
    // rows it keeps (of the admission `a` and its patient `p`) are found, then put in order.
    static QString byName(const QString& filter, const QVariantList& filterParams, QVariantList& params,
                          bool many = false);
    static QString fromListByName();
    // The rows of the patients whose name contains the text, by admission key.
    static QString byPatientName(const QString& text, QVariantList& params);
    void installKeys();
    void listDay(const QDate& day);

    std::unique_ptr<Ui::frm_Observation> ui_;
    wb::inpatient::AdmissionClock* clock_ = nullptr;
    wb::common::PickRequests picks_; // the Finds of the patient and doctor registers
};
