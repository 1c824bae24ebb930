#pragma once

#include <QChar>
#include <functional>
#include <initializer_list>

class QWidget;

namespace wb::ui::keys {

// Moves the focus to the next control in tab order, as the "{tab}" keystroke does.
void sendTab(QWidget* from);

// Enter (13) in the control sends "{tab}".
void enterToTab(QWidget* w);
// Every typed character is replaced by its upper-case form (after the Enter test).
void upperCase(QWidget* w);
// The usual pair on text boxes: upper-casing and Enter-to-Tab on each control.
void upperCaseAndTab(std::initializer_list<QWidget*> controls);

struct DigitRule {
    bool allowBlank = false; // "[0-9 ]"
    bool allowPoint = false; // one "." at most
};
// Characters that do not match the rule are dropped; Backspace and Enter pass.
void digitsOnly(QWidget* w, DigitRule rule = {});
// Typed characters for which `rejects` holds are dropped (before the upper-casing); Backspace, Enter
// and the other control keys pass.
void reject(QWidget* w, std::function<bool(QChar)> rejects);
// Every key press is discarded (a list chosen with the mouse only).
void discardKeys(QWidget* w);
// Enter runs `action` (the key is consumed).
void onEnter(QWidget* w, std::function<void()> action);
// Up or Down runs `action` (the key is consumed).
void onUpDown(QWidget* w, std::function<void()> action);

} // namespace wb::ui::keys
