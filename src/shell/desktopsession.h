#pragma once

#include <QString>

namespace wb {

// Whether the windows have somewhere to appear: a display of the desktop session (X11 or Wayland),
// or a platform chosen explicitly that needs none (offscreen, vnc, ...).
bool hasDesktopSession();

// Gives the program a private runtime folder when the session has none (XDG_RUNTIME_DIR unset, as
// under su, sudo, ssh or xvfb-run): a folder of the user's own in the temporary folder, readable by
// the user only, so that the toolkit does not warn at every start. An XDG_RUNTIME_DIR that is set is
// left alone. Call it before the application object is made.
void ensureRuntimeFolder();

// What the program says instead of starting when there is no desktop session.
QString noDesktopSessionMessage();

} // namespace wb
