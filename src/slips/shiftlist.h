#pragma once

class QComboBox;
class QTreeWidget;
class QTime;

// The slip screen's hidden list of the shift register, and the shift box that follows the clock.
namespace wb::slips {

// Lists every shift with its times, in the register's order.
void loadShifts(QTreeWidget* list);
// Sets the shift box to the letter of the listed shift that `now` falls in; with none it keeps its
// value.
void followShift(const QTreeWidget* list, QComboBox* shift, const QTime& now);

} // namespace wb::slips
