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
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <iostream>

namespace wb::shell {

namespace {

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
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
