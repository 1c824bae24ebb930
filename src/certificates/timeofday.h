#pragma once

#include <QString>
#include <QTime>
#include <QVariant>

class QLineEdit;

namespace wb::certificates {

// A masked time-of-day box: "##:##:##" on the 24-hour clock, prompt "_".
void setUpTimeBox(QLineEdit* box);
// Shows a time in the box (an invalid time empties it).
void showTime(QLineEdit* box, const QTime& time);
// Reads the box: a null value when no digit is typed; otherwise the time when it is a valid time of
// day. A text that is not one shows a message naming the box's caption, puts the focus into the
// box and returns false.
bool readTime(QLineEdit* box, const QString& caption, QVariant& time);

} // namespace wb::certificates
