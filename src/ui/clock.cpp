#include "clock.h"

#include <optional>

namespace wb::ui::Clock {

namespace {
std::optional<QDateTime> fixedTime;
}

QDateTime now() {
    return fixedTime ? *fixedTime : QDateTime::currentDateTime();
}

void setFixed(const QDateTime& when) {
    fixedTime = when;
}

void reset() {
    fixedTime.reset();
}

} // namespace wb::ui::Clock
