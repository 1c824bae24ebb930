#pragma once

namespace wb::shell {

// The program's own check of its windows, run with --check-windows on a fresh embedded database:
// logs in as the first administrator (password from WARDBOOK_ADMIN_PASSWORD), opens the window of
// every enabled menu command, checks that it has the keyboard focus and that nothing in it is drawn
// collapsed or cut (geometrycheck.h), walks its pick lists by keys (each Find it shows opens its list,
// which closes by Ctrl+F4 and gives the window back, active and with the focus), closes it, and
// closes the main window. Returns 0 when no message box appeared and every window opened whole;
// otherwise tells on the terminal what went wrong and returns 1.
int checkEveryWindow();

} // namespace wb::shell
