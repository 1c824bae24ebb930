#pragma once

#include <QString>
#include <QVariant>

// The rate list's rules for a test's rate and its service head.
namespace wb::ratelist {

// A rate as the box takes it: digits with at most one decimal point, and at least one digit.
bool isRate(const QString& text);
// Inside the saving transaction: the head `head` (shown as `name`) must still exist when its test is
// written, and it stays until the save commits; a test under a head another desk deleted would be
// listed and deletable nowhere. Raises DbError of kind Refused when the head is gone.
void holdHead(const QVariant& head, const QString& name);
// The report formula that selects the tests of the head `name`.
QString headFormula(const QString& name);

} // namespace wb::ratelist
