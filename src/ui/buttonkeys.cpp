#include "buttonkeys.h"

#include <QPushButton>

namespace wb::ui::keys {

void enterClicksButtons(QWidget* root) {
    // Outside a dialog a push button ignores Enter unless it is an auto-default button, which
    // clicks on Enter while it has the focus.
    for (QPushButton* button : root->findChildren<QPushButton*>())
        button->setAutoDefault(true);
}

} // namespace wb::ui::keys
