#pragma once

#include <QDateTime>

namespace wb::ui::Clock {

// The current date and time; tests may fix it.
QDateTime now();
void setFixed(const QDateTime& when);
void reset();

} // namespace wb::ui::Clock
