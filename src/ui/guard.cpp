#include "guard.h"

#include "data/dberror.h"
#include "errortext.h"
#include "msgbox.h"

#include <exception>

namespace wb::ui {

namespace {

// Runs `f`; returns the text of the exception it raised, or a null text when it succeeded.
template <class F> QString failureOf(F&& f) {
    try {
        f();
        return {};
    } catch (const DbError& e) {
        return userText(e, workingWindow());
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unexpected error");
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
    bool failed = true;
    const QString text = failureOf([&] {
        handler();
        failed = false;
    });
    if (failed)
        report(text);
    return !failed;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
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
