#include "daychosen.h"

#include "guard.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>

namespace wb::ui {

namespace {

class DayChosen : public QObject {
public:
    DayChosen(QDateEdit* picker, std::function<void()> handler)
        : QObject(picker), picker_(picker), handler_(std::move(handler)) {
        connect(picker, &QDateEdit::dateChanged, this, [this] {
            changedInCalendar_ = calendarShown();
            guarded(handler_);
        });
        if (QCalendarWidget* calendar = picker->calendarWidget()) {
            calendar->window()->installEventFilter(this);
            connect(calendar, &QCalendarWidget::clicked, this, &DayChosen::chosen);
            connect(calendar, &QCalendarWidget::activated, this, &DayChosen::chosen);
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            changedInCalendar_ = false; // a new pick begins
        return false;
    }

private:
    bool calendarShown() const {
        const QCalendarWidget* calendar = picker_->calendarWidget();
        return calendar && calendar->window()->isVisible();
    }
    // The calendar changes the date as the day is pressed, before the click: that change has run
    // the handler already.
    void chosen() {
        if (!changedInCalendar_)
            guarded(handler_);
        changedInCalendar_ = false;
    }

    QDateEdit* picker_;
    std::function<void()> handler_;
    bool changedInCalendar_ = false;
};

} // namespace

void onDayChosen(QDateEdit* picker, std::function<void()> handler) {
    new DayChosen(picker, std::move(handler));
}

} // namespace wb::ui
