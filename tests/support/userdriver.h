#pragma once

#include <QString>
#include <Qt>

class QWidget;

namespace wb::ui {
class Form;
}

// A user at the keyboard and the mouse. It acts only as a user can (keys to the control that has the
// focus, clicks where a control is seen, then waiting while the program answers) and reads only what
// a user sees: the active window, the control with the focus, the text of a box.
namespace wbtest::user {

// Lets the program answer: posted events, timers that are due and windows deleted later.
void wait();

// A key pressed and released in the control that has the keyboard focus, `times` times.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1);
// Text typed into the control that has the keyboard focus, key by key.
void type(const QString& text);
// Keys a fast typist has typed ahead: they wait in the program's queue for the control that has the
// focus now, and reach it when the program next reads keys (Backspace as '\b').
void typeAhead(const QString& text);
// A key pressed ahead in the same way (a mnemonic such as Alt+X, a menu key).
void pressAhead(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A click in the middle of the control where it is seen on screen; a failure of the test when
// something else is seen there (a hidden, covered or collapsed control).
void click(QWidget* control);

// The window the user works in: the active child window of the main window, or the active
// top-level window; nullptr when none is seen.
wb::ui::Form* activeWindow();
// The control with the keyboard focus.
QWidget* focused();
// Its name ("" when nothing has the focus).
QString focusedName();
// What a box, list, button or label shows.
QString textOf(const QWidget* control);

} // namespace wbtest::user
