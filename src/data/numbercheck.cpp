#include "numbercheck.h"

#include "dberror.h"
#include "schema.h"

#include <limits>

namespace wb {

namespace {

// A number as its digits: the sign, the whole part without leading zeros, the places after the point.
struct Digits {
    bool negative = false;
    QString whole;
    QString places;
};

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Digits with at most one point (and at least one digit), a sign allowed before them.
bool parse(const QString& text, Digits& out) {
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        out.negative = text.at(i++) == u'-';
    bool point = false;
    bool digit = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'.' && !point) {
            point = true;
        } else if (isDigit(c)) {
            digit = true;
            (point ? out.places : out.whole) += c;
        } else {
            return false;
        }
    }
    while (out.whole.size() > 1 && out.whole.startsWith(u'0'))
        out.whole.remove(0, 1);
    if (out.whole.isEmpty())
        out.whole = QStringLiteral("0");
    return digit;
}

// Rounds to `scale` places, half away from zero.
void roundTo(Digits& d, int scale) {
    if (d.places.size() <= scale)
        return;
    const bool up = d.places.at(scale) >= u'5';
    d.places.truncate(scale);
    if (!up)
        return;
    QString all = d.whole + d.places;
    qsizetype i = all.size() - 1;
    for (; i >= 0 && all.at(i) == u'9'; --i)
        all[i] = u'0';
    if (i < 0)
        all.prepend(u'1');
    else
        all[i] = QChar(all.at(i).unicode() + 1);
    d.whole = all.left(all.size() - scale);
    d.places = all.right(scale);
}

// The largest whole number of the column's kind: its digits, within the engine's integer types.
qint64 largestWhole(const Column& c) {
    const qint64 engineMax =
        c.precision > 10 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint32>::max();
    qint64 digits = 0;
    for (int i = 0; i < c.precision && i < 18; ++i)
        digits = digits * 10 + 9;
    return c.precision >= 19 ? engineMax : std::min(digits, engineMax);
}

int wholeDigits(const Column& c) {
    return c.type == ColType::Decimal ? c.precision - c.scale : c.precision;
}

QString grouped(const QString& whole) {
    QString out;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            out += u',';
        out += whole.at(i);
    }
    return out;
}

QString asText(const Column& c, const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'f', c.type == ColType::Decimal ? c.scale + 6 : 6);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        break;
    }
    const QString text = value.toString().trimmed();
    // A number the program wrote in its exponent form ("1e-05") is read as the number it is.
    bool ok = false;
    const double d = text.contains(u'e', Qt::CaseInsensitive) ? text.toDouble(&ok) : 0;
    return ok ? QString::number(d, 'f', c.type == ColType::Decimal ? c.scale + 6 : 6) : text;
}

DbError notANumber(const Column& c, const QString& text) {
    const bool whole = c.type == ColType::Integer;
    return DbError(QStringLiteral("\"%1\" is not %2: type digits%3, then save again.")
                       .arg(text, whole ? QStringLiteral("a whole number") : QStringLiteral("a number"),
                            whole ? QString() : QStringLiteral(" with at most one point")),
                   DbError::Kind::NotANumber)
        .numberFor(c.name, whole ? QStringLiteral("a whole number") : QStringLiteral("a number"));
}

DbError tooLarge(const Column& c) {
    const QString largest = largestNumber(c);
    return DbError(
               QStringLiteral("A number is too large for its box: at most %1. Correct it, then save again.")
                   .arg(largest),
               DbError::Kind::TooLarge)
        .numberFor(c.name, largest);
}

} // namespace

QString largestNumber(const Column& c) {
    if (c.type == ColType::Integer)
        return grouped(QString::number(largestWhole(c)));
    QString out = grouped(QString(wholeDigits(c), u'9'));
    if (c.type == ColType::Decimal && c.scale > 0)
        out += u'.' + QString(c.scale, u'9');
    return out;
}

QVariant columnNumber(const Column& c, const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    const QString text = asText(c, value);
    if (text.isEmpty())
        return {};
    Digits d;
    if (!parse(text, d))
        throw notANumber(c, value.toString());
    switch (c.type) {
    case ColType::Integer: {
        if (!d.places.isEmpty() && d.places.count(u'0') != d.places.size())
            throw notANumber(c, value.toString());
        bool ok = false;
        const qint64 n = d.whole.size() <= 18 ? d.whole.toLongLong(&ok) : 0;
        if (!ok || n > largestWhole(c))
            throw tooLarge(c);
        return d.negative ? -n : n;
    }
    case ColType::Decimal:
        roundTo(d, c.scale);
        break;
    default:
        break;
    }
    const qsizetype used = d.whole == QLatin1String("0") ? 0 : d.whole.size();
    if (used > wholeDigits(c))
        throw tooLarge(c);
    const QString exact = (d.negative ? QStringLiteral("-") : QString()) + d.whole +
                          (d.places.isEmpty() ? QString() : u'.' + d.places);
    return exact.toDouble();
}

} // namespace wb
