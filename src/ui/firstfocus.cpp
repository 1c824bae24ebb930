#include "firstfocus.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

namespace wb::ui {

namespace {

bool takesTab(QWidget* root, QWidget* w) {
    return root->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled() &&
           w->isVisibleTo(root);
}

// The editor inside a combo or spin box is part of its owner, not a control of its own.
bool isInnerEditor(QWidget* w) {
    QWidget* parent = w->parentWidget();
    return parent && (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent));
}

bool isEntry(QWidget* w) {
    if (auto* box = qobject_cast<QLineEdit*>(w))
        return !box->isReadOnly();
    if (auto* text = qobject_cast<QTextEdit*>(w))
        return !text->isReadOnly();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return !plain->isReadOnly();
    return qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w);
}

} // namespace

QWidget* firstEntryControl(QWidget* root) {
    if (!root)
        return nullptr;
    QWidget* firstFocusable = nullptr;
    for (QWidget* w = root->nextInFocusChain(); w && w != root; w = w->nextInFocusChain()) {
        if (!takesTab(root, w) || isInnerEditor(w))
            continue;
        if (isEntry(w))
            return w;
        if (!firstFocusable)
            firstFocusable = w;
    }
    return firstFocusable;
}

void openOnPage(QTabWidget* tabs, int page) {
    tabs->setCurrentIndex(page);
    QWidget* root = tabs->currentWidget();
    if (!root)
        return;
    QWidget* target = nullptr;
    for (QWidget* w = root->nextInFocusChain(); w && w != root && !target; w = w->nextInFocusChain()) {
        auto* box = qobject_cast<QLineEdit*>(w);
        if (box && !box->isReadOnly() && takesTab(root, w) && !isInnerEditor(w))
            target = w;
    }
    if (!target)
        target = firstEntryControl(root);
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

} // namespace wb::ui
