#pragma once

class QTabWidget;
class QWidget;

namespace wb::ui {

// The control a window's keyboard focus starts on: its first entry control (text, combo, date or
// number box that can be typed into) in tab order, else its first control that takes the focus by
// Tab; nullptr when it has none.
QWidget* firstEntryControl(QWidget* root);

// A window opened on a page of its tab control: shows that page and puts the keyboard focus on the
// page's first box that takes typing (else its first entry control), so typed text reaches it.
void openOnPage(QTabWidget* tabs, int page);

} // namespace wb::ui
