#include "picker.h"

#include <QList>
#include <QPointer>
#include <QSet>

namespace wb::common {

namespace picks {

namespace {

struct Open {
    quint64 number;
    QPointer<const ui::Form> window;
};

// The Find each register window is open for, and the Finds a pick has answered.
QList<Open>& open() {
    static QList<Open> list;
    return list;
}

QSet<quint64>& answeredSet() {
    static QSet<quint64> set;
    return set;
}

} // namespace

quint64 ask(const ui::Form* registerWindow) {
    static quint64 last = 0;
    open().removeIf([&](const Open& o) { return !o.window || o.window == registerWindow; });
    open().append({++last, registerWindow});
    return last;
}

void answer(const ui::Form* registerWindow) {
    open().removeIf([&](const Open& o) {
        if (o.window != registerWindow)
            return false;
        answeredSet().insert(o.number);
        return true;
    });
}

bool answered(quint64 request) {
    return answeredSet().contains(request);
}

bool stillOpen(quint64 request) {
    for (const Open& o : open())
        if (o.number == request)
            return o.window && !o.window->isUnloading() && o.window->isVisible();
    return false;
}

void forget(quint64 request) {
    answeredSet().remove(request);
    open().removeIf([&](const Open& o) { return o.number == request; });
}

} // namespace picks

void PickRequests::remember(const QMetaObject* reg, quint64 number, const QString& letter) {
    if (pending_.contains(reg))
        picks::forget(pending_.value(reg).number);
    pending_.insert(reg, {number, letter});
}

bool PickRequests::takeFrom(const QMetaObject* reg, const std::function<void(const QString&)>& take) {
    const auto it = pending_.constFind(reg);
    if (it == pending_.constEnd())
        return false;
    const Request r = *it;
    if (!picks::answered(r.number)) {
        if (!picks::stillOpen(r.number)) { // closed without a pick
            picks::forget(r.number);
            pending_.remove(reg);
        }
        return false;
    }
    picks::forget(r.number);
    pending_.remove(reg);
    take(r.letter);
    return true;
}

void PickRequests::forgetAll() {
    for (const Request& r : std::as_const(pending_))
        picks::forget(r.number);
    pending_.clear();
}

} // namespace wb::common
