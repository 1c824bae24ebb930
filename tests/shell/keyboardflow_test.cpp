#include "registers/frm_patient_detail.h"
#include "shell/MDIForm1.h"
#include "shell/menucommands.h"
#include "shell/module1.h"
#include "support/datepicker.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_frm_patient_detail.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <functional>

using namespace wb;
using wb::shell::MenuEntry;

namespace {

bool focusIsIn(const QWidget* w) {
    QWidget* f = QApplication::focusWidget();
    return f && (f == w || w->isAncestorOf(f));
}

QString focusName() {
    QWidget* f = QApplication::focusWidget();
    return f ? f->objectName() + QStringLiteral(" (") + f->metaObject()->className() + u')'
             : QStringLiteral("none");
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

// Shows the tab page that holds the control.
void bringForward(QWidget* w) {
    for (QWidget* page = w; page && page->parentWidget(); page = page->parentWidget())
        if (auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget()))
            if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
                tabs->setCurrentWidget(page);
}

class KeyboardFlowTest : public wbtest::RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        if (IsSkipped())
            return;
        QApplication::setActiveWindow(main);
    }
    // Opens the window of every enabled menu command, as a click on the command does, and hands it
    // to `check` while it is open; then closes it with its close box.
    void forEveryWindow(const std::function<void(const MenuEntry&, ui::Form&)>& check) {
        int opened = 0;
        for (const MenuEntry& e : shell::menuEntries()) {
            QAction* action = main->menuControl(e.name);
            if (e.kind != MenuEntry::Command || !action->isEnabled())
                continue;
            action->trigger();
            QMdiSubWindow* sub = ui::Forms::mdiArea()->activeSubWindow();
            auto* form = sub ? qobject_cast<ui::Form*>(sub->widget()) : nullptr;
            ASSERT_NE(form, nullptr) << e.caption.toStdString();
            check(e, *form);
            sub->close();
            ++opened;
        }
        EXPECT_GE(opened, 10);
        EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    }
};

TEST_P(KeyboardFlowTest, EveryWindowOpensWithTheFocusInItsFirstEntryBox) {
    const QHash<QString, QString> named = {{"mnu_Pat_Reg", "txt_pat_name"}, {"MNU_panel", "txt_panel_name"},
                                           {"mnu_Ser_Reg", "txt_Ser_Name"}, {"mun_Doc_Reg", "txt_Name"},
                                           {"mnu_Emp", "txt_Emp_Nm"},       {"MNU_shift", "txt_shift"},
                                           {"mnu_Com_Inf", "txtCompany"},   {"mnuAddUser", "txt_User_Nm"}};
    forEveryWindow([&](const MenuEntry& e, ui::Form& form) {
        EXPECT_TRUE(focusIsIn(&form))
            << e.caption.toStdString() << ": focus on " << focusName().toStdString();
        if (named.contains(e.name) && QApplication::focusWidget()) {
            EXPECT_EQ(QApplication::focusWidget()->objectName(), named.value(e.name))
                << e.caption.toStdString();
        }
    });
    // Opened again over another window, the panel register takes typed text at once.
    main->menuControl(QStringLiteral("mnu_Ser_Reg"))->trigger();
    main->menuControl(QStringLiteral("MNU_panel"))->trigger();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("state life"));
    EXPECT_EQ(QApplication::focusWidget()->property("text").toString(), QStringLiteral("STATE LIFE"));
}

TEST_P(KeyboardFlowTest, TabAndShiftTabLeaveEveryDateBoxFromAnyOfItsParts) {
    int boxes = 0;
    forEveryWindow([&](const MenuEntry& e, ui::Form& form) {
        for (QDateTimeEdit* date : form.findChildren<QDateTimeEdit*>()) {
            bringForward(date);
            if (!date->isVisible() || !date->isEnabled())
                continue;
            ++boxes;
            const std::string where = (e.caption + u' ' + date->objectName()).toStdString();
            date->setFocus();
            date->setCurrentSectionIndex(0); // the first part: Tab used to walk the parts first
            press(Qt::Key_Tab);
            QWidget* next = QApplication::focusWidget();
            EXPECT_FALSE(focusIsIn(date)) << where << ": Tab stayed in the box";
            EXPECT_TRUE(focusIsIn(&form)) << where;
            press(Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_TRUE(focusIsIn(date)) << where << ": Shift+Tab from " << next->objectName().toStdString();

            date->setCurrentSectionIndex(date->sectionCount() - 1);
            press(Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_FALSE(focusIsIn(date)) << where << ": Shift+Tab stayed in the box";
            EXPECT_TRUE(focusIsIn(&form)) << where;
            press(Qt::Key_Tab);
            EXPECT_TRUE(focusIsIn(date)) << where << ": Tab back";
        }
    });
    EXPECT_GE(boxes, 1);
}

// A click into any date box selects the part under the mouse: the digits typed fill the parts.
TEST_P(KeyboardFlowTest, DigitsTypedAfterAClickFillEveryDateBox) {
    int boxes = 0;
    const QDate typed(2026, 11, 30);
    forEveryWindow([&](const MenuEntry& e, ui::Form& form) {
        for (QDateEdit* date : form.findChildren<QDateEdit*>()) {
            bringForward(date);
            if (!date->isVisible() || !date->isEnabled())
                continue;
            ++boxes;
            const std::string where = (e.caption + u' ' + date->objectName()).toStdString();
            date->setDate(QDate(2009, 6, 24));
            wbtest::clickCharacter(date, 0);
            ASSERT_TRUE(focusIsIn(date)) << where;
            QTest::keyClicks(
                QApplication::focusWidget(),
                typed.toString(date->displayFormat()).remove(QRegularExpression(QStringLiteral("\\D"))));
            EXPECT_EQ(date->date(), typed) << where;
        }
    });
    EXPECT_GE(boxes, 10);
}

TEST_P(KeyboardFlowTest, TabAndShiftTabLeaveEveryGrid) {
    int grids = 0;
    forEveryWindow([&](const MenuEntry& e, ui::Form& form) {
        for (ui::FlexGrid* grid : form.findChildren<ui::FlexGrid*>()) {
            bringForward(grid);
            if (!grid->isVisible() || !grid->isEnabled() || grid->focusPolicy() == Qt::NoFocus)
                continue;
            ++grids;
            const std::string where = (e.caption + u' ' + grid->objectName()).toStdString();
            grid->setFocus(); // a click would pick a row in some grids
            ASSERT_TRUE(grid->hasFocus()) << where << ": focus on " << focusName().toStdString();
            press(Qt::Key_Tab);
            EXPECT_FALSE(grid->hasFocus()) << where << ": Tab stayed in the grid";
            EXPECT_TRUE(focusIsIn(&form)) << where;
            press(Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_TRUE(grid->hasFocus()) << where << ": Shift+Tab back";
            press(Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_FALSE(grid->hasFocus()) << where << ": Shift+Tab stayed in the grid";
        }
    });
    EXPECT_GE(grids, 5);
}

TEST_P(KeyboardFlowTest, APatientTypedBoxByBoxIsStoredAsTyped) {
    main->menuControl(QStringLiteral("mnu_Pat_Reg"))->trigger();
    auto& w = ui::Forms::get<frm_patient_detail>();
    ASSERT_TRUE(w.ui()->txt_pat_name->hasFocus()) << focusName().toStdString();

    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ahmed khan"));
    press(Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("rashid khan"));
    press(Qt::Key_Return);
    EXPECT_TRUE(focusIsIn(w.ui()->cmb_sex));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("f"));
    press(Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0300 1234567"));
    press(Qt::Key_Return);
    ASSERT_TRUE(focusIsIn(w.ui()->DTPicker1)) << focusName().toStdString();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("15032024"));
    press(Qt::Key_Tab);
    ASSERT_TRUE(w.ui()->txt_Add->hasFocus()) << focusName().toStdString();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("house 5, street 9"));
    press(Qt::Key_S, Qt::AltModifier);
    // The shortcut presses the button as a click does (its press shows first, then it fires).
    for (int i = 0; i < 100 && !w.ui()->txt_Add->text().isEmpty() && messages.shown().isEmpty(); ++i)
        QTest::qWait(20);

    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    Module1::OpenRs(QStringLiteral("select * from Patient_Slips"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 1);
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Pat_name")), QStringLiteral("AHMED KHAN"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Fat_name")), QStringLiteral("RASHID KHAN"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Sex")), QStringLiteral("F"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Tel_no")), QStringLiteral("0300 1234567"));
    EXPECT_EQ(Module1::Rs->Fields(QStringLiteral("Pat_date")).toDate(), QDate(2024, 3, 15));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Addr")), QStringLiteral("HOUSE 5, STREET 9"));
    EXPECT_TRUE(w.ui()->txt_pat_name->text().isEmpty()); // cleared for the next patient
}

WB_ENGINES(KeyboardFlowTest);

} // namespace
