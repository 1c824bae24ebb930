#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTime>
#include <functional>

class QComboBox;
class QLineEdit;

namespace wb {
class Connection;
}

// The rules every screen that writes an admission row (the admission, observation and operation
// screens) shares:
// - the in-patient code is "IPD-" followed by the admission's key, with exactly one prefix however
//   often the row is saved again;
// - a registration number belongs to one admission: the test and the write run in one transaction,
//   on insert and on edit, and the table's unique index settles two desks saving at once;
// - a new admission's key is the highest plus one, taken inside the saving transaction and retried
//   when another desk took it first;
// - the time box follows the clock every second until a row is open or the user types a time, and
//   the shift list follows the time box ("M" 09:00-14:59:59, "E" 15:00-20:59:59, "N" otherwise).
namespace wb::inpatient {

inline const QString ipdPrefix = QStringLiteral("IPD-");
inline const QString duplicateRegNoMessage = QStringLiteral("Reg No. already exitis in Addmission");

// "IPD-" followed by the key.
QString ipdCode(qint64 key);
// The code without its leading "IPD-" (every leading prefix, so that a re-save keeps exactly one).
QString withoutIpdPrefix(const QString& code);

// The shift of a time of day: "M", "E" or "N".
QString shiftFor(const QTime& time);
// The time a time box shows ("HH:MM:SS", 24-hour); invalid while it is half typed.
QTime timeOfBox(const QString& text);

// A registration number as it is compared and stored: without blanks at either end, upper-cased
// ("r-100 " is "R-100"). The table's unique index follows the same rule.
QString normalRegNo(const QString& typed);
// Whether an admission other than `key` (0 for none) has the number, by that rule.
bool regNoTaken(Connection& con, const QString& regNo, qint64 key);

// Thrown inside a saving transaction when the registration number belongs to another admission;
// the transaction is rolled back and nothing is written.
struct RegNoTaken {};

// Inside the saving transaction, before the row is stored: throws RegNoTaken when another admission
// than `key` (0 or the new key for an insert) has the number.
void requireFreeRegNo(Connection& con, const QString& regNo, qint64 key);

// Runs a window's save. When the number was refused, by requireFreeRegNo or by the table's unique
// index because another desk stored it meanwhile, shows "Reg No. already exitis in Addmission", puts
// the focus into the number box and returns false; every other error goes on to the caller.
bool saveUniqueRegNo(Connection& con, QLineEdit* regNoBox, QLineEdit* keyBox,
                     const std::function<void()>& save);

// Keeps a time box on the clock and its shift list on the time box. tick() (every second) writes
// the current time unless the box is held: hold() when a stored admission is loaded, and the user's
// own typing holds it too; release() when the screen is cleared for a new admission.
class AdmissionClock : public QObject {
    Q_OBJECT
public:
    AdmissionClock(QLineEdit* timeBox, QComboBox* shift, QObject* parent);

    void tick();
    void hold() { held_ = true; }
    void release() { held_ = false; }
    bool isHeld() const { return held_; }
    // Sets the shift list from the time box (each change of its text).
    void timeChanged();

private:
    QPointer<QLineEdit> timeBox_;
    QPointer<QComboBox> shift_;
    bool held_ = false;
};

} // namespace wb::inpatient
