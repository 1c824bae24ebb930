#pragma once

#include <QString>

namespace wb {

// Whether the windows have somewhere to appear: a display of the desktop session (X11 or Wayland),
// or a platform chosen explicitly that needs none (offscreen, vnc, ...).
bool hasDesktopSession();

// What the program says instead of starting when there is no desktop session.
QString noDesktopSessionMessage();

} // namespace wb
