#include "userdriver.h"

#include "ui/form.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace wbtest::user {

void wait() {
    // A few rounds: an answer may post the next step (a zero timer, a deferred deletion).
    for (int round = 0; round < 4; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers, int times) {
    for (int i = 0; i < times; ++i) {
        QWidget* target = QApplication::focusWidget();
        if (!target) {
            ADD_FAILURE() << "no control has the keyboard focus for the key " << key;
            return;
        }
        QTest::keyClick(target, key, modifiers);
        wait();
    }
}

void type(const QString& text) {
    for (const QChar ch : text) {
        QWidget* target = QApplication::focusWidget();
        if (!target) {
            ADD_FAILURE() << "no control has the keyboard focus for " << QString(ch).toStdString();
            return;
        }
        QTest::keyClick(target, ch.toLatin1());
        wait();
    }
}

namespace {

// Queues a key as the keyboard sends it: a press is first offered to the shortcuts (mnemonics,
// menu keys), then sent to the control.
void queueKey(QWidget* target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
              const QString& typed) {
    QPointer<QWidget> to(target);
    QMetaObject::invokeMethod(
        qApp,
        [to, type, key, modifiers, typed] {
            if (!to)
                return;
            QKeyEvent event(type, key, modifiers, typed);
            if (type != QEvent::KeyPress ||
                !qt_sendShortcutOverrideEvent(to, 0, key, modifiers, typed, false, 1))
                QApplication::sendEvent(to, &event);
        },
        Qt::QueuedConnection);
}

} // namespace

void typeAhead(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    if (!target) {
        ADD_FAILURE() << "no control has the keyboard focus for " << text.toStdString();
        return;
    }
    for (const QChar ch : text) {
        const bool back = ch == u'\b';
        const int key = back ? int(Qt::Key_Backspace) : int(ch.toUpper().unicode());
        const QString typed = back ? QString() : QString(ch);
        // A capital is typed with Shift held, as on a keyboard: Shift goes down and up on its own.
        const bool shift = ch.isUpper();
        const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        if (shift)
            queueKey(target, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, {});
        queueKey(target, QEvent::KeyPress, key, modifiers, typed);
        queueKey(target, QEvent::KeyRelease, key, modifiers, typed);
        if (shift)
            queueKey(target, QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier, {});
    }
}

void pressAhead(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (!target) {
        ADD_FAILURE() << "no control has the keyboard focus for the key " << key;
        return;
    }
    queueKey(target, QEvent::KeyPress, key, modifiers, {});
    queueKey(target, QEvent::KeyRelease, key, modifiers, {});
}

void click(QWidget* control) {
    if (!control || !control->isVisible() || control->width() <= 0 || control->height() <= 0) {
        ADD_FAILURE() << "cannot click " << (control ? control->objectName().toStdString() : "nothing")
                      << ": it is not seen";
        return;
    }
    QWidget* window = control->window();
    const QPoint middle = control->mapTo(window, control->rect().center());
    QWidget* seen = window->childAt(middle);
    if (!seen)
        seen = window;
    if (seen != control && !control->isAncestorOf(seen)) {
        ADD_FAILURE() << "cannot click " << control->objectName().toStdString() << ": "
                      << seen->objectName().toStdString() << " is seen where it should be";
        return;
    }
    QTest::mouseClick(seen, Qt::LeftButton, Qt::NoModifier, seen->mapFrom(window, middle));
    wait();
}

wb::ui::Form* activeWindow() {
    QWidget* top = QApplication::activeWindow();
    if (!top)
        return nullptr;
    QMdiArea* area = wb::ui::Forms::mdiArea();
    if (area && area->window() == top) {
        QMdiSubWindow* sub = area->activeSubWindow();
        if (!sub || !sub->isVisible())
            return nullptr;
        return qobject_cast<wb::ui::Form*>(sub->widget());
    }
    return qobject_cast<wb::ui::Form*>(top);
}

QWidget* focused() {
    return QApplication::focusWidget();
}

QString focusedName() {
    QWidget* w = focused();
    // The editor of a combo or spin box is seen as the box itself.
    if (w && w->parentWidget() &&
        (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

QString textOf(const QWidget* control) {
    if (auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (auto* list = qobject_cast<const QComboBox*>(control))
        return list->currentText();
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(control))
        return spin->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return {};
}

} // namespace wbtest::user
