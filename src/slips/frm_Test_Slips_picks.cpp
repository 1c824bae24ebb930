// The slip screen's pick lists: the Find commands, what they hand back, and the employee lookup.
#include "frm_Test_Slips.h"

#include "common/picker.h"
#include "data/recordset.h"
#include "frm_Add_Search.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Employee.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "slippicks.h"
#include "ui/msgbox.h"
#include "ui_frm_Test_Slips.h"

using namespace wb;
using Module1::Con;
using Module1::Rs;

void frm_Test_Slips::Find_Pat_Detail_Click() {
    picks_.find<frm_patient_detail>({.unloadFirst = true, .top = 1500, .left = 2500});
}

void frm_Test_Slips::cmd_find_Add_Search_Click() {
    picks_.find<frm_Add_Search>({.unloadFirst = true, .top = 1500, .left = 3300});
}

void frm_Test_Slips::cmd_find_opd_doc_Click() {
    auto& r = picks_.find<frm_Doc_Infor>({.unloadFirst = true, .top = 1500, .left = 2800, .docPickFor = "O"});
    if (auto* panels = r.findChild<QWidget*>(QStringLiteral("OptPanel")))
        panels->hide(); // the checkup doctor is never a panel doctor
}

void frm_Test_Slips::cmd_find_Reff_doc_Click() {
    picks_.find<frm_Doc_Infor>({.unloadFirst = true, .top = 1500, .left = 2800, .docPickFor = "R"});
}

void frm_Test_Slips::cmd_find_Employee_Click() {
    picks_.find<frm_Employee>({.unloadFirst = true, .top = 1500, .left = 3300});
}

void frm_Test_Slips::cmd_Rate_List_Click() {
    picks_.find<frm_Rate_List>({.unloadFirst = true, .top = 1500, .left = 3300});
}

void frm_Test_Slips::Form_Activate() {
    slips::takePicks(*ui_, referrerStatus_, picks_);
}

void frm_Test_Slips::FillEmployee() {
    const QString number = ui_->txt_Emp_No->text();
    if (number.isEmpty())
        return;
    Module1::OpenRs(QStringLiteral("Select Emp_No,Emp_Name,Designation From Employees Where Emp_No = ") +
                        Con->dialect().textParam(),
                    {number});
    if (Rs->RecordCount() < 1) {
        ui::MsgBox(QStringLiteral("Employee not found!"), ui::vbInformation);
        ui_->txt_emp_name->clear();
        ui_->txt_Desig->clear();
        return;
    }
    Rs->MoveFirst();
    ui_->txt_emp_name->setText(Rs->text(QStringLiteral("Emp_Name")));
    ui_->txt_Desig->setText(Rs->text(QStringLiteral("Designation")));
    ui_->txt_reff_no->setFocus();
}
