#pragma once

#include <QList>
#include <QString>

class QComboBox;
class QLineEdit;
class QVariant;
class QWidget;

namespace wb {
class Recordset;
}

namespace wb::ui {

// The text boxes of a window whose designed `Tag` property equals `tag`, in designed order.
QList<QLineEdit*> boundBoxes(const QWidget* root, const QString& tag);
// A control's designed `DataField` property (empty when it has none).
QString dataField(const QWidget* w);
QString tagOf(const QWidget* w);

// A data combo: fills the list with `listField` of every row of the record set, each item bound to
// its `boundColumn`, without any change signal and with nothing chosen.
void fillDataCombo(QComboBox* combo, Recordset& rs, const QString& listField, const QString& boundColumn);
// The chosen item's bound value, or an invalid value when nothing is chosen.
QVariant boundValue(const QComboBox* combo);

} // namespace wb::ui
