#pragma once

#include "data/recordset.h"
#include "session/module1.h"

#include <QComboBox>
#include <QLineEdit>

// What the admission, observation and operation screens share of the pick protocol: their boxes
// carry the same names, so each passes its generated ui_ class.
namespace wb::inpatient {

// The taker side, on each activation: a doctor picked for the consultant ("C"), duty ("D") or
// referring ("R") box, then a picked patient (looked up through `fillPatient`); each pick is
// consumed.
template <class Ui, class Fill> void takePicks(Ui& u, Fill fillPatient) {
    if (Module1::SelDocId > 0) {
        const QString id = QString::number(Module1::SelDocId);
        if (Module1::DocPickFor == QLatin1String("C")) {
            u.txt_consul_code->setText(id);
            u.txt_Consultant->setText(Module1::SelDocName);
        } else if (Module1::DocPickFor == QLatin1String("D")) {
            u.txt_duty_code->setText(id);
            u.txt_duty_doc->setText(Module1::SelDocName);
        } else if (Module1::DocPickFor == QLatin1String("R")) {
            u.txt_reff_doc_code->setText(id);
            u.txt_reff_doc->setText(Module1::SelDocName);
        }
        Module1::SelDocId = 0;
    }
    if (Module1::PickedPatientRowNo > 0) {
        const long id = Module1::PickedPatientRowNo;
        fillPatient(id);
        u.txt_Pat_Row_no->setText(QString::number(id));
        Module1::PickedPatientRowNo = 0;
    }
}

// Shows the patient's register row in the patient boxes; false when the patient is gone.
template <class Ui> bool showPatient(Ui& u, long patientId) {
    Module1::OpenRs(QStringLiteral("select * from Patient_Slips where Row_No = ?"), {qint64(patientId)});
    if (Module1::Rs->RecordCount() < 1)
        return false;
    Module1::Rs->MoveFirst();
    u.txt_pat_name->setText(Module1::Rs->text(QStringLiteral("Pat_name")));
    u.txt_father->setText(Module1::Rs->text(QStringLiteral("Fat_name")));
    const QString sex = Module1::Rs->text(QStringLiteral("Sex"));
    u.cmb_sex->setCurrentIndex(u.cmb_sex->findText(sex));
    u.cmb_sex->setCurrentText(sex);
    u.txt_contact->setText(Module1::Rs->text(QStringLiteral("Tel_no")));
    u.txt_address_relative->setText(Module1::Rs->text(QStringLiteral("Addr")));
    return true;
}

} // namespace wb::inpatient
