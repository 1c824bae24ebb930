#pragma once

#include "certificateform.h"

#include <memory>

class QTimer;

namespace Ui {
class frm_Death_Cer;
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
    void FillGird(const QString& criterion) override;

    void Timer1_Timer();
    void cmd_find_con_Click();
    void cmd_find_duty_doc_Click();
    void cmdfind_Click();
    void cmdshowall_Click();
    void cmds_cancel_Click();
    void txt_s_val_Change();

    Ui::frm_Death_Cer* ui() const { return ui_.get(); }
    QTimer* Timer1 = nullptr;

protected:
    void fillFixedLists() override;
    void saveSteps(wb::Recordset& rs) override;
    void readExplicit(wb::Recordset& rs) override;
    void clearExtra() override;

private:
    QString selectList(bool clockTimes) const;
    void search();
    std::unique_ptr<Ui::frm_Death_Cer> ui_;
    // The time boxes the user has typed into since the certificate was started.
    bool typedTimeOfDeath_ = false;
    bool typedIssueTime_ = false;
};
