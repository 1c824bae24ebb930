#pragma once

#include <QList>
#include <QString>

class QLineEdit;
class QWidget;

namespace wb::ui {

// Holds the text of each box bound (by its DataField) to a numeric column of `table` against that
// column, in the order given, before anything is saved: the first that the column cannot take is
// told by its label (an information box), gets the focus, and false is returned. Boxes bound to no
// numeric column of the table are not looked at.
bool numbersFit(const QWidget* window, const QList<QLineEdit*>& boxes, const QString& table);

} // namespace wb::ui
