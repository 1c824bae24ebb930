#pragma once

#include <QList>
#include <QString>
#include <QTime>

namespace wb::slips {

// A row of the shift register as the slip screen lists it: its name and its times as "HH:MM" text.
struct ShiftTimes {
    QString name;
    QString from;
    QString to;
};

// The first letter of the first shift, in list order, that the time of day falls in; empty when none
// does. A shift whose start is after its end runs past midnight; during the hour in which such a
// shift ends it never matches. Rows with unreadable times are passed over.
QString currentShift(const QList<ShiftTimes>& shifts, const QTime& now);

} // namespace wb::slips
