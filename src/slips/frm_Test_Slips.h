#pragma once

#include "common/picker.h"
#include "ui/form.h"

#include <QString>
#include <memory>

class QTimer;

namespace Ui {
class frm_Test_Slips;
}
namespace wb::slips {
struct SlipAmounts;
}

// The billing screen of the front desk: a patient's slip with the tests charged, the doctors, the
// cash received and the balance (entry page), and the list of slips, searched as the user types,
// reopened, cancelled with the cancel password, deleted and printed again (search page).
class frm_Test_Slips : public wb::ui::Form {
    Q_OBJECT
public:
    frm_Test_Slips();
    ~frm_Test_Slips() override;

    // The password that cancels a slip.
    static const QString CancelPassword;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // Entry page.
    void SetGird();
    void totAmount();
    void ClearAll();
    void FillEmployee();
    void SaveData();
    void OpenData();
    void optopd_Click();
    void optipd_Click();
    void Find_Pat_Detail_Click();
    void cmd_find_Add_Search_Click();
    void cmd_find_opd_doc_Click();
    void cmd_find_Reff_doc_Click();
    void cmd_find_Employee_Click();
    void cmd_Rate_List_Click();
    void cmd_ADD_1_Click();
    void cmd_Delete_2_Click();
    void txt_cash_rece_Change();
    void txt_balance_Change();
    void cmdSave_Click();
    void cmdCancel_Click();
    void cmdExit_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    // Search page.
    void FillGird(const QString& criterion);
    void SearchSetGird();
    void cmb_s_cri_Change();
    void txt_s_val_Change();
    void DTPicker1_Change();
    void MshSearching_Click();
    void MshSearching_DblClick();
    void cmdCancelSlip_Click();
    void txtPassword_KeyPress(int keyAscii);
    void txtPassword_LostFocus();
    void cmdDelete_Click();
    void cmdPrint_Click();

    Ui::frm_Test_Slips* ui() const { return ui_.get(); }
    // Whether the slip's referring doctor is a panel doctor ("Panel"), as saved with the slip.
    const QString& referrerStatus() const { return referrerStatus_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void installKeys();
    void patientLayout(bool inPatient);
    wb::slips::SlipAmounts amounts() const;
    void bindSearch(const QString& criterion);
    QString currentCriterion() const;

    std::unique_ptr<Ui::frm_Test_Slips> ui_;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QString referrerStatus_;
    wb::common::PickRequests picks_; // the Finds of the pick lists
};
