#include "binding.h"

#include "data/recordset.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVariant>

namespace wb::ui {

namespace {

// Children in creation order, depth first. The editors inside combo and spin boxes belong to those
// controls and are not text boxes of the window.
void collectBoxes(const QObject* parent, const QString& tag, QList<QLineEdit*>& out) {
    for (QObject* child : parent->children()) {
        if (!child->isWidgetType())
            continue;
        if (auto* box = qobject_cast<QLineEdit*>(child); box && tagOf(box) == tag)
            out.append(box);
        if (qobject_cast<QComboBox*>(child) || qobject_cast<QAbstractSpinBox*>(child))
            continue;
        collectBoxes(child, tag, out);
    }
}

} // namespace

QList<QLineEdit*> boundBoxes(const QWidget* root, const QString& tag) {
    QList<QLineEdit*> boxes;
    if (root)
        collectBoxes(root, tag, boxes);
    return boxes;
}

QString dataField(const QWidget* w) {
    return w ? w->property("DataField").toString() : QString();
}

QString tagOf(const QWidget* w) {
    return w ? w->property("Tag").toString() : QString();
}

void fillDataCombo(QComboBox* combo, Recordset& rs, const QString& listField, const QString& boundColumn) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (int r = 0; r < rs.RecordCount(); ++r) {
        rs.Move(r);
        combo->addItem(rs.text(listField), rs.Fields(boundColumn));
    }
    combo->setCurrentIndex(-1);
}

QVariant boundValue(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? QVariant() : combo->currentData();
}

} // namespace wb::ui
