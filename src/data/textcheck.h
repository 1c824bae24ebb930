#pragma once

#include <QString>
#include <QVariantList>

namespace wb {

// Typed text that no column can keep: control characters other than tab and line feed, and broken
// (unpaired) UTF-16 halves. Raises DbError (Kind::Refused) with a text that says what to remove;
// the same on both engines, before anything reaches the server.
void refuseUnstorableText(const QString& text);
void refuseUnstorableText(const QVariantList& values);

// The length of a text in characters (code points), as the engines count a column's size.
int characterCount(const QString& text);

} // namespace wb
