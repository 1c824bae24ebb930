#pragma once

#include "common/picker.h"
#include "messages.h"
#include "testdb.h"
#include "ui/form.h"

#include <QAbstractButton>
#include <QString>
#include <QStringList>
#include <functional>

class MDIForm1;

namespace wb::ui {
class FlexGrid;
}

namespace wbtest {

// Runs every command of the main window's menu bar with that control name, as a click on it does.
void runMenu(const char* name);

// Runs the menu command, then gives the window it shows.
template <class T> T& openFromMenu(const char* name) {
    runMenu(name);
    return wb::ui::Forms::get<T>();
}

// A Find of the window answered as a register's grid pick answers it: the Find button is clicked
// (the register opens as the window's pick list), `write` puts the pick variables as the register
// writes them, the register hands them back and closes, and the window becomes active again.
template <class Register, class W>
void answerFind(W& w, QAbstractButton* find, const std::function<void()>& write) {
    find->click();
    Register* r = wb::ui::Forms::loaded<Register>();
    ASSERT_NE(r, nullptr) << "the Find opened no pick list";
    write();
    wb::common::picks::answer(r);
    r->unload();
    w.Form_Activate();
}

// The texts of one column of a grid, from row 1 (below the header) down.
QStringList gridColumn(const wb::ui::FlexGrid& grid, int col);

// The first row below the header whose cell in that column holds the text, or -1.
int gridRow(const wb::ui::FlexGrid& grid, int col, const QString& text);

// The text of the report the viewer window shows, as a PDF reader reads it; a failure of the test
// when the viewer shows nothing.
QString viewerReportText();

// A test case per engine with the shared connection open as ADMIN and the main window loaded.
// Message boxes are answered by `messages`.
class MainWindowTest : public EngineTest {
protected:
    void SetUp() override;
    // Sets the public variables the main window reads as it loads; the connection is open by then.
    virtual void beforeMainWindow() {}
    ScriptedMessages messages;
};

// A register window's test case: the main window at hand as `main`, and the window's grid (its
// Msh) read by column and searched by text.
class RegisterTest : public MainWindowTest {
protected:
    void SetUp() override;
    template <class W> static QStringList column(W& w, int col) { return gridColumn(*w.Msh, col); }
    template <class W> static int rowOf(W& w, int col, const QString& text) {
        return gridRow(*w.Msh, col, text);
    }
    MDIForm1* main = nullptr;
};

// A register that prints: the program's own report templates, and printing from the window.
class PrintingRegisterTest : public RegisterTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Prints from the window and reads the report the viewer shows as a PDF reader does.
    template <class W> static QString print(W& w) {
        w.cmdPrint_Click();
        return viewerReportText();
    }
};

} // namespace wbtest
