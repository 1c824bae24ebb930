#pragma once

#include "admissionrules.h"
#include "common/picker.h"
#include "data/recordset.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

// What the admission, observation and operation screens share of the pick protocol: their boxes
// carry the same names, so each passes its generated ui_ class.
namespace wb::inpatient {

// Chooses the list's item with the text, or shows the text with no item chosen.
inline void setCombo(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    combo->setCurrentText(text);
}

// The taker side, on each activation: a doctor picked for the consultant ("C"), duty ("D") or
// referring ("R") box, then a picked patient (looked up through `fillPatient`), each only when it
// answers the window's own last Find of that register; each pick is consumed.
template <class Ui, class Fill> void takePicks(Ui& u, Fill fillPatient, common::PickRequests& asked) {
    asked.take<frm_Doc_Infor>([&](const QString& letter) {
        if (Module1::SelDocId <= 0)
            return;
        const QString id = QString::number(Module1::SelDocId);
        if (letter == QLatin1String("C")) {
            u.txt_consul_code->setText(id);
            u.txt_Consultant->setText(Module1::SelDocName);
        } else if (letter == QLatin1String("D")) {
            u.txt_duty_code->setText(id);
            u.txt_duty_doc->setText(Module1::SelDocName);
        } else if (letter == QLatin1String("R")) {
            u.txt_reff_doc_code->setText(id);
            u.txt_reff_doc->setText(Module1::SelDocName);
        }
        Module1::SelDocId = 0;
    });
    asked.take<frm_patient_detail>([&](const QString&) {
        if (Module1::PickedPatientRowNo <= 0)
            return;
        const long id = Module1::PickedPatientRowNo;
        fillPatient(id);
        u.txt_Pat_Row_no->setText(QString::number(id));
        Module1::PickedPatientRowNo = 0;
    });
}

// Shows the patient's register row in the patient boxes; false when the patient is gone.
template <class Ui> bool showPatient(Ui& u, long patientId) {
    Module1::OpenRs(QStringLiteral("select * from Patient_Slips where Row_No = ?"), {qint64(patientId)});
    if (Module1::Rs->RecordCount() < 1)
        return false;
    Module1::Rs->MoveFirst();
    u.txt_pat_name->setText(Module1::Rs->text(QStringLiteral("Pat_name")));
    u.txt_father->setText(Module1::Rs->text(QStringLiteral("Fat_name")));
    setCombo(u.cmb_sex, Module1::Rs->text(QStringLiteral("Sex")));
    u.txt_contact->setText(Module1::Rs->text(QStringLiteral("Tel_no")));
    u.txt_address_relative->setText(Module1::Rs->text(QStringLiteral("Addr")));
    return true;
}

// Reads the admission `key` with its doctors' names into the shared record set, on its row; false
// when another desk deleted it.
inline bool readAdmission(qint64 key) {
    const auto doctor = [](const char* column) {
        return QStringLiteral("(select doc_name from doc where doc.Row_no = a.%1)")
            .arg(QLatin1String(column));
    };
    Module1::OpenRs(QStringLiteral("select a.*,%1 as consultant_name,%2 as duty_name,%3 as reff_name "
                                   "from Addmission a where a.Row_no = ?")
                        .arg(doctor("consultant"), doctor("duty_doc"), doctor("reff_doc")),
                    {key});
    if (Module1::Rs->RecordCount() < 1)
        return false;
    Module1::Rs->MoveFirst();
    return true;
}

// Shows what the admission read by readAdmission stores besides the tagged boxes: the code without
// its prefix, the doctors' names, the date, time, shift, age unit, marital status and relation. The
// clock is held, so that a correction keeps the stored time.
template <class Ui> void showAdmission(Ui& u, QDateEdit* date, AdmissionClock& clock) {
    auto& rs = *Module1::Rs;
    u.txt_IPD_no->setText(withoutIpdPrefix(rs.text(QStringLiteral("Ipd_code"))));
    u.txt_Consultant->setText(rs.text(QStringLiteral("consultant_name")));
    u.txt_duty_doc->setText(rs.text(QStringLiteral("duty_name")));
    u.txt_reff_doc->setText(rs.text(QStringLiteral("reff_name")));
    const QDate day = rs.Fields(QStringLiteral("admdate")).toDate();
    if (day.isValid())
        date->setDate(day);
    clock.hold();
    u.MaskEdBox1->setText(rs.text(QStringLiteral("admtime")));
    setCombo(u.cmb_shift, rs.text(QStringLiteral("Shift")));
    setCombo(u.cmb_year, rs.text(QStringLiteral("Yr")));
    setCombo(u.Combo2, rs.text(QStringLiteral("Mei_statue")));
    setCombo(u.Combo1, rs.text(QStringLiteral("Rel_pat")));
}

} // namespace wb::inpatient
