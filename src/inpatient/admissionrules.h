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

// Saves one admission row in one transaction. `key` 0 inserts: the key is the highest plus one, read
// inside the transaction, retried on a collision. `write(key)` writes the row with that key. Returns
// the key written, or 0 when `regNo` belongs to another admission (nothing is written then).
qint64 saveAdmission(Connection& con, qint64 key, const QString& regNo,
                     const std::function<void(qint64)>& write);

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
