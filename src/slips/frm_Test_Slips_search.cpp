// The slip screen's search page: the slip list searched as the user types, reopening a slip, and
// cancelling one with the cancel password.
#include "frm_Test_Slips.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "slipstore.h"
#include "ui/flexgrid.h"
#include "ui/msgbox.h"
#include "ui_frm_Test_Slips.h"

#include <QFocusEvent>

using namespace wb;
using Module1::Con;
using Module1::Rs;

const QString frm_Test_Slips::CancelPassword = QStringLiteral("583");

QString frm_Test_Slips::currentCriterion() const {
    return ui_->cmb_s_cri->currentText();
}

void frm_Test_Slips::FillGird(const QString& criterion) {
    QVariantList params;
    const QString sql =
        slips::searchQuery(*Con, criterion, ui_->txt_s_val->text(), ui_->DTPicker1->date(), params);
    if (criterion == QLatin1String("Slip Date"))
        Module1::SearchDate = ui_->DTPicker1->date().toString(QStringLiteral("yyyy-MM-dd"));
    auto* g = ui_->MshSearching;
    // The grid reads the list itself, a screenful now and more as the user scrolls.
    g->setRedraw(false);
    if (g->bindQuery(*Con, sql, params) == 0) {
        g->clearToEmpty();
        g->setRedraw(true);
        return;
    }
    // The creation time as the desk reads it, with am/pm.
    g->setColumnFormat(11, [](const QVariant& when) {
        return when.isNull() ? QString()
                             : when.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss AP"));
    });
    g->setRedraw(true);
    SearchSetGird();
}

void frm_Test_Slips::SearchSetGird() {
    static const struct {
        const char* header;
        int width;
    } columns[] = {{"Slip No", 1000},     {"Slip Date", 1100},    {"Reff No", 1100},    {"Shift", 500},
                   {"Cancel Slip", 1200}, {"Patient Name", 4000}, {"OPD Doctor", 4000}, {"Reffered By", 4000},
                   {"Slip Amount", 2000}, {"Slip Types", 1000},   {"User Name", 3000},  {"Time", 2400}};
    auto* g = ui_->MshSearching;
    for (int c = 0; c < 12 && c < g->Cols(); ++c) {
        g->setTextMatrix(0, c, QLatin1String(columns[c].header));
        g->setColWidth(c, columns[c].width);
    }
}

void frm_Test_Slips::cmb_s_cri_Change() {
    ui_->DTPicker1->setVisible(currentCriterion() == QLatin1String("Slip Date"));
    FillGird(currentCriterion());
}

void frm_Test_Slips::txt_s_val_Change() {
    FillGird(currentCriterion());
}

void frm_Test_Slips::DTPicker1_Change() {
    FillGird(currentCriterion());
}

void frm_Test_Slips::MshSearching_Click() {
    const auto* g = ui_->MshSearching;
    const int row = g->Row();
    if (row >= 1 && !g->TextMatrix(row, 0).isEmpty())
        ui_->txtCancelSlip->setText(g->TextMatrix(row, 0));
}

void frm_Test_Slips::MshSearching_DblClick() {
    const auto* g = ui_->MshSearching;
    const int row = g->Row();
    if (row < 1 || g->TextMatrix(row, 0).isEmpty())
        return;
    const bool cancelled = g->TextMatrix(row, 4) == QLatin1String("CANCEL");
    ClearAll();
    ui_->txt_Row_No->setText(g->TextMatrix(row, 0));
    OpenData();
    ui_->frmSlipNo->show();
    ui_->lblCancel->setVisible(cancelled);
    const bool admin = Module1::UserType == QLatin1String("A");
    ui_->cmdSave->setEnabled(admin);
    ui_->cmdDelete->setEnabled(admin);
    ui_->cmdSave->setText(QStringLiteral("&Save"));
    ui_->SSTab1->setCurrentIndex(0);
    ui_->dtp_slip_date->setFocus();
}

void frm_Test_Slips::cmdCancelSlip_Click() {
    if (ui_->txtCancelSlip->text().isEmpty()) {
        ui::MsgBox(QStringLiteral("Please Select Slip No."), ui::vbInformation);
        ui_->MshSearching->setFocus();
        return;
    }
    if (ui_->txtResign->text().isEmpty()) {
        ui::MsgBox(QStringLiteral("Please must be enter resign"), ui::vbInformation);
        ui_->txtResign->setFocus();
        return;
    }
    ui_->framePassword->show();
    ui_->txtPassword->setFocus();
}

void frm_Test_Slips::txtPassword_KeyPress(int keyAscii) {
    if (keyAscii != 13)
        return;
    if (ui_->txtPassword->text().isEmpty()) {
        ui::MsgBox(QStringLiteral("please enter password"), ui::vbInformation);
        return;
    }
    if (ui_->txtPassword->text() != CancelPassword) {
        ui::MsgBox(QStringLiteral("wrong password"), ui::vbInformation);
        ui_->txtPassword->clear();
        ui_->txtPassword->setFocus();
        return;
    }
    const bool found =
        slips::cancelSlip(*Con, ui_->txtCancelSlip->text().toLongLong(), ui_->txtResign->text());
    ui_->framePassword->hide();
    ui_->txtPassword->clear();
    ui_->txtCancelSlip->clear();
    ui_->MshSearching->setFocus();
    if (!found)
        ui::MsgBox(QStringLiteral("This slip no longer exists"), ui::vbInformation);
    ui_->txt_s_val->clear();
    FillGird(currentCriterion());
}

void frm_Test_Slips::txtPassword_LostFocus() {
    ui_->framePassword->hide();
    ui_->txtPassword->clear();
    ui_->txtCancelSlip->clear();
    ui_->MshSearching->setFocus();
}

bool frm_Test_Slips::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the password box for another control of the window abandons the cancel; a message box
    // or another window taking the focus for a while does not.
    if (watched == ui_->txtPassword && event->type() == QEvent::FocusOut && !ui_->framePassword->isHidden()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtPassword_LostFocus();
    }
    return Form::eventFilter(watched, event);
}
