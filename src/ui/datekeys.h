#pragma once

class QDateTimeEdit;
class QWidget;

namespace wb::ui::keys {

// A date (or time) box behaves as the date pickers the windows were designed with: Tab and
// Shift+Tab leave the box for the next or previous control, Left and Right move between its parts
// (day, month, year), a click selects the part under the mouse, typed digits fill the current part
// and move on when it is complete. Enter is left to the box's own key handling (the window's key
// table).
void dateBox(QDateTimeEdit* box);

// Every date and time box inside `root`; boxes that have it already are left as they are.
void dateBoxes(QWidget* root);

} // namespace wb::ui::keys
