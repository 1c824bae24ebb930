#include "keyfilters.h"

#include "guard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace wb::ui::keys {

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The key handling of one control: every filter asked for on it, applied by one event filter so
// that they combine (Enter first, then the character filters).
class KeyFilter : public QObject {
    Q_OBJECT
public:
    explicit KeyFilter(QWidget* control) : QObject(control), control_(control) {
        control->installEventFilter(this);
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
    }

    static KeyFilter& of(QWidget* control) {
        if (auto* existing = control->findChild<KeyFilter*>(QString(), Qt::FindDirectChildrenOnly))
            return *existing;
        return *new KeyFilter(control);
    }

    bool enterToTab = false;
    bool upperCase = false;
    bool discard = false;
    std::optional<DigitRule> digits;
    std::function<bool(QChar)> rejects;
    std::function<void()> onEnter;
    std::function<void()> onUpDown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (discard)
            return key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;

        if (isEnter(key->key())) {
            if (onEnter) {
                guarded(onEnter);
                return true;
            }
            if (enterToTab) {
                sendTab(control_);
                return true;
            }
            return false;
        }
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && onUpDown) {
            guarded(onUpDown);
            return true;
        }

        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint())
            return false; // Backspace, navigation and control keys pass
        if (rejects && rejects(text.at(0)))
            return true;
        if (digits && !acceptsDigit(watched, text.at(0)))
            return true;
        if (upperCase) {
            const QString upper = text.toUpper();
            if (upper != text) {
                QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), upper, key->isAutoRepeat(),
                                   key->count());
                QCoreApplication::sendEvent(watched, &replaced);
                return true;
            }
        }
        return false;
    }

private:
    bool acceptsDigit(QObject* watched, QChar c) const {
        if (c >= u'0' && c <= u'9')
            return true;
        if (c == u' ')
            return digits->allowBlank;
        if (c == u'.')
            return digits->allowPoint && !currentText(watched).contains(u'.');
        return false;
    }

    QString currentText(QObject* watched) const {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            return box->text();
        if (auto* combo = qobject_cast<QComboBox*>(watched))
            return combo->currentText();
        return watched->property("text").toString();
    }

    QPointer<QWidget> control_;
};

QWidget* deepestProxy(QWidget* w) {
    while (w->focusProxy())
        w = w->focusProxy();
    return w;
}

// The control a keystroke belongs to: the editor inside a combo or spin box stands for its owner.
QWidget* ownerControl(QWidget* w) {
    QWidget* parent = w->parentWidget();
    if (parent && (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent)))
        return parent;
    return w;
}

// The window or MDI sub-window the tab order runs within.
QWidget* tabRoot(QWidget* w) {
    while (w->parentWidget() && !w->isWindow() && w->windowType() != Qt::SubWindow)
        w = w->parentWidget();
    return w;
}

} // namespace

void sendTab(QWidget* from) {
    if (!from)
        return;
    QWidget* start = ownerControl(from);
    QWidget* root = tabRoot(start);
    QWidget* startFocus = deepestProxy(start);
    for (QWidget* test = start->nextInFocusChain(); test && test != start; test = test->nextInFocusChain()) {
        if (!root->isAncestorOf(test) || start->isAncestorOf(test))
            continue;
        if ((test->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !test->isEnabled() ||
            !test->isVisibleTo(root))
            continue;
        QWidget* target = deepestProxy(test);
        if (target == startFocus)
            continue;
        target->setFocus(Qt::TabFocusReason);
        return;
    }
}

void enterToTab(QWidget* w) {
    KeyFilter::of(w).enterToTab = true;
}

void upperCase(QWidget* w) {
    KeyFilter::of(w).upperCase = true;
}

void upperCaseAndTab(std::initializer_list<QWidget*> controls) {
    for (QWidget* w : controls) {
        upperCase(w);
        enterToTab(w);
    }
}

void digitsOnly(QWidget* w, DigitRule rule) {
    KeyFilter::of(w).digits = rule;
}

void reject(QWidget* w, std::function<bool(QChar)> rejects) {
    KeyFilter::of(w).rejects = std::move(rejects);
}

void discardKeys(QWidget* w) {
    KeyFilter::of(w).discard = true;
}

void onEnter(QWidget* w, std::function<void()> action) {
    KeyFilter::of(w).onEnter = std::move(action);
}

void onUpDown(QWidget* w, std::function<void()> action) {
    KeyFilter::of(w).onUpDown = std::move(action);
}

} // namespace wb::ui::keys

#include "keyfilters.moc"
