// The slip screen: clearing, saving, opening, deleting and printing a slip.
#include "frm_Test_Slips.h"

#include "common/printing.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "money.h"
#include "session/module1.h"
#include "slipstore.h"
#include "ui/binding.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/msgbox.h"
#include "ui_frm_Test_Slips.h"

using namespace wb;
using Module1::Con;
using Module1::Rs;

namespace {

// The combo boxes of the window whose designed Tag is `tag`, in designed order.
QList<QComboBox*> boundCombos(const QWidget* root, const QString& tag) {
    QList<QComboBox*> out;
    for (QComboBox* c : root->findChildren<QComboBox*>())
        if (ui::tagOf(c) == tag)
            out.append(c);
    return out;
}

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

// The typed amounts must be numbers before anything is written (the boxes take any text).
bool frm_Test_Slips::checkAmounts() {
    const struct {
        QLineEdit* box;
        const char* what;
    } boxes[] = {
        {ui_->txt_age, "The age"}, {ui_->txt_cash_rece, "Cash Received"}, {ui_->txt_balance, "Balance"}};
    for (const auto& b : boxes) {
        const QString text = b.box->text().trimmed();
        if (text.isEmpty() || slips::money::isAmount(text))
            continue;
        ui::MsgBox(QStringLiteral("%1 must be a number, such as 500 or 500.50.").arg(QLatin1String(b.what)),
                   ui::vbInformation);
        b.box->setFocus();
        return false;
    }
    return true;
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
    if (!checkAmounts())
        return;
    try {
        SaveData();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::NotFound)
            throw;
        // Another desk deleted the slip: nothing is written and the screen keeps what was typed.
        ui::MsgBox(e.text(), ui::vbInformation);
        return;
    }
    cmdPrint_Click();
    ClearAll();
    FillGird(currentCriterion());
    ClearAll();
}

void frm_Test_Slips::SaveData() {
    slips::SlipRecord slip;
    slip.key = ui_->txt_Row_No->text().toLongLong();
    for (QLineEdit* b : ui::boundBoxes(this, M))
        slip.values.insert(ui::dataField(b), b->text().isEmpty() ? QVariant() : QVariant(b->text()));
    // A combo is written as its text, an empty one as the empty text (not Null).
    for (QComboBox* c : boundCombos(this, M))
        slip.values.insert(ui::dataField(c),
                           c->currentText().isEmpty() ? QStringLiteral("") : c->currentText());
    slip.slipDate = ui_->dtp_slip_date->date();
    if (ui_->optipd->isChecked())
        slip.admDate = ui_->adm_date->date();
    slip.status = ui_->optipd->isChecked() ? QStringLiteral("IPD") : QStringLiteral("OPD");
    slip.panelStatus = referrerStatus_;
    for (int r = 1; r < ui_->MshEntry->Rows(); ++r)
        slip.lines.append({ui_->MshEntry->TextMatrix(r, 0), ui_->MshEntry->TextMatrix(r, 1),
                           ui_->MshEntry->TextMatrix(r, 4)});
    const qint64 key = slips::saveSlip(*Con, slip, Module1::LoginUserName, ui::Clock::now());
    ui_->txt_Row_No->setText(QString::number(key));
}

void frm_Test_Slips::OpenData() {
    Module1::OpenRs(
        QStringLiteral(
            "select "
            "Row_no,Slip_code,Slip_date,Shift,p_name,f_name,Age,tele,sex,card_no,Yr,r_doc,opd_doc,panel,"
            "Ipd_Code,Reg_No,admdate,status,amount,discount,n_amou,Cash_rece,PanelStatus,Emp_No,Emp_Desig,"
            "Emp_Reff_No,Emp_Name,Relation,bal,"
            "(select doc_name from doc where row_no = r_doc) as refdoc,"
            "(select doc_name from doc where row_no = opd_doc) as opddoc,"
            "(select Panel_Name from Panel where Row_no = panel) as panelList "
            "from SLIPS_MASTER a where row_no = ?"),
        {ui_->txt_Row_No->text().toLongLong()});
    if (Rs->RecordCount() < 1) {
        ui_->cmdDelete->setEnabled(false);
        return;
    }
    Rs->MoveFirst();
    Module1::PickedPanelStatus = Rs->text(QStringLiteral("PanelStatus")).trimmed();
    referrerStatus_ = Module1::PickedPanelStatus;
    showEmployeeFrame(referrerStatus_ == QLatin1String("Panel"));
    const bool inPatient = Rs->text(QStringLiteral("status")) == QLatin1String("IPD");
    if (inPatient || Rs->text(QStringLiteral("status")) == QLatin1String("OPD")) {
        ui_->optipd->setChecked(inPatient);
        ui_->optopd->setChecked(!inPatient);
        patientLayout(inPatient);
    }
    for (QLineEdit* b : ui::boundBoxes(this, M))
        b->setText(Rs->text(ui::dataField(b)));
    for (QComboBox* c : boundCombos(this, M))
        c->setCurrentText(Rs->text(ui::dataField(c)));
    ui_->cmb_shift->setEditText(Rs->text(QStringLiteral("Shift")));
    ui_->dtp_slip_date->setDate(Rs->Fields(QStringLiteral("Slip_date")).toDate());
    if (inPatient && Rs->Fields(QStringLiteral("admdate")).toDate().isValid())
        ui_->adm_date->setDate(Rs->Fields(QStringLiteral("admdate")).toDate());
    ui_->txt_opd_doc->setText(Rs->text(QStringLiteral("opddoc")));
    ui_->txt_ref_doc->setText(Rs->text(QStringLiteral("refdoc")));
    ui_->cmdDelete->setEnabled(true);
    fillLines();
}

void frm_Test_Slips::fillLines() {
    Module1::OpenRs(QStringLiteral("Select Row_no,service,rate_list,"
                                   "(Select S_name From Services where Row_no = service) as servicename,"
                                   "(Select Cata From Rate_List where Row_no = rate_list) as Test,"
                                   "test_rate From SLIP_DETAIL where Row_no = ? order by Line_no"),
                    {ui_->txt_Row_No->text().toLongLong()});
    if (Rs->RecordCount() < 1)
        return;
    auto* g = ui_->MshEntry;
    g->setRows(Rs->RecordCount() + 1);
    const QStringList columns = {QStringLiteral("service"), QStringLiteral("rate_list"),
                                 QStringLiteral("servicename"), QStringLiteral("Test"),
                                 QStringLiteral("test_rate")};
    for (int r = 0; r < Rs->RecordCount(); ++r) {
        Rs->Move(r);
        for (int c = 0; c < columns.size(); ++c)
            g->setTextMatrix(r + 1, c, Rs->text(columns[c]));
    }
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
    const QString key = ui_->txt_Row_No->text();
    if (key.isEmpty())
        return;
    common::printReport(this, QStringLiteral("rpt_Pat_master_slip.rpt"),
                        QStringLiteral("{SLIPS_MASTER.Row_no} = ") + key);
}
