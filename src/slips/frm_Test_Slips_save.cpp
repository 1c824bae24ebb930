// The slip screen: clearing, saving, opening, deleting and printing a slip.
#include "frm_Test_Slips.h"

#include "data/dberror.h"
#include "data/recordset.h"
#include "session/module1.h"
#include "slipamounts.h"
#include "slipfields.h"
#include "sliplines.h"
#include "slipprint.h"
#include "slipstore.h"
#include "ui/binding.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/msgbox.h"
#include "ui/numberboxes.h"
#include "ui_frm_Test_Slips.h"

using namespace wb;
using Module1::Con;
using Module1::Rs;

namespace {

const QString M = QStringLiteral("M");

} // namespace

void frm_Test_Slips::ClearAll() {
    ui_->frmSlipNo->hide();
    ui_->lblCancel->hide();
    ui_->cmdSave->setEnabled(true);
    ui_->dtp_slip_date->setDate(ui::Clock::now().date());
    for (QLineEdit* b : {ui_->txt_pat_name, ui_->txt_F_name, ui_->txt_age, ui_->txt_sex, ui_->txt_phone_no,
                         ui_->txt_opd_doc, ui_->txt_ref_doc, ui_->txt_services, ui_->txt_Test, ui_->txt_Rate,
                         ui_->txt_amount, ui_->txt_discount, ui_->txt_net_amuont, ui_->txt_cash_rece,
                         ui_->txt_balance, ui_->txt_Patient_code, ui_->txt_reg_no})
        b->clear();
    Module1::PickedPanelStatus.clear();
    referrerStatus_.clear();
    picks_.forgetAll(); // a Find still open is over
    ui_->EmpScreen->hide();
    for (QLineEdit* b : {ui_->txt_Row_No, ui_->txt_Opd_code, ui_->txt_reff_doc_code, ui_->txt_Services_Code,
                         ui_->txt_Test_Code})
        b->clear();
    for (QLineEdit* b : ui::boundBoxes(this, M))
        b->clear();
    for (QLineEdit* b : ui::boundBoxes(this, QStringLiteral("D")))
        b->clear();
    ui_->MshEntry->setRows(1);
}

void frm_Test_Slips::cmdCancel_Click() {
    ClearAll();
}

void frm_Test_Slips::cmdSave_Click() {
    ui_->cmdDelete->setEnabled(false);
    const auto refuse = [](const QString& text, QWidget* focus = nullptr) {
        ui::MsgBox(text, ui::vbInformation);
        if (focus)
            focus->setFocus();
    };
    if (ui_->txt_age->text().isEmpty())
        return refuse(QStringLiteral("please enter Age"), ui_->txt_age);
    if (ui_->cmb_year->currentText().isEmpty())
        return refuse(QStringLiteral("please select year"), ui_->cmb_year);
    if (ui_->txt_pat_name->text().isEmpty())
        return refuse(QStringLiteral("please select Patient Name "));
    if (ui_->txt_Opd_code->text().isEmpty())
        return refuse(QStringLiteral("please select OPD Doctor "));
    if (ui_->txt_reff_doc_code->text().isEmpty())
        return refuse(QStringLiteral("please select Reff Doctor "));
    if (ui_->optipd->isChecked() && ui_->txt_Patient_code->text().isEmpty())
        return refuse(QStringLiteral("please enter IPD No. "));
    if (ui_->MshEntry->Rows() < 2) {
        refuse(QStringLiteral("Items not be found! please less than one item"));
        ClearAll();
        return;
    }
    // Every number its column can take before anything is written (the boxes take any text).
    if (!ui::numbersFit(this, ui::boundBoxes(this, M), QStringLiteral("SLIPS_MASTER")))
        return;
    if (!amounts().settle())
        return;
    try {
        SaveData();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::NotFound && e.kind() != DbError::Kind::NotPermitted)
            throw;
        // Another desk deleted the slip, or the server keeps a saved slip as it was cashed: nothing
        // is written and the screen keeps what was typed.
        const bool kept = e.kind() == DbError::Kind::NotPermitted && !ui_->txt_Row_No->text().isEmpty();
        ui::MsgBox(
            kept ? QStringLiteral("You may not change a saved slip: ask an administrator. Nothing was saved.")
                 : e.text(),
            ui::vbInformation);
        return;
    }
    // The slip is stored: whatever the print does, the screen shows it saved, as after any save.
    slips::printThenRefresh(this, ui_->txt_Row_No->text(), [this] {
        ClearAll();
        FillGird(currentCriterion());
        ClearAll();
    });
}

void frm_Test_Slips::SaveData() {
    slips::SlipRecord slip;
    slip.key = ui_->txt_Row_No->text().toLongLong();
    slip.values = slips::masterValues(this);
    slip.slipDate = ui_->dtp_slip_date->date();
    if (ui_->optipd->isChecked())
        slip.admDate = ui_->adm_date->date();
    slip.status = ui_->optipd->isChecked() ? QStringLiteral("IPD") : QStringLiteral("OPD");
    slip.panelStatus = referrerStatus_;
    slip.lines = slips::lines::toSave(*ui_->MshEntry);
    const qint64 key = slips::saveSlip(*Con, slip, Module1::LoginUserName, ui::Clock::now());
    ui_->txt_Row_No->setText(QString::number(key));
}

void frm_Test_Slips::OpenData() {
    const qint64 key = ui_->txt_Row_No->text().toLongLong();
    if (!slips::readSlip(key)) {
        ui_->cmdDelete->setEnabled(false);
        return;
    }
    Module1::PickedPanelStatus = Rs->text(QStringLiteral("PanelStatus")).trimmed();
    referrerStatus_ = Module1::PickedPanelStatus;
    ui_->EmpScreen->setVisible(referrerStatus_ == QLatin1String("Panel"));
    const bool inPatient = Rs->text(QStringLiteral("status")) == QLatin1String("IPD");
    if (inPatient || Rs->text(QStringLiteral("status")) == QLatin1String("OPD")) {
        ui_->optipd->setChecked(inPatient);
        ui_->optopd->setChecked(!inPatient);
        patientLayout(inPatient);
    }
    slips::showMaster(this, *Rs);
    ui_->cmb_shift->setEditText(Rs->text(QStringLiteral("Shift")));
    ui_->dtp_slip_date->setDate(Rs->Fields(QStringLiteral("Slip_date")).toDate());
    if (inPatient && Rs->Fields(QStringLiteral("admdate")).toDate().isValid())
        ui_->adm_date->setDate(Rs->Fields(QStringLiteral("admdate")).toDate());
    ui_->txt_opd_doc->setText(Rs->text(QStringLiteral("opddoc")));
    ui_->txt_ref_doc->setText(Rs->text(QStringLiteral("refdoc")));
    ui_->cmdDelete->setEnabled(true);
    slips::lines::showStored(*ui_->MshEntry, key);
}

void frm_Test_Slips::cmdDelete_Click() {
    if (!ui_->txt_Row_No->text().isEmpty() && ui::MsgBox(QStringLiteral("Are you sure Delete this Slip No"),
                                                         ui::vbYesNo + ui::vbInformation) == ui::vbYes) {
        if (!slips::deleteSlip(*Con, ui_->txt_Row_No->text().toLongLong()))
            ui::MsgBox(QStringLiteral("This slip no longer exists"), ui::vbInformation);
        ClearAll();
        ui_->cmdDelete->setEnabled(false);
    }
    FillGird(currentCriterion());
}

void frm_Test_Slips::cmdPrint_Click() {
    slips::printSlip(this, ui_->txt_Row_No->text());
}
