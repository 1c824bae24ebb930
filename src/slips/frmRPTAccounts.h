#pragma once

#include "common/picker.h"
#include "ui/form.h"

#include <QString>
#include <memory>

class QDateEdit;

namespace Ui {
class frmRPTAccounts;
}

// The account reports: the daily counter sheet and the department-wise sheet of the From date, the
// doctor-wise summary from the From to the To date, and the head-wise report of the chosen service
// heads, each for the active company and shown in the viewer window. A doctor and a patient may be
// picked from their registers; they are only shown here.
class frmRPTAccounts : public wb::ui::Form {
    Q_OBJECT
public:
    frmRPTAccounts();
    ~frmRPTAccounts() override;

    void Form_Load() override;
    void Form_Activate() override;

    void cmdDailySlip_Click();
    void cmdDeptWise_Click();
    void cmdDocWise_Click();
    void cmdHeadWise_Click();
    void cmdServOK_Click();
    void cmdSerCancel_Click();
    void cmdFind_Doc_Click();
    void cmdFind_Patient_Click();

    // A picker's date as the reports take it: yyyy-mm-dd.
    static QString dateText(const QDateEdit& picker);
    // A picker's date as a formula field's text constant: "dd/mm/yyyy" with its double quotes.
    static QString quotedDate(const QDateEdit& picker);

    Ui::frmRPTAccounts* ui() const { return ui_.get(); }

private:
    std::unique_ptr<Ui::frmRPTAccounts> ui_;
    wb::common::PickRequests picks_; // the doctor's and the patient's Finds
};
