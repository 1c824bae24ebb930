#pragma once

#include <QString>

class QWidget;

namespace wb::ui {

// The caption the user sees for a control: the label that names it (its buddy, the label before it
// in its row of the layout, or else the heading above it in a grid), without the mnemonic and the
// trailing colon; empty when none does.
QString labelFor(const QWidget* control);

// The control inside `root` bound to a column by its DataField (case does not matter), or nullptr.
QWidget* controlForField(const QWidget* root, const QString& column);

} // namespace wb::ui
