#pragma once

#include "ui/form.h"

#include <QHash>
#include <QList>

class QAction;
class QMdiArea;
class QMenuBar;

// The main window: the menu bar that opens every screen as a child window, over the backdrop.
class MDIForm1 : public wb::ui::Form {
    Q_OBJECT
public:
    MDIForm1();
    bool isMdiChild() const override { return false; }
    void Form_Load() override;
    // The keyboard focus belongs to the child windows.
    QWidget* initialFocus() const override { return nullptr; }

    QMdiArea* area() const { return area_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // Every menu control (top menus, commands and separators) in menu order.
    const QList<QAction*>& menuControls() const { return controls_; }
    QAction* menuControl(const QString& name) const { return byName_.value(name); }
    // The caption a menu control is matched by.
    static QString captionOf(const QAction* control);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiArea* area_;
    QMenuBar* menuBar_;
    QList<QAction*> controls_;
    QHash<QString, QAction*> byName_;
};
