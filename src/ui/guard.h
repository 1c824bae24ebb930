#pragma once

#include <QApplication>
#include <functional>

class QWidget;

namespace wb::ui {

// Runs a handler; an exception is shown to the user with its text (critical box) and the window
// stays usable. Returns false when the handler failed.
bool guarded(const std::function<void()>& handler);

// Wraps a handler for connect(): the call runs through guarded().
template <class F> auto handler(F f) {
    return [f](auto&&...) { guarded(f); };
}

// The application object: any exception that escapes an event handler is shown, never fatal.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace wb::ui
