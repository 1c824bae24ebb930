#include "common/picker.h"
#include "data/schema.h"
#include "registers/frm_Employee.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/binding.h"
#include "ui/flexgrid.h"
#include "ui_frm_Employee.h"

#include <QAction>
#include <QApplication>
#include <QTest>

using namespace wb;

namespace {

class EmployeeRegisterTest : public wbtest::PrintingRegisterTest {
protected:
    frm_Employee& open() { return wbtest::openFromMenu<frm_Employee>("mnu_Emp"); }
    void enter(frm_Employee& w, const QString& number, const QString& name, const QString& desig = {},
               const QString& relation = QStringLiteral("Self")) {
        w.ui()->txt_Emp_No->setText(number);
        w.ui()->txt_Emp_Nm->setText(name);
        w.ui()->txt_Desig->setText(desig);
        w.ui()->cmb_Relation->setCurrentText(relation);
        w.cmdSave_Click();
    }
    int count() { return Module1::Con->scalar(QStringLiteral("select count(*) from Employees")).toInt(); }
};

TEST_P(EmployeeRegisterTest, BoxesAreBoundedByTheirColumnsSoAFullLengthEntrySaves) {
    auto& w = open();
    const Table* t = Schema::table(QStringLiteral("Employees"));
    ASSERT_NE(t, nullptr);
    for (QLineEdit* b : ui::boundBoxes(&w, QStringLiteral("M"))) {
        const Column* c = t->column(ui::dataField(b));
        ASSERT_NE(c, nullptr) << b->objectName().toStdString();
        if (c->type == ColType::Text) {
            EXPECT_LE(b->maxLength(), c->size) << b->objectName().toStdString();
        }
    }
    QTest::keyClicks(w.ui()->txt_Emp_Nm, QString(200, u'n'));
    QTest::keyClicks(w.ui()->txt_Desig, QString(200, u'd'));
    QTest::keyClicks(w.ui()->txt_Emp_No, QString(200, u'7'));
    w.cmdSave_Click();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(count(), 1);
}

TEST_P(EmployeeRegisterTest, SaveGivesKeysNullsAndTheRelationAndAPickedRowIsOverwritten) {
    auto& w = open();
    enter(w, QString(), QStringLiteral("O'NEIL"), QString(), QStringLiteral("Wife"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_Emp_Nm->text().isEmpty());
    EXPECT_EQ(w.ui()->cmb_Relation->currentText(), QStringLiteral("Wife")); // kept by the clearing

    Module1::OpenRs(QStringLiteral("select * from Employees"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 1);
    EXPECT_EQ(Module1::Rs->Fields(QStringLiteral("Row_no")).toInt(), 1);
    EXPECT_TRUE(Module1::Rs->Fields(QStringLiteral("Emp_no")).isNull());
    EXPECT_TRUE(Module1::Rs->Fields(QStringLiteral("Designation")).isNull());
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Emp_name")), QStringLiteral("O'NEIL"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Relation")), QStringLiteral("Wife"));

    enter(w, QStringLiteral("E-2"), QStringLiteral("BASHIR"), QStringLiteral("CLERK"));
    EXPECT_EQ(
        Module1::Con->scalar(QStringLiteral("select Row_no from Employees where Emp_no = 'E-2'")).toInt(), 2);

    // A pick opens the row on the entry page; the save overwrites it.
    w.ui()->cmb_Relation->setCurrentText(QStringLiteral("Self"));
    w.SSTab1->setCurrentIndex(1);
    w.Msh->setRow(2); // O'NEIL, after BASHIR in name order
    w.Msh_DblClick();
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QStringLiteral("1"));
    EXPECT_EQ(w.ui()->txt_Emp_Nm->text(), QStringLiteral("O'NEIL"));
    EXPECT_EQ(w.ui()->cmb_Relation->currentText(), QStringLiteral("Wife"));
    w.ui()->txt_Desig->setText(QStringLiteral("NURSE"));
    w.ui()->cmb_Relation->setCurrentText(QStringLiteral("Mother"));
    w.cmdSave_Click();
    EXPECT_EQ(count(), 2);
    Module1::OpenRs(QStringLiteral("select * from Employees where Row_no = 1"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Designation")), QStringLiteral("NURSE"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Relation")), QStringLiteral("Mother"));
}

TEST_P(EmployeeRegisterTest, SaveRefusesANewNumberTakenWhateverItsBlanks) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    // Typed blanks are dropped and letters upper-cased; Enter stays in the box.
    w.ui()->txt_Emp_No->setFocus();
    QTest::keyClicks(w.ui()->txt_Emp_No, QStringLiteral("a 1 2"));
    QTest::keyClick(w.ui()->txt_Emp_No, Qt::Key_Return);
    EXPECT_EQ(w.ui()->txt_Emp_No->text(), QStringLiteral("A12"));
    EXPECT_TRUE(w.ui()->txt_Emp_No->hasFocus());
    w.ui()->txt_Emp_Nm->setText(QStringLiteral("FIRST"));
    w.cmdSave_Click();
    // A number kept with blanks (written by an earlier version or another program).
    Module1::Con->Execute(QStringLiteral(
        "insert into Employees (Row_no, Emp_no, Emp_name, Relation) values (9, 'B 7', 'OLD', 'Self')"));
    ASSERT_EQ(count(), 2);

    const QStringList taken = {QStringLiteral("A 12"), QStringLiteral(" A12 "), QStringLiteral("a12"),
                               QStringLiteral("B7"), QStringLiteral("B  7")};
    for (const QString& number : taken) {
        messages.clear();
        enter(w, number, QStringLiteral("SECOND"));
        ASSERT_EQ(messages.shown().size(), 1) << number.toStdString();
        EXPECT_EQ(messages.last().text, QStringLiteral("Employee No. Already exitis in Employees"));
        EXPECT_EQ(messages.last().style, ui::vbInformation);
        EXPECT_TRUE(w.ui()->txt_Emp_No->hasFocus());
        EXPECT_EQ(w.ui()->txt_Emp_Nm->text(), QStringLiteral("SECOND")); // nothing typed is lost
        EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    }
    EXPECT_EQ(count(), 2);

    // Other numbers (a quote included) and no number at all are saved.
    messages.clear();
    enter(w, QStringLiteral("A1'2"), QStringLiteral("THIRD"));
    enter(w, QStringLiteral("A123"), QStringLiteral("FOURTH"));
    enter(w, QString(), QStringLiteral("FIFTH"));
    enter(w, QString(), QStringLiteral("SIXTH"));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(count(), 6);

    // A correction may take another employee's number.
    w.FillGird(QString());
    const int fourth = column(w, 2).indexOf(QStringLiteral("FOURTH")) + 1;
    w.Msh->setRow(fourth);
    w.Msh_DblClick();
    w.ui()->txt_Emp_No->setText(QStringLiteral("A12"));
    w.cmdSave_Click();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(
        Module1::Con->scalar(QStringLiteral("select count(*) from Employees where Emp_no = 'A12'")).toInt(),
        2);
}

TEST_P(EmployeeRegisterTest, SearchFiltersByNameOrCodeInNameOrderAsTheUserTypes) {
    auto& w = open();
    enter(w, QStringLiteral("E30"), QStringLiteral("ZAHID"), QStringLiteral("GUARD"));
    enter(w, QStringLiteral("E10"), QStringLiteral("AKRAM"), QStringLiteral("CLERK"),
          QStringLiteral("Father"));
    enter(w, QStringLiteral("X31"), QStringLiteral("MARIA 100%"), QStringLiteral("NURSE"));
    EXPECT_EQ(column(w, 2), (QStringList{"AKRAM", "MARIA 100%", "ZAHID"}));
    EXPECT_EQ(column(w, 4), (QStringList{"Father", "Self", "Self"}));
    EXPECT_TRUE(w.Msh->isColumnHidden(0));

    QApplication::setActiveWindow(main);
    w.SSTab1->setCurrentIndex(1);
    w.ui()->txt_s_value->setFocus();
    QTest::keyClicks(w.ui()->txt_s_value, QStringLiteral("a"));
    EXPECT_EQ(w.ui()->txt_s_value->text(), QStringLiteral("A")); // upper-cased as typed
    EXPECT_EQ(column(w, 2), (QStringList{"AKRAM", "MARIA 100%", "ZAHID"}));
    QTest::keyClicks(w.ui()->txt_s_value, QStringLiteral("r"));
    EXPECT_EQ(column(w, 2), QStringList{"MARIA 100%"});
    w.ui()->txt_s_value->setText(QStringLiteral("%"));
    EXPECT_EQ(column(w, 2), QStringList{"MARIA 100%"}); // a percent sign is searched as typed
    w.ui()->txt_s_value->setText(QStringLiteral("'"));
    EXPECT_EQ(w.Msh->Rows(), 2); // a quote finds nothing and breaks nothing

    // Another criterion waits for the next change of the text.
    w.ui()->txt_s_value->setText(QStringLiteral("1"));
    EXPECT_EQ(column(w, 2), QStringList{"MARIA 100%"});
    w.ui()->cmb_s_cri->setCurrentIndex(1); // Employee Code
    EXPECT_EQ(column(w, 2), QStringList{"MARIA 100%"});
    w.ui()->txt_s_value->setText(QStringLiteral("E"));
    w.ui()->txt_s_value->setText(QStringLiteral("1"));
    EXPECT_EQ(column(w, 2), (QStringList{"AKRAM", "MARIA 100%"}));

    // Up or Down in the search box goes to the grid.
    w.ui()->txt_s_value->setFocus();
    QTest::keyClick(w.ui()->txt_s_value, Qt::Key_Down);
    EXPECT_TRUE(w.Msh->hasFocus());

    // Nothing found: the empty grid, whose row picks nothing.
    w.ui()->txt_s_value->setText(QStringLiteral("NONE"));
    EXPECT_EQ(w.Msh->Rows(), 2);
    w.Msh->setRow(1);
    w.Msh_DblClick();
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_EQ(w.SSTab1->currentIndex(), 1);
    EXPECT_TRUE(Module1::SelEmpNo.isEmpty());

    // A save lists every employee again, whatever the search text.
    enter(w, QString(), QStringLiteral("BILAL"));
    EXPECT_EQ(w.ui()->txt_s_value->text(), QStringLiteral("NONE"));
    EXPECT_EQ(column(w, 2), (QStringList{"AKRAM", "BILAL", "MARIA 100%", "ZAHID"}));
}

TEST_P(EmployeeRegisterTest, PickHandsBackNumberNameAndDesignation) {
    auto& w = open();
    enter(w, QStringLiteral("E7"), QStringLiteral("SAJID"), QStringLiteral("CLERK"),
          QStringLiteral("Brother"));
    enter(w, QString(), QStringLiteral("TAHIR"));
    w.unload();

    // Borrowed by the slip screen: Enter in the grid hands the employee back and closes the register.
    auto& reg = common::openPicker<frm_Employee>({.unloadFirst = true, .top = 300, .left = 500});
    EXPECT_EQ(reg.SSTab1->currentIndex(), 1);
    reg.Msh->setRow(1);
    reg.Msh->setFocus();
    QTest::keyClick(reg.Msh, Qt::Key_Return);
    EXPECT_EQ(ui::Forms::loaded<frm_Employee>(), nullptr);
    EXPECT_FALSE(Module1::PickMode); // its unload clears the flag
    EXPECT_EQ(Module1::SelEmpNo, QStringLiteral("E7"));
    EXPECT_EQ(Module1::SelEmpName, QStringLiteral("SAJID"));
    EXPECT_EQ(Module1::SelEmpDesig, QStringLiteral("CLERK"));

    // Opened from the menu, a double-click writes the values too but opens the row for editing.
    Module1::ResetVariables();
    auto& editing = open();
    QApplication::setActiveWindow(main);
    editing.SSTab1->setCurrentIndex(1);
    editing.Msh->setRow(2);
    editing.cmdSave->setText(QStringLiteral("&Update"));
    QTest::mouseDClick(editing.Msh->viewport(), Qt::LeftButton, {},
                       editing.Msh->visualRect(editing.Msh->model()->index(1, 2)).center());
    ASSERT_NE(ui::Forms::loaded<frm_Employee>(), nullptr);
    EXPECT_TRUE(Module1::SelEmpNo.isEmpty()); // TAHIR has no number
    EXPECT_EQ(Module1::SelEmpName, QStringLiteral("TAHIR"));
    EXPECT_EQ(editing.ui()->txt_Emp_Nm->text(), QStringLiteral("TAHIR"));
    EXPECT_EQ(editing.SSTab1->currentIndex(), 0);
    EXPECT_EQ(editing.cmdSave->text(), QStringLiteral("&Save"));
    EXPECT_TRUE(editing.ui()->txt_Emp_Nm->hasFocus());
}

TEST_P(EmployeeRegisterTest, PrintsTheOpenEmployeeOrEveryEmployee) {
    auto& w = open();
    enter(w, QStringLiteral("E-1"), QStringLiteral("SAJID"), QStringLiteral("CLERK"),
          QStringLiteral("Brother"));
    enter(w, QStringLiteral("E-2"), QStringLiteral("O'NEIL"), QStringLiteral("NURSE"));
    const QString all = print(w); // nothing open: every employee
    EXPECT_TRUE(all.contains(QStringLiteral("SAJID"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("O'NEIL")));
    EXPECT_TRUE(all.contains(QStringLiteral("Employees: 2")));

    w.Msh->setRow(2); // SAJID, after O'NEIL in name order
    w.Msh_DblClick();
    const QString one = print(w);
    for (const char* shown : {"E-1", "SAJID", "CLERK", "Brother", "Employees: 1"})
        EXPECT_TRUE(one.contains(QString::fromLatin1(shown))) << shown << "\n" << one.toStdString();
    EXPECT_FALSE(one.contains(QStringLiteral("O'NEIL")));
}

TEST_P(EmployeeRegisterTest, MenuOpensItFreshAndPlacedAndClosingEndsPickModeAndReappliesRights) {
    Module1::UserRowNo = 7;
    Module1::Con->Execute(QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values "
                                         "(7, 'Employees', '0'), (7, 'Patient', '1')"));
    auto& w = open();
    EXPECT_NEAR(w.widthTw(), 8670, 15);
    EXPECT_NEAR(w.heightTw(), 4770, 15);
    EXPECT_NEAR(w.topTw(), 1500, 15);
    EXPECT_NEAR(w.leftTw(), 3300, 15);
    EXPECT_EQ(w.ui()->cmb_Relation->currentText(), QStringLiteral("Self"));
    EXPECT_EQ(w.Msh->Rows(), 2); // the empty table's empty grid
    w.ui()->txt_Emp_Nm->setText(QStringLiteral("TYPED"));
    QAction* menu = main->menuControl(QStringLiteral("mnu_Emp"));
    EXPECT_TRUE(menu->isVisible());
    auto& again = open(); // unload first: what was typed is gone
    EXPECT_TRUE(again.ui()->txt_Emp_Nm->text().isEmpty());
    EXPECT_FALSE(menu->isVisible()); // the unload applied the rights
    menu->setVisible(true);

    Module1::PickMode = true;
    again.cmdExit_Click();
    EXPECT_EQ(ui::Forms::loaded<frm_Employee>(), nullptr);
    EXPECT_FALSE(Module1::PickMode);
    EXPECT_FALSE(menu->isVisible());
}

WB_ENGINES(EmployeeRegisterTest);

} // namespace
