#include "guard.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "errortext.h"
#include "msgbox.h"
#include "typingwait.h"

#include <QEvent>
#include <exception>

namespace wb::ui {

namespace {

// Runs `f`; returns the text of the exception it raised, or a null text when it succeeded.
template <class F> QString failureOf(F&& f) {
    try {
        f();
        return {};
    } catch (const Superseded&) {
        throw; // the caller ends quietly
    } catch (const DbError& e) {
        return userText(e, workingWindow());
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unexpected error");
    }
}

// The outermost key, click or handler being run is a new action of the user; what runs inside it
// (other events, handlers, a message box's own loop) belongs to that action.
thread_local int actionDepth = 0;

class UserAction {
public:
    explicit UserAction(bool byTheUser) {
        if (actionDepth++ == 0 && byTheUser)
            beginUserAction();
    }
    ~UserAction() { --actionDepth; }
};

bool isInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Shortcut:
        return true;
    default:
        return false;
    }
}

void report(const QString& text) {
    try {
        MsgBox(text.isEmpty() ? QStringLiteral("Unexpected error") : text, vbCritical);
    } catch (...) {
        // Nothing else can show the error; keep the program running.
    }
}

} // namespace

bool guarded(const std::function<void()>& handler) {
    const UserAction action(true);
    bool failed = true;
    QString text;
    try {
        const HandlerScope scope;
        text = failureOf([&] {
            handler();
            failed = false;
        });
    } catch (const Superseded&) {
        return true; // a newer keystroke's handler has done the work
    }
    if (failed)
        report(text);
    return !failed;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    const UserAction action(isInput(event));
    const TypingScope typing(receiver, event);
    const EventScope delivery;
    bool result = false;
    bool failed = true;
    const QString text = failureOf([&] {
        result = QApplication::notify(receiver, event);
        failed = false;
    });
    if (!failed)
        return result;
    report(text);
    return false;
}

} // namespace wb::ui
