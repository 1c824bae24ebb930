#include "inpatient/frm_Operation.h"
#include "shell/MDIForm1.h"
#include "shell/frmBack.h"
#include "shell/frm_Designed.h"
#include "shell/geometrycheck.h"
#include "shell/menucommands.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace wb;
using wb::shell::MenuEntry;

namespace {

// Rows as a front desk has them, so that every grid shows typical values (names, dates, amounts).
void fillTypicalRows() {
    Connection& con = *Module1::Con;
    const QDate day(2026, 12, 9);
    con.Execute(QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Card_no, Pat_name, Tel_no, "
                               "Fat_name, Sex, Pat_date, Addr) values (1, 'PAT-1', '4411', 'SANA TARIQ', "
                               "'0300 1234567', 'TARIQ MEHMOOD', 'F', ?, 'HOUSE 5, STREET 9')"),
                {day});
    con.Execute(QStringLiteral("insert into doc (Row_no, doc_code, doc_name, doc_des, doc_tel, doc_degree, "
                               "Status) values (1, 'DOC-1', 'DR. AMJAD ALI', 'SURGEON', '0300 7654321', "
                               "'MBBS, FCPS', 'Doctor'), (2, 'DOC-2', 'STATE LIFE', 'PANEL', '042 111', "
                               "'', 'Panel')"));
    con.Execute(QStringLiteral("insert into Services (S_name, S_code) values ('LABORATORY', 'CAT-')"));
    con.Execute(QStringLiteral("insert into Rate_List (Row_no, S_code, Cata, Rate, Status) "
                               "values (1, 1, 'COMPLETE BLOOD COUNT', 350, 'Rountine')"));
    con.Execute(QStringLiteral("insert into Employees (Row_no, Emp_no, Emp_name, Designation, Relation) "
                               "values (1, 'E-104', 'NASIR AHMED', 'CLERK', 'Self')"));
    con.Execute(QStringLiteral("insert into Addmission (Row_no, Ipd_code, Reg_no, admdate, Pat_row_id, Age, "
                               "Yr, Tel_no, Room_no, consultant, duty_doc, reff_doc, Shift) values (1, "
                               "'IPD-17', '17', ?, 1, 34, 'Y', '0300 1234567', '12', 1, 1, 1, 'M')"),
                {day});
    con.Execute(QStringLiteral("insert into SLIPS_MASTER (Row_no, Slip_code, Slip_date, User_Name, Shift, "
                               "p_name, Age, Yr, Sex, tele, opd_doc, r_doc, status, amount, discount, "
                               "n_amou, Cash_rece, Bal) values (1, '88', ?, 'ADMIN', 'M', 'SANA TARIQ', "
                               "34, 'Y', 'F', '0300 1234567', 1, 1, 'OPD', 350, 0, 350, 350, 0)"),
                {day});
    con.Execute(QStringLiteral("insert into SLIP_DETAIL (Row_no, Line_no, slip_date, service, rate_list, "
                               "test_rate) values (1, 1, ?, 1, 1, 350)"),
                {day});
}

// The client areas the windows are designed at, in twips, where no command sets their size.
const QHash<QString, QSize> DesignedClient = {{QStringLiteral("frmRPTAccounts"), {11730, 8460}},
                                              {QStringLiteral("frm_Add_Search"), {8955, 5805}}};

class GeometryTest : public wbtest::RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        if (IsSkipped())
            return;
        fillTypicalRows();
        main->showNormal();
        main->setGeometry(0, 0, 1600, 1000);
        QApplication::setActiveWindow(main);
        settle();
    }
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    static ui::Form* activeForm() {
        QMdiSubWindow* sub = ui::Forms::mdiArea()->activeSubWindow();
        return sub ? qobject_cast<ui::Form*>(sub->widget()) : nullptr;
    }

    // Every page of the window, with every frame it can show (the IPD frame, the employee frame of a
    // panel referrer, ...), checked as it is shown; then the pick lists its Finds open.
    void checkWindow(const QString& how, ui::Form& form, QStringList& faults, bool picks) {
        for (QGroupBox* frame : form.findChildren<QGroupBox*>())
            frame->show();
        settle();
        const QString where = how + u' ' + form.objectName() + u' ';
        const auto check = [&](ui::Form& f) {
            for (const QString& fault : shell::geometryFaults(f))
                faults << where + fault;
            const QSize designed = DesignedClient.value(f.objectName());
            if (designed.isValid() && !f.subWindow()->isMaximized() &&
                f.size() != QSize(ui::twipsToPixels(designed.width()), ui::twipsToPixels(designed.height())))
                faults << where + QStringLiteral("%1 opens at %2x%3 twips, designed %4x%5")
                                      .arg(f.objectName())
                                      .arg(ui::pixelsToTwips(f.width()))
                                      .arg(ui::pixelsToTwips(f.height()))
                                      .arg(designed.width())
                                      .arg(designed.height());
        };
        const auto pages = form.findChildren<QTabWidget*>();
        if (pages.isEmpty())
            check(form);
        for (QTabWidget* tabs : pages) {
            for (int i = 0; i < tabs->count(); ++i) {
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
                settle();
                check(form);
            }
        }
        if (!picks)
            return;
        // The pick lists, as its Find buttons open them.
        for (QTabWidget* tabs : pages) {
            for (int i = 0; i < tabs->count(); ++i) {
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
                settle();
                for (QPushButton* find : form.findChildren<QPushButton*>()) {
                    if (!find->isVisible() || !find->isEnabled() ||
                        !find->objectName().contains(QLatin1String("find"), Qt::CaseInsensitive))
                        continue;
                    QTest::mouseClick(find, Qt::LeftButton);
                    settle();
                    ui::Form* pick = activeForm();
                    if (!pick || pick == &form)
                        continue;
                    check(*pick);
                    if (pick->subWindow()->isMaximized()) {
                        // Restored, it stands where its caller placed it, whole.
                        pick->subWindow()->showNormal();
                        settle();
                        check(*pick);
                    }
                    pick->subWindow()->close();
                    settle();
                }
            }
        }
    }

    // Opens the window of every enabled menu command as a click on it does, at the geometry the
    // command gives it or maximised, and checks it and its pick lists; then closes it.
    QStringList checkEveryWindow(bool maximised) {
        QStringList faults;
        int opened = 0;
        for (const MenuEntry& e : shell::menuEntries()) {
            QAction* action = main->menuControl(e.name);
            if (e.kind != MenuEntry::Command || !action->isEnabled())
                continue;
            action->trigger();
            settle();
            ui::Form* form = activeForm();
            if (!form) {
                faults << e.caption + QStringLiteral(" opened no window");
                continue;
            }
            if (maximised)
                form->subWindow()->showMaximized();
            settle();
            checkWindow((maximised ? QStringLiteral("maximised") : QStringLiteral("designed")), *form, faults,
                        true);
            for (ui::Form* f : ui::Forms::all())
                if (f != main && !qobject_cast<frmBack*>(f))
                    f->unload();
            settle();
            ++opened;
        }
        EXPECT_GE(opened, 14);
        // The windows no menu command opens: the operation screen and the credits.
        for (ui::Form* form : {static_cast<ui::Form*>(&ui::Forms::get<frm_Operation>()),
                               static_cast<ui::Form*>(&ui::Forms::get<frm_Designed>())}) {
            form->Show();
            if (maximised)
                form->subWindow()->showMaximized();
            settle();
            checkWindow((maximised ? QStringLiteral("maximised") : QStringLiteral("designed")), *form, faults,
                        false);
            form->unload();
            settle();
        }
        return faults;
    }
};

TEST_P(GeometryTest, EveryWindowShowsItsControlsWholeAtItsDesignedSizeAndMaximised) {
    QStringList faults = checkEveryWindow(false);
    faults += checkEveryWindow(true);
    faults.removeDuplicates();
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n" << faults.join(u'\n').toStdString();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, GeometryTest, ::testing::Values(wb::Engine::Sqlite), wbtest::engineName);

} // namespace
