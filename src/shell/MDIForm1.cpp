#include "MDIForm1.h"

#include "common/registerform.h"
#include "frmBack.h"
#include "menucommands.h"
#include "module1.h"
#include "ui/guard.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

using wb::shell::MenuEntry;

MDIForm1::MDIForm1() : area_(new QMdiArea(this)), menuBar_(new QMenuBar(this)) {
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Wardbook"));
    area_->setObjectName(QStringLiteral("MDIArea"));
    area_->setBackground(QBrush(QColor(0x4a, 0x6f, 0x8a)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(area_);
    resize(1024, 720);

    QMenu* current = nullptr;
    for (const MenuEntry& e : wb::shell::menuEntries()) {
        QAction* action = nullptr;
        switch (e.kind) {
        case MenuEntry::TopMenu:
            current = menuBar_->addMenu(e.caption);
            action = current->menuAction();
            break;
        case MenuEntry::Separator:
            action = current->addSeparator();
            break;
        case MenuEntry::Command:
            action = current->addAction(e.caption);
            action->setEnabled(static_cast<bool>(e.open));
            connect(action, &QAction::triggered, this,
                    wb::ui::handler([&e] { wb::shell::runMenuCommand(e); }));
            break;
        }
        action->setObjectName(e.name);
        action->setProperty("Caption", e.caption);
        controls_ << action;
        byName_.insert(e.name, action);
    }
    wb::ui::Forms::setMdiArea(area_);

    // Ctrl+F4 closes the active child window as its close box does, through its unload.
    auto* closeChild = new QAction(this);
    closeChild->setObjectName(QStringLiteral("CloseChildWindow"));
    closeChild->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    closeChild->setShortcutContext(Qt::WindowShortcut);
    connect(closeChild, &QAction::triggered, area_, &QMdiArea::closeActiveSubWindow);
    addAction(closeChild);

    // Registers ask for the menu rights again as they unload.
    const auto listen = [this](wb::ui::Form* form) {
        if (auto* r = qobject_cast<wb::common::RegisterForm*>(form))
            connect(r, &wb::common::RegisterForm::menuRightsDue, this,
                    wb::ui::handler([] { Module1::ApplyMenuRights(); }));
    };
    for (wb::ui::Form* form : wb::ui::Forms::all())
        listen(form);
    connect(&wb::ui::Forms::events(), &wb::ui::FormEvents::created, this, listen);
}

QString MDIForm1::captionOf(const QAction* control) {
    return control->property("Caption").toString();
}

void MDIForm1::Form_Load() {
    auto& back = wb::ui::Forms::get<frmBack>();
    back.setWidthTw(15300);
    back.Show();
    back.setWidthTw(15300);
    back.setHeightTw(10300);
    showMaximized();
    Module1::ApplyMenuRights();
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    // Closing the main window closes its child windows with it.
    for (wb::ui::Form* f : wb::ui::Forms::all())
        if (f != this && f->isMdiChild())
            f->unload();
    wb::ui::Form::closeEvent(event);
}
