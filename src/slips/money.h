#pragma once

#include <QString>
#include <QtGlobal>

// Amounts of money in whole cents, so that totals, discounts and stored amounts are exact.
namespace wb::slips::money {

// The numeric value of a text, as the slip screen reads a box: its leading number (blanks before
// it skipped, a sign allowed), 0 when it has none; rounded to the cent.
qint64 valueOf(const QString& text);
// Whether the text is a plain amount: digits with at most one point (and at least one digit).
bool isAmount(const QString& text);
// The amount in its shortest form: "600", "100.5", "0.25", "-3".
QString text(qint64 cents);
// An amount as the number a numeric column takes.
inline double toNumber(qint64 cents) {
    return static_cast<double>(cents) / 100.0;
}
// A number read from a numeric column, rounded to the cent.
qint64 fromNumber(double value);

} // namespace wb::slips::money
