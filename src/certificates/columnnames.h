#pragma once

#include <QList>
#include <QStringList>

class QLineEdit;

namespace wb::certificates {

// Before a certificate is written: a plain message box (OK only, no icon) naming the column of
// every bound box that has a text, in the window's order, except the skipped boxes. The key box
// of a new row counts as filled: the save puts the new key into it.
void confirmColumnNames(const QList<QLineEdit*>& boxes, const QStringList& skipped, const QLineEdit* keyBox,
                        bool isNew);

} // namespace wb::certificates
