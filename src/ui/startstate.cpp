#include "startstate.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSignalBlocker>

namespace wb::ui {

namespace {

bool isPart(const QWidget* w) {
    // The line edit inside a combo box or date picker belongs to it.
    return qobject_cast<const QComboBox*>(w->parentWidget()) ||
           qobject_cast<const QDateTimeEdit*>(w->parentWidget());
}

} // namespace

void StartState::take(QWidget* root, const QList<QWidget*>& except) {
    entries_.clear();
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (except.contains(w) || isPart(w))
            continue;
        Entry e;
        e.control = w;
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            e.text = box->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            e.index = combo->currentIndex();
            e.text = combo->currentText();
        } else if (auto* picker = qobject_cast<QDateTimeEdit*>(w)) {
            e.when = picker->dateTime();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
            e.checked = button->isChecked();
        } else {
            continue;
        }
        entries_.append(e);
    }
}

void StartState::restore() const {
    for (const Entry& e : entries_) {
        QWidget* w = e.control;
        if (!w)
            continue;
        const QSignalBlocker quiet(w);
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            box->setText(e.text);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            combo->setCurrentIndex(e.index);
            if (combo->isEditable())
                combo->setEditText(e.text);
        } else if (auto* picker = qobject_cast<QDateTimeEdit*>(w)) {
            picker->setDateTime(e.when);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            // An option button is unticked only with its group's exclusivity set aside.
            const bool exclusive = button->autoExclusive();
            button->setAutoExclusive(false);
            button->setChecked(e.checked);
            button->setAutoExclusive(exclusive);
        }
    }
}

} // namespace wb::ui
