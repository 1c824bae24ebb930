#include "firstfocus.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
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

} // namespace wb::ui
