#pragma once

#include <QString>

class QWidget;

namespace wb {
class DbError;
}

namespace wb::ui {

// The text the user is shown for a database error raised while working in the window of `context`:
// a text too long for its column, or a number its column cannot take, names the label of the box
// bound to that column.
QString userText(const DbError& error, const QWidget* context);

// The window the user is working in: the window of the focused control, else the active child
// window of the main window, else the active window.
QWidget* workingWindow();

} // namespace wb::ui
