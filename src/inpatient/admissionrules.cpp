#include "admissionrules.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "ui/clock.h"

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

namespace {

// Thrown inside the saving transaction to roll it back when the number is taken.
struct RegNoTaken {};

bool regNoTaken(Connection& con, const QString& regNo, qint64 key) {
    return con.scalar(QStringLiteral("select count(*) from Addmission where Reg_no = ? and Row_no <> ?"),
                      {regNo, key})
               .toLongLong() > 0;
}

} // namespace

qint64 saveAdmission(Connection& con, qint64 key, const QString& regNo,
                     const std::function<void(qint64)>& write) {
    try {
        if (key == 0) {
            return saveWithNextKey(con, QStringLiteral("Addmission"), QStringLiteral("Row_no"),
                                   [&](qint64 next) {
                                       if (regNoTaken(con, regNo, next))
                                           throw RegNoTaken{};
                                       write(next);
                                   });
        }
        Transaction t(con);
        if (regNoTaken(con, regNo, key))
            return 0;
        try {
            write(key);
        } catch (const DbError& e) {
            // Another desk gave its admission this number after the test above.
            if (e.kind() == DbError::Kind::Duplicate && regNoTaken(con, regNo, key))
                return 0;
            throw;
        }
        t.commit();
        return key;
    } catch (const RegNoTaken&) {
        return 0;
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
