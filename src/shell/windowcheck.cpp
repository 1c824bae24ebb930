#include "windowcheck.h"

#include "MDIForm1.h"
#include "data/setup.h"
#include "frmLogin.h"
#include "geometrycheck.h"
#include "menucommands.h"
#include "ui/msgbox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <iostream>

namespace wb::shell {

namespace {

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A key pressed and released in the control that has the keyboard focus.
void press(int key) {
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &down);
    QCoreApplication::sendEvent(target, &up);
    settle();
}

// Ctrl+F4: the main window's command that closes the active child window.
void closeActiveWindow() {
    if (auto* main = ui::Forms::loaded<MDIForm1>())
        if (auto* close = main->findChild<QAction*>(QStringLiteral("CloseChildWindow")))
            close->trigger();
    settle();
}

// The Find commands: the buttons that open a pick list (not the search pages' Find, `cmdfind`).
bool isFind(const QPushButton* button) {
    static const QRegularExpression name(
        QStringLiteral("^(cmd_?find_|find_)|^cmb_pat_search$|^cmd_Rate_List$"),
        QRegularExpression::CaseInsensitiveOption);
    return name.match(button->objectName()).hasMatch();
}

// Every Find the window shows, by keys: the focus on the Find, Space opens its pick list, Down and
// Enter pick (nothing, on a fresh database), Ctrl+F4 closes the list; the window must then be the
// active window again, shown, with the keyboard focus.
void walkPicks(const MenuEntry& e, ui::Form& form, QStringList& failures) {
    QMdiArea* area = ui::Forms::mdiArea();
    for (QPushButton* find : form.findChildren<QPushButton*>()) {
        if (!isFind(find) || !find->isVisible() || !find->isEnabled())
            continue;
        const QString where = QStringLiteral("\"%1\" %2").arg(e.caption, find->objectName());
        find->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space); // some Finds take Enter as Tab

        QMdiSubWindow* list = area->activeSubWindow();
        if (!list || list == form.subWindow() || !list->isVisible()) {
            failures << where + QStringLiteral(" showed no pick list");
            continue;
        }
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        if (area->activeSubWindow() == list)
            closeActiveWindow();
        if (area->activeSubWindow() != form.subWindow() || !form.isVisible())
            failures << where + QStringLiteral(": after the pick list the window is not the active one");
        else if (!form.isAncestorOf(QApplication::focusWidget()))
            failures << where + QStringLiteral(": after the pick list the window has no keyboard focus");
    }
}

bool logIn(QStringList& failures) {
    auto* login = ui::Forms::loaded<frmLogin>();
    if (!login) {
        failures << QStringLiteral("the login window is not open");
        return false;
    }
    auto* users = login->findChild<QComboBox*>(QStringLiteral("cboUsers"));
    auto* password = login->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    auto* button = login->findChild<QPushButton*>(QStringLiteral("cmdLogIn"));
    if (!users || !password || !button) {
        failures << QStringLiteral("the login window lacks its user list, password box or Login button");
        return false;
    }
    users->setCurrentText(Setup::FirstAdministrator);
    password->setText(qEnvironmentVariable("WARDBOOK_ADMIN_PASSWORD"));
    button->click();
    settle();
    if (!ui::Forms::loaded<MDIForm1>()) {
        failures << QStringLiteral("the login did not open the main window");
        return false;
    }
    return true;
}

// The checks made on every window while it is open (more can be added here).
using WindowCheck = void (*)(const MenuEntry&, ui::Form&, QStringList&);
const WindowCheck windowChecks[] = {walkPicks};

void openEveryWindow(MDIForm1& main, QStringList& failures) {
    QMdiArea* area = ui::Forms::mdiArea();
    for (const MenuEntry& e : menuEntries()) {
        QAction* action = main.menuControl(e.name);
        if (e.kind != MenuEntry::Command || !action || !action->isEnabled())
            continue;
        std::cerr << "Opening \"" << e.caption.toStdString() << "\"\n";
        action->trigger();
        settle();
        QMdiSubWindow* sub = area ? area->activeSubWindow() : nullptr;
        auto* form = sub ? qobject_cast<ui::Form*>(sub->widget()) : nullptr;
        if (!form || !form->isVisible()) {
            failures << QStringLiteral("\"%1\" opened no window").arg(e.caption);
            continue;
        }
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !form->isAncestorOf(focus))
            failures << QStringLiteral("\"%1\" opened without the keyboard focus").arg(e.caption);
        failures << geometryFaults(*form);
        for (WindowCheck check : windowChecks)
            check(e, *form, failures);
        sub->close();
        settle();
    }
}

} // namespace

int checkEveryWindow() {
    QStringList failures;
    ui::setMsgResponder([&failures](const ui::MsgRecord& m) {
        failures << QStringLiteral("message box \"%1\": %2").arg(m.title, m.text);
        return (m.style & ui::vbYesNo) == ui::vbYesNo ? int(ui::vbNo) : int(ui::vbOK);
    });
    settle();
    if (logIn(failures))
        openEveryWindow(*ui::Forms::loaded<MDIForm1>(), failures);
    ui::Forms::unloadAll();
    settle();
    ui::setMsgResponder({});
    for (const QString& f : failures)
        std::cerr << "Window check failed: " << f.toStdString() << '\n';
    if (failures.isEmpty())
        std::cerr << "Every window opened and closed.\n";
    return failures.isEmpty() ? 0 : 1;
}

} // namespace wb::shell
