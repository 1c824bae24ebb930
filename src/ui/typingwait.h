#pragma once

#include <QEvent>
#include <functional>

class QEventLoop;
class QObject;
class QWidget;

namespace wb::ui {

// The line edit a key is being typed into while the application delivers that key (none otherwise).
QWidget* typingTarget();

// Marks the delivery of a key to a line edit (the application wraps each event in one).
class TypingScope {
public:
    TypingScope(QObject* receiver, const QEvent* event);
    ~TypingScope();
    TypingScope(const TypingScope&) = delete;
    TypingScope& operator=(const TypingScope&) = delete;

private:
    QWidget* previous_;
    bool set_ = false;
};

// Runs `loop` until it is told to quit, while only the keys that edit the box being typed into reach
// it (characters, Backspace, Delete and the keys that move in the text), so typing goes on. Every
// other input (Enter, Tab, clicks, closing a window) waits and is delivered afterwards in the order
// it came, as is any key typed after it.
void waitLettingTypingThrough(QEventLoop& loop);

// Thrown where a handler waited for a read that a newer one made stale: the handler stops there,
// and guarded(), which ran it, says nothing (the newer keystroke has shown its own result).
struct Superseded {};

// A handler runs through guarded(), so it may be stopped by Superseded; outside one (inside the
// toolkit's own calls) nothing is read in the background.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};
bool inHandler();

// The toolkit delivers an event: until a handler of it runs, nothing may be stopped by Superseded.
class EventScope {
public:
    EventScope();
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

private:
    int saved_;
};

} // namespace wb::ui
