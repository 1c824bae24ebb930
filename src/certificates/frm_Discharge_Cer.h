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

    void FillGird(const QString& criterion) override;

    void cmd_find_con_Click();
    void cmdfind_Click();
    void cmdshowall_Click();
    void cmds_cancel_Click();
    void txt_s_val_Change();

    Ui::frm_Discharge_Cer* ui() const { return ui_.get(); }

protected:
    void fillFixedLists() override;
    void saveSteps(wb::Recordset& rs) override;
    void readExplicit(wb::Recordset& rs) override;

private:
    QString selectList(bool clockTime) const;
    void search();
    std::unique_ptr<Ui::frm_Discharge_Cer> ui_;
};
