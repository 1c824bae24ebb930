#pragma once

class QDateEdit;

namespace wbtest {

// Opens a date picker's calendar with a click on its arrow and clicks the day the picker shows, as
// a user chooses the same day again; the calendar closes.
void chooseShownDay(QDateEdit* picker);

} // namespace wbtest
