#include "labels.h"

#include "binding.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>

namespace wb::ui {

namespace {

QLabel* labelAt(QLayoutItem* item) {
    return item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
}

// The label before the control in the layout that holds it (searched through nested layouts).
QLabel* labelInLayout(QLayout* layout, const QWidget* control) {
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == control) {
            if (auto* form = qobject_cast<QFormLayout*>(layout))
                return qobject_cast<QLabel*>(form->labelForField(const_cast<QWidget*>(control)));
            if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
                int row = 0, col = 0, rowSpan = 0, colSpan = 0;
                grid->getItemPosition(i, &row, &col, &rowSpan, &colSpan);
                for (int c = col - 1; c >= 0; --c)
                    if (QLabel* label = labelAt(grid->itemAtPosition(row, c)))
                        return label;
                // A row of boxes under a row of column headings.
                return row > 0 ? labelAt(grid->itemAtPosition(row - 1, col)) : nullptr;
            }
            return i > 0 ? labelAt(layout->itemAt(i - 1)) : nullptr;
        }
        if (QLabel* label = labelInLayout(item->layout(), control))
            return label;
    }
    return nullptr;
}

QString cleaned(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.simplified();
    while (text.endsWith(QLatin1Char(':')))
        text = text.chopped(1).trimmed();
    return text;
}

} // namespace

QString labelFor(const QWidget* control) {
    if (!control)
        return {};
    for (QLabel* label : control->window()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return cleaned(label->text());
    if (QWidget* parent = control->parentWidget())
        if (QLabel* label = labelInLayout(parent->layout(), control))
            return cleaned(label->text());
    return {};
}

QWidget* controlForField(const QWidget* root, const QString& column) {
    if (!root || column.isEmpty())
        return nullptr;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (dataField(w).compare(column, Qt::CaseInsensitive) == 0)
            return w;
    return nullptr;
}

} // namespace wb::ui
