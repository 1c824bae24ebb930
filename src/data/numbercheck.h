#pragma once

#include <QString>
#include <QVariant>

namespace wb {

struct Column;

// What a numeric column (whole number, decimal or double) makes of a value typed into a box or
// handed over by the program, the same on both engines and before anything reaches the server:
// an empty or blank text is Null; a number is read exactly from its text and rounded to the
// column's places (half away from zero), so money is stored to the cent. A text that is not a
// number raises DbError (Kind::NotANumber), a number the column cannot hold DbError
// (Kind::TooLarge); both name the column (DbError::column) and what it takes (DbError::takes), so
// that the window can name the box bound to it.
QVariant columnNumber(const Column& column, const QVariant& value);

// The largest number the column holds, as the user reads it: "9,999,999,999.99".
QString largestNumber(const Column& column);

} // namespace wb
