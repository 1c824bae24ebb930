#include "admissionrules.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "ui/clock.h"
#include "ui/msgbox.h"

#include <QComboBox>
#include <QLineEdit>

namespace wb::inpatient {

QString ipdCode(qint64 key) {
    return ipdPrefix + QString::number(key);
}

QString withoutIpdPrefix(const QString& code) {
    QString rest = code;
    while (rest.startsWith(ipdPrefix))
        rest = rest.mid(ipdPrefix.size());
    return rest;
}

QString shiftFor(const QTime& t) {
    if (t >= QTime(9, 0) && t < QTime(15, 0))
        return QStringLiteral("M");
    if (t >= QTime(15, 0) && t < QTime(21, 0))
        return QStringLiteral("E");
    return QStringLiteral("N");
}

QTime timeOfBox(const QString& text) {
    return QTime::fromString(text, QStringLiteral("HH:mm:ss"));
}

QString normalRegNo(const QString& typed) {
    return typed.trimmed().toUpper();
}

bool regNoTaken(Connection& con, const QString& regNo, qint64 key) {
    return con.scalar(QStringLiteral("select count(*) from Addmission where upper(trim(Reg_no)) = %1 "
                                     "and Row_no <> ?")
                          .arg(con.dialect().textParam()),
                      {normalRegNo(regNo), key})
               .toLongLong() > 0;
}

void requireFreeRegNo(Connection& con, const QString& regNo, qint64 key) {
    if (regNoTaken(con, regNo, key))
        throw RegNoTaken{};
}

bool saveUniqueRegNo(Connection& con, QLineEdit* regNoBox, QLineEdit* keyBox,
                     const std::function<void()>& save) {
    const auto refuse = [&] {
        ui::MsgBox(duplicateRegNoMessage, ui::vbInformation);
        regNoBox->setFocus();
        return false;
    };
    try {
        save();
        return true;
    } catch (const RegNoTaken&) {
        return refuse();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::Duplicate)
            throw;
        try {
            requireFreeRegNo(con, regNoBox->text(), keyBox->text().toLongLong());
        } catch (const RegNoTaken&) {
            return refuse();
        }
        throw;
    }
}

AdmissionClock::AdmissionClock(QLineEdit* timeBox, QComboBox* shift, QObject* parent)
    : QObject(parent), timeBox_(timeBox), shift_(shift) {
    connect(timeBox, &QLineEdit::textChanged, this, &AdmissionClock::timeChanged);
    connect(timeBox, &QLineEdit::textEdited, this, &AdmissionClock::hold);
}

void AdmissionClock::tick() {
    if (held_ || !timeBox_)
        return;
    timeBox_->setText(ui::Clock::now().time().toString(QStringLiteral("HH:mm:ss")));
}

void AdmissionClock::timeChanged() {
    if (!timeBox_ || !shift_)
        return;
    const QTime t = timeOfBox(timeBox_->text());
    if (t.isValid()) // a half-typed time leaves the shift as it is
        shift_->setCurrentText(shiftFor(t));
}

} // namespace wb::inpatient
