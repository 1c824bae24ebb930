#include "followingclock.h"

#include "timeofday.h"
#include "ui/clock.h"
#include "ui/guard.h"

#include <QLineEdit>
#include <QTimer>

namespace wb::certificates {

FollowingClock::FollowingClock(QObject* owner, const QLineEdit* keyBox, QList<QLineEdit*> boxes)
    : QObject(owner), keyBox_(keyBox), boxes_(std::move(boxes)), timer_(new QTimer(this)) {
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, ui::handler([this] { tick(); }));
    // A time the user types is kept: the clock no longer writes that box.
    for (QLineEdit* box : boxes_)
        connect(box, &QLineEdit::textEdited, this, [this, box] {
            if (!typed_.contains(box))
                typed_ << box;
        });
}

void FollowingClock::tick() {
    if (!keyBox_->text().isEmpty())
        return; // a loaded certificate shows its own times
    const QTime now = ui::Clock::now().time();
    for (QLineEdit* box : boxes_)
        if (!typed_.contains(box))
            showTime(box, now);
}

} // namespace wb::certificates
