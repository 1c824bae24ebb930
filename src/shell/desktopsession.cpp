#include "desktopsession.h"

#include <QtGlobal>

namespace wb {

bool hasDesktopSession() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(':'), 0, 0);
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty())
        return x11 || wayland;
    if (platform == QLatin1String("xcb"))
        return x11;
    if (platform.startsWith(QLatin1String("wayland")))
        return wayland;
    return true; // offscreen, vnc, eglfs, ...: the platform needs no desktop session
}

QString noDesktopSessionMessage() {
    return QStringLiteral(
        "Wardbook is a desktop program and needs a desktop session to show its windows, but none was "
        "found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
        "Start it from a terminal of the desktop, or, on a machine without a screen, in a virtual one:\n"
        "    xvfb-run -a build/bin/wardbook\n");
}

} // namespace wb
