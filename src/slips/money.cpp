#include "money.h"

#include <cmath>

namespace wb::slips::money {

qint64 valueOf(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    qint64 whole = 0;
    bool digits = false;
    for (; i < n && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
        digits = true;
        if (whole < 100'000'000'000'000LL)
            whole = whole * 10 + (text.at(i).unicode() - u'0');
    }
    // Up to three places after the point: two for the cents, the third rounds them.
    int places = 0;
    qint64 fraction = 0;
    if (i < n && text.at(i) == u'.') {
        for (++i; i < n && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
            digits = true;
            if (places < 3) {
                fraction = fraction * 10 + (text.at(i).unicode() - u'0');
                ++places;
            }
        }
    }
    if (!digits)
        return 0;
    for (; places < 3; ++places)
        fraction *= 10;
    const qint64 cents = whole * 100 + (fraction + 5) / 10;
    return negative ? -cents : cents;
}

bool isAmount(const QString& text) {
    bool digit = false;
    bool point = false;
    for (const QChar c : text) {
        if (c == u'.') {
            if (point)
                return false;
            point = true;
        } else if (c.isDigit() && c.unicode() < 128) {
            digit = true;
        } else {
            return false;
        }
    }
    return digit;
}

QString text(qint64 cents) {
    const bool negative = cents < 0;
    const qint64 a = negative ? -cents : cents;
    QString out = QString::number(a / 100);
    const qint64 c = a % 100;
    if (c != 0)
        out += c % 10 == 0 ? QStringLiteral(".%1").arg(c / 10)
                           : QStringLiteral(".%1").arg(c, 2, 10, QChar(u'0'));
    return negative ? u'-' + out : out;
}

qint64 fromNumber(double value) {
    return std::llround(value * 100.0);
}

} // namespace wb::slips::money
