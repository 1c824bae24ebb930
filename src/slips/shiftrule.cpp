#include "shiftrule.h"

namespace wb::slips {

namespace {

QTime readTime(const QString& text) {
    return QTime::fromString(text.trimmed(), QStringLiteral("HH:mm"));
}

bool matches(const ShiftTimes& s, const QTime& now) {
    const QTime from = readTime(s.from);
    const QTime to = readTime(s.to);
    if (!from.isValid() || !to.isValid())
        return false;
    if (from > to) {
        // Past midnight: after the end hour it has begun when the start has passed; before the end
        // hour it still runs until the end.
        if (now.hour() > to.hour() && now >= from)
            return true;
        if (now.hour() < to.hour() && now < to)
            return true;
    }
    return now >= from && now < to;
}

} // namespace

QString currentShift(const QList<ShiftTimes>& shifts, const QTime& now) {
    for (const ShiftTimes& s : shifts)
        if (matches(s, now))
            return s.name.left(1);
    return {};
}

} // namespace wb::slips
