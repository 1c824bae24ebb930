#include "datekeys.h"

#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace wb::ui::keys {

namespace {

// Qt's own step of the focus chain (the protected focusNextPrevChild), so that leaving a date box
// reaches exactly the control a Tab from any other box would.
struct FocusStep : QWidget {
    static bool step(QWidget* w, bool next) { return (w->*(&FocusStep::focusNextPrevChild))(next); }
};

class DateKeys : public QObject {
public:
    explicit DateKeys(QDateTimeEdit* box)
        : QObject(box), box_(box), edit_(box->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
        setObjectName(QStringLiteral("wbDateKeys"));
        box->installEventFilter(this);
        if (edit_)
            edit_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::MouseButtonRelease)
            return clicked(static_cast<QMouseEvent*>(event));
        if (watched != box_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            // Leave the box, whichever part holds the cursor.
            const bool forward = key->key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier);
            if (QWidget* parent = box_->parentWidget())
                FocusStep::step(parent, forward);
            return true;
        }
        case Qt::Key_Left:
        case Qt::Key_Right: {
            if (mods & Qt::ShiftModifier)
                return false;
            // The box's own section step selects the neighbouring part; at either end it stays.
            const bool forward = key->key() == Qt::Key_Right;
            const int section = box_->currentSectionIndex();
            if (forward ? section < box_->sectionCount() - 1 : section > 0)
                FocusStep::step(box_, forward);
            return true;
        }
        default:
            return false;
        }
    }

private:
    // A click puts the caret into a part of the box; that part is selected, as Tab selects the first
    // one, so that typed digits fill it and move on. A drag that selected text keeps its selection.
    bool clicked(QMouseEvent* event) {
        edit_->removeEventFilter(this);
        QCoreApplication::sendEvent(edit_, event); // the box places the caret first
        edit_->installEventFilter(this);
        if (event->button() == Qt::LeftButton && box_->hasFocus() && !edit_->hasSelectedText())
            box_->setSelectedSection(box_->currentSection());
        return true;
    }

    QDateTimeEdit* box_;
    QLineEdit* edit_;
};

} // namespace

void dateBox(QDateTimeEdit* box) {
    if (box && !box->findChild<QObject*>(QStringLiteral("wbDateKeys"), Qt::FindDirectChildrenOnly))
        new DateKeys(box);
}

void dateBoxes(QWidget* root) {
    if (!root)
        return;
    for (QDateTimeEdit* box : root->findChildren<QDateTimeEdit*>())
        dateBox(box);
}

} // namespace wb::ui::keys
