#pragma once

class QWidget;

namespace wb::ui {

// The control a window's keyboard focus starts on: its first entry control (text, combo, date or
// number box that can be typed into) in tab order, else its first control that takes the focus by
// Tab; nullptr when it has none.
QWidget* firstEntryControl(QWidget* root);

} // namespace wb::ui
