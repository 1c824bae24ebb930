#include "typingwait.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

namespace wb::ui {

namespace {

QWidget* typingInto = nullptr;
int handlers = 0;

bool isTyping(const QEvent* event) {
    return event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod;
}

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

bool editsText(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Shift: // a modifier pressed or released on its own (Shift for a capital)
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        break;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return !key->text().isEmpty() && key->text().at(0).isPrint();
    }
}

// Holds back the input that must not run while a handler waits, and delivers it afterwards.
class InputHold : public QObject {
public:
    explicit InputHold(QWidget* box) : box_(box) { qApp->installEventFilter(this); }
    ~InputHold() override {
        qApp->removeEventFilter(this);
        for (auto& [receiver, event] : held_)
            if (receiver)
                QCoreApplication::postEvent(receiver, event.release());
    }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!isInput(event->type()))
            return false;
        if (held_.empty() && passes(event))
            return false;
        held_.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
        return true;
    }

private:
    bool passes(const QEvent* event) const {
        if (!box_ || QApplication::focusWidget() != box_)
            return false;
        if (event->type() == QEvent::InputMethod)
            return true;
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
                         event->type() == QEvent::ShortcutOverride;
        return key && editsText(static_cast<const QKeyEvent*>(event));
    }

    QPointer<QWidget> box_;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

} // namespace

QWidget* typingTarget() {
    return typingInto;
}

TypingScope::TypingScope(QObject* receiver, const QEvent* event) : previous_(typingInto) {
    if (isTyping(event) && qobject_cast<QLineEdit*>(receiver)) {
        typingInto = static_cast<QWidget*>(receiver);
        set_ = true;
    }
}

TypingScope::~TypingScope() {
    if (set_)
        typingInto = previous_;
}

HandlerScope::HandlerScope() {
    // A key typed into a box: the box shows it before the handler's work (a search's looks at the
    // table) begins.
    if (++handlers == 1)
        if (QWidget* box = typingTarget(); box && box->isVisible())
            box->repaint();
}

HandlerScope::~HandlerScope() {
    --handlers;
}

bool inHandler() {
    return handlers > 0;
}

EventScope::EventScope() : saved_(handlers) {
    handlers = 0;
}

EventScope::~EventScope() {
    handlers = saved_;
}

void waitLettingTypingThrough(QEventLoop& loop) {
    const InputHold hold(typingInto);
    loop.exec();
}

} // namespace wb::ui
