#pragma once

#include <QStringList>

namespace wb::ui {
class Form;
}

namespace wb::shell {

// What a user would find collapsed or cut in a shown child window, one text per fault: a control
// shorter than its font's line or cut by its frame, a caption cut, a grid showing fewer than three
// rows, a grid column narrower than its header or the values it shows, a window outside the main
// window's area, a maximised window that does not fill the area. Hidden controls and pages that are
// not shown are not looked at.
QStringList geometryFaults(const ui::Form& form);

} // namespace wb::shell
