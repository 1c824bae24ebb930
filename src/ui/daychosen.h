#pragma once

#include <functional>

class QDateEdit;

namespace wb::ui {

// Runs `handler` (through guarded()) whenever a day is chosen in a date picker, as the designed
// pickers' Change and Click both do: at every change of its date (typed, stepped, chosen in the
// calendar or set by the program), and also when the day it already shows is chosen again in its
// calendar, which changes nothing. A pick in the calendar that changed the date runs it once.
void onDayChosen(QDateEdit* picker, std::function<void()> handler);

} // namespace wb::ui
