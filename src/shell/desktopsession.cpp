#include "desktopsession.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

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

void ensureRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    QByteArray folder = qgetenv("TMPDIR");
    if (folder.isEmpty())
        folder = "/tmp";
    folder += "/wardbook-runtime-" + QByteArray::number(uint(getuid()));
    ::mkdir(folder.constData(), 0700);
    // Only a real folder of this user's own is taken (never one another user made, nor a link).
    struct stat st {};
    if (::lstat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return;
    if ((st.st_mode & 0777) != 0700 && ::chmod(folder.constData(), 0700) != 0)
        return;
    ::setenv("XDG_RUNTIME_DIR", folder.constData(), 1);
}

QString noDesktopSessionMessage() {
    return QStringLiteral(
        "Wardbook is a desktop program and needs a desktop session to show its windows, but none was "
        "found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
        "Start it from a terminal of the desktop, or, on a machine without a screen, in a virtual one:\n"
        "    xvfb-run -a build/bin/wardbook\n");
}

} // namespace wb
