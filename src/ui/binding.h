#pragma once

#include <QList>
#include <QString>

class QLineEdit;
class QWidget;

namespace wb::ui {

// The text boxes of a window whose designed `Tag` property equals `tag`, in designed order.
QList<QLineEdit*> boundBoxes(const QWidget* root, const QString& tag);
// A control's designed `DataField` property (empty when it has none).
QString dataField(const QWidget* w);
QString tagOf(const QWidget* w);

} // namespace wb::ui
