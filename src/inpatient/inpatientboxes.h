#pragma once

#include "admissionrules.h"
#include "data/recordset.h"
#include "inpatientpicks.h"
#include "ui/msgbox.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QStringList>
#include <QVariant>
#include <functional>

class QObject;
class QTimer;

// What the admission, observation and operation screens share of their boxes: the fixed lists,
// the patient boxes, the time box and the fields every save of an admission row writes. Their boxes
// carry the same names, so each passes its generated ui_ class.
namespace wb::inpatient {

inline const QStringList maritalStatuses = {QStringLiteral("Married"), QStringLiteral("Un-Married")};
inline const QStringList shifts = {QStringLiteral("M"), QStringLiteral("E"), QStringLiteral("N")};
inline const QStringList relations = {QStringLiteral("Father"),  QStringLiteral("Mother"),
                                      QStringLiteral("Sister"),  QStringLiteral("Brother"),
                                      QStringLiteral("Husband"), QStringLiteral("Wife")};
inline const QStringList ageUnits = {QStringLiteral("D"), QStringLiteral("M"), QStringLiteral("Y")};

// Fills a fixed list and chooses its first item.
void fillList(QComboBox* combo, const QStringList& items);

// Runs `tick` every second from now on, for as long as `owner` lives.
QTimer* everySecond(QObject* owner, const std::function<void()>& tick);

// False, with "please enter Time as HH:MM:SS" and the focus in the box, while the time box does not
// hold a whole time.
bool timeBoxIsComplete(QLineEdit* timeBox);

// Limits each box to the size of its Addmission column (a text's length, a number's digits), and
// `ageBox`, which is not tagged, to the size of the Age column.
void limitToColumns(const QList<QLineEdit*>& boxes, QLineEdit* ageBox);

// Empties the boxes a picked patient fills, and the age unit (the sex list is each screen's own).
template <class Ui> void clearPatientBoxes(Ui& u) {
    for (QLineEdit* b : {u.txt_pat_name, u.txt_father, u.txt_age, u.txt_contact, u.txt_address_relative})
        b->clear();
    setCombo(u.cmb_year, QString());
}

// Shows the patient's register row; a patient deleted meanwhile is said so and `clearPatient` runs.
template <class Ui, class Clear> void fillPatient(Ui& u, long patientId, Clear clearPatient) {
    if (!showPatient(u, patientId)) {
        ui::MsgBox(QStringLiteral("patient not found!"), ui::vbInformation);
        clearPatient();
    }
}

// After an admission row is shown: looks its patient up again through `fillPatient`, which clears
// the age and its unit when the patient is gone; they are the row's, so they are kept.
template <class Ui, class Fill> void refreshPatient(Ui& u, Fill fillPatient) {
    const QString age = u.txt_age->text();
    const QString unit = u.cmb_year->currentText();
    if (!u.txt_Pat_Row_no->text().isEmpty())
        fillPatient(u.txt_Pat_Row_no->text().toLong());
    u.txt_age->setText(age);
    setCombo(u.cmb_year, unit);
}

// A list's text as its column stores it: an empty list is Null, so that a row saved again without
// changes keeps a Null it had.
inline QVariant listValue(const QComboBox* combo) {
    const QString text = combo->currentText();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// Inside the saving transaction of the admission row `key` (0 for a new one): refuses a registration
// number another admission holds, then writes the number as it is compared (trimmed, upper-cased),
// the shift, the age unit, the date from `date`, the in-patient code and the time.
template <class Ui> void writeAdmission(Connection& con, Recordset& rs, Ui& u, QDateEdit* date, qint64 key) {
    requireFreeRegNo(con, u.txt_reg_no->text(), key);
    rs.setField(QStringLiteral("Reg_no"), normalRegNo(u.txt_reg_no->text()));
    rs.setField(QStringLiteral("Shift"), listValue(u.cmb_shift));
    rs.setField(QStringLiteral("Yr"), listValue(u.cmb_year));
    rs.setField(QStringLiteral("admdate"), date->date());
    const QString ipd = u.txt_IPD_no->text();
    rs.setField(QStringLiteral("Ipd_code"), ipd.isEmpty() ? ipdCode(key) : ipdPrefix + ipd);
    rs.setField(QStringLiteral("admtime"), timeOfBox(u.MaskEdBox1->text()));
}

} // namespace wb::inpatient
