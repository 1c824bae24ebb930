#pragma once

#include <QList>
#include <QObject>

class QLineEdit;
class QTimer;

namespace wb::certificates {

// Time boxes that follow the clock, one tick a second, while the certificate is a new one (its key
// box empty). A box the user has typed a time into keeps that time until forgetTyped(), when the
// next certificate is started.
class FollowingClock : public QObject {
    Q_OBJECT
public:
    // The boxes in the order each tick writes them.
    FollowingClock(QObject* owner, const QLineEdit* keyBox, QList<QLineEdit*> boxes);

    QTimer* timer() const { return timer_; }
    void tick();
    void forgetTyped() { typed_.clear(); }

private:
    const QLineEdit* keyBox_;
    QList<QLineEdit*> boxes_;
    QList<const QLineEdit*> typed_;
    QTimer* timer_;
};

} // namespace wb::certificates
