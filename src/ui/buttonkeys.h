#pragma once

class QWidget;

namespace wb::ui::keys {

// Every command button inside `root` is clicked by Enter while it has the focus, as by Space. A
// button's own Enter rule (an event filter of the window's) still comes first.
void enterClicksButtons(QWidget* root);

} // namespace wb::ui::keys
