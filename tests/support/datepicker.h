#pragma once

class QDateEdit;
class QDateTimeEdit;

namespace wbtest {

// A left click on the character at `index` of a date box's text, where a user sees it.
void clickCharacter(QDateTimeEdit* box, int index);

// Opens a date picker's calendar with a click on its arrow and clicks the day the picker shows, as
// a user chooses the same day again; the calendar closes.
void chooseShownDay(QDateEdit* picker);

} // namespace wbtest
