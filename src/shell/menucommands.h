#pragma once

#include "ui/form.h"

#include <QList>
#include <QString>
#include <functional>

namespace wb::shell {

// One entry of the main window's menu bar: a top menu, a command, or a separator ("-").
struct MenuEntry {
    enum Kind { TopMenu, Command, Separator };
    Kind kind = Command;
    QString name;    // the menu control's name (mnu_Pat_Reg, gp0, ...)
    QString caption; // the caption, also the key of the menu rights

    // Commands: how the window opens. No `open` means the window does not exist yet (disabled).
    std::function<void()> unload;    // unloads the window's existing instance
    std::function<ui::Form&()> open; // the default instance (created and loaded on first use)
    bool unloadFirst = false;
    int width = -1, height = -1, top = -1, left = -1; // twips; -1 = not set
    bool leftBeforeTop = false;
    std::function<void()> further; // a step after the window is placed
};

// The menu bar in order: REGISTRATIONS, TRANSACTIONS, REPORTS, ADMINISTRATOR.
const QList<MenuEntry>& menuEntries();

// Runs a command: unload first when it says so, show the window, then set width, height, top and
// left (in that order, or left before top), then the further step.
void runMenuCommand(const MenuEntry& entry);

// Entry of a command whose window is T.
template <class T> MenuEntry command(const QString& name, const QString& caption, bool unloadFirst) {
    MenuEntry e;
    e.kind = MenuEntry::Command;
    e.name = name;
    e.caption = caption;
    e.unloadFirst = unloadFirst;
    e.unload = [] { ui::Forms::unload<T>(); };
    e.open = []() -> ui::Form& { return ui::Forms::get<T>(); };
    return e;
}

} // namespace wb::shell
