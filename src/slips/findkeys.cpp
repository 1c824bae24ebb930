#include "findkeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace wb::slips {

namespace {

class FindOnF2 : public QObject {
public:
    FindOnF2(QWidget* box, QAbstractButton* find) : QObject(box), find_(find) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F2)
            return false;
        if (find_)
            find_->click(); // runs the command's own (guarded) handler
        return true;
    }

private:
    QPointer<QAbstractButton> find_;
};

class PassFocus : public QObject {
public:
    PassFocus(QWidget* box, QWidget* next) : QObject(box), next_(next) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, next_, [next = next_] { next->setFocus(); });
        return false;
    }

private:
    QWidget* next_;
};

} // namespace

void findOnF2(QWidget* box, QAbstractButton* find) {
    new FindOnF2(box, find);
}

void passFocus(QWidget* box, QWidget* next) {
    new PassFocus(box, next);
}

} // namespace wb::slips
