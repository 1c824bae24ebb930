// The observation screen's save and delete: the checks, the fields of the admission row, the
// registration number kept unique.
#include "frm_Observation.h"

#include "data/connection.h"
#include "data/recordset.h"
#include "inpatientboxes.h"
#include "session/module1.h"
#include "ui/binding.h"
#include "ui/msgbox.h"
#include "ui_frm_Observation.h"

#include <QRegularExpression>

using namespace wb;
using Module1::Con;

namespace {

bool isNumber(const QString& text) {
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

} // namespace

// Values the columns cannot take are refused before anything is shown or written; then the column
// of every tagged box is shown, one box at a time, before the saving transaction opens.
bool frm_Observation::validate() {
    const auto refuse = [](const QString& message, QWidget* focus) {
        ui::MsgBox(message, ui::vbInformation);
        focus->setFocus();
        return false;
    };
    if (!inpatient::timeBoxIsComplete(ui_->MaskEdBox1))
        return false;
    const QString age = ui_->txt_age->text();
    if (!age.isEmpty() && !QRegularExpression(QStringLiteral("^[0-9]+$")).match(age).hasMatch())
        return refuse(QStringLiteral("please enter Age as a number"), ui_->txt_age);
    const QString weight = ui_->txt_weight->text();
    if (!weight.isEmpty() && !isNumber(weight))
        return refuse(QStringLiteral("please enter Weight as a number"), ui_->txt_weight);
    if (keyBox->text().isEmpty() && inpatient::regNoTaken(*Con, ui_->txt_reg_no->text(), 0))
        return refuse(inpatient::duplicateRegNoMessage, ui_->txt_reg_no);
    // A new row's key is taken before its boxes are written, so the key box counts as filled.
    for (QLineEdit* b : boundBoxes()) {
        if (!definition().skipped.contains(b->objectName()))
            ui::MsgBox(b == keyBox || !b->text().isEmpty() ? ui::dataField(b) : b->objectName(),
                       ui::vbOKOnly);
    }
    return true;
}

void frm_Observation::saveSteps(Recordset& rs) {
    inpatient::writeAdmission(*Con, rs, *ui_, ui_->DTPicker1, keyBox->text().toLongLong());
    const QString age = ui_->txt_age->text();
    rs.setField(QStringLiteral("Age"), age.isEmpty() ? QVariant() : QVariant(age.toLongLong()));
}

void frm_Observation::afterSave() {
    ui_->txt_reg_no->setEnabled(true);
}

void frm_Observation::cmdSave_Click() {
    inpatient::saveUniqueRegNo(*Con, ui_->txt_reg_no, keyBox, [this] { RegisterForm::cmdSave_Click(); });
}

void frm_Observation::cmdDelete_Click() {
    RegisterForm::cmdDelete_Click();
    ui_->txt_reg_no->setEnabled(true);
}
