#include "registers/frm_Employee.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_Shift.h"
#include "registers/frm_patient_detail.h"
#include "shell/Frm_User.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_Frm_User.h"
#include "ui_frm_Employee.h"
#include "ui_frm_Rate_List.h"
#include "ui_frm_Shift.h"
#include "ui_frm_patient_detail.h"

#include <QTest>

using namespace wb;

namespace {

// Rows another desk wrote with some values missing, picked after a row that has them all: nothing
// of the first row may stay on screen or be saved into the second.
class StaleValuesTest : public wbtest::RegisterTest {
protected:
    void exec(const QString& sql, const QVariantList& params = {}) { Module1::Con->Execute(sql, params); }
    QVariant value(const QString& sql) { return Module1::Con->scalar(sql); }
    template <class W> void pick(W& w, int col, const QString& text) {
        const int r = wbtest::gridRow(*w.Msh, col, text);
        ASSERT_GT(r, 0) << text.toStdString();
        w.Msh->setRow(r);
        w.Msh_DblClick();
    }
};

TEST_P(StaleValuesTest, APickResetsTheRelationTheStatusAndTheDateItLoads) {
    exec(QStringLiteral(
        "insert into Employees (Row_No, Emp_No, Emp_Name, Relation) values (1, 'E1', 'WITH', 'Wife')"));
    exec(QStringLiteral("insert into Employees (Row_No, Emp_No, Emp_Name) values (2, 'E2', 'WITHOUT')"));
    auto& emp = wbtest::openFromMenu<frm_Employee>("mnu_Emp");
    pick(emp, 2, QStringLiteral("WITH"));
    EXPECT_EQ(emp.ui()->cmb_Relation->currentText(), QStringLiteral("Wife"));
    pick(emp, 2, QStringLiteral("WITHOUT"));
    EXPECT_NE(emp.ui()->cmb_Relation->currentText(), QStringLiteral("Wife"));
    emp.cmdSave_Click();
    EXPECT_NE(value(QStringLiteral("select Relation from Employees where Row_No = 2")).toString(),
              QStringLiteral("Wife"));

    exec(QStringLiteral("insert into Services (S_name, S_code) values ('LAB', 'CAT-')"));
    exec(QStringLiteral(
        "insert into Rate_List (S_code, Cata, Rate, Status) values (1, 'SPECIAL TEST', 10, 'Special')"));
    exec(QStringLiteral("insert into Rate_List (S_code, Cata, Rate) values (1, 'PLAIN TEST', 20)"));
    auto& rates = wbtest::openFromMenu<frm_Rate_List>("mnu_Rate_Reg");
    pick(rates, 2, QStringLiteral("SPECIAL TEST"));
    EXPECT_EQ(rates.ui()->cmb_status->currentText(), QStringLiteral("Special"));
    pick(rates, 2, QStringLiteral("PLAIN TEST"));
    EXPECT_NE(rates.ui()->cmb_status->currentText(), QStringLiteral("Special"));
    EXPECT_EQ(rates.ui()->data_cmbo_ser_name->currentText(), QStringLiteral("LAB")); // the head stays
    rates.cmdSave_Click();
    EXPECT_NE(value(QStringLiteral("select Status from Rate_List where Cata = 'PLAIN TEST'")).toString(),
              QStringLiteral("Special"));

    exec(QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Pat_date) values "
                        "(1, 'PAT-1', 'DATED', 'F', ?)"),
         {QDate(2020, 1, 2)});
    exec(QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) values (2, 'PAT-2', "
                        "'UNDATED', 'F')"));
    auto& patients = wbtest::openFromMenu<frm_patient_detail>("mnu_Pat_Reg");
    pick(patients, 3, QStringLiteral("DATED"));
    EXPECT_EQ(patients.ui()->DTPicker1->date(), QDate(2020, 1, 2));
    pick(patients, 3, QStringLiteral("UNDATED"));
    EXPECT_NE(patients.ui()->DTPicker1->date(), QDate(2020, 1, 2));
    patients.cmdSave_Click();
    EXPECT_NE(value(QStringLiteral("select Pat_date from Patient_Slips where Row_no = 2")).toDate(),
              QDate(2020, 1, 2));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

TEST_P(StaleValuesTest, ATestUnderAHeadDeletedMeanwhileIsRefusedAndNothingIsWritten) {
    exec(QStringLiteral("insert into Services (S_name, S_code) values ('GONE HEAD', 'CAT-')"));
    auto& rates = wbtest::openFromMenu<frm_Rate_List>("mnu_Rate_Reg");
    db->connect()->Execute(QStringLiteral("delete from Services"));
    rates.ui()->txt_Test->setText(QStringLiteral("ORPHAN"));
    rates.ui()->txt_Rate->setText(QStringLiteral("5"));
    rates.cmdSave->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("The service head \"GONE HEAD\" no longer exists: another desk "
                             "has deleted it. Nothing was saved."));
    EXPECT_EQ(value(QStringLiteral("select count(*) from Rate_List")).toInt(), 0);
    EXPECT_EQ(rates.ui()->txt_Test->text(), QStringLiteral("ORPHAN")); // nothing typed is lost
}

TEST_P(StaleValuesTest, TheShiftSaysSavedBeforeItClearsTheBoxes) {
    auto& w = wbtest::openFromMenu<frm_Shift>("MNU_shift");
    QString nameWhenTold;
    ui::setMsgResponder([&](const ui::MsgRecord& r) {
        if (r.text == QLatin1String("Sucessfully save your information"))
            nameWhenTold = w.ui()->txt_shift->text();
        return int(ui::vbOK);
    });
    w.ui()->txt_shift->setText(QStringLiteral("MORNING"));
    QTest::keyClicks(w.ui()->msk_from_time, QStringLiteral("0800"));
    QTest::keyClicks(w.ui()->msk_to_time, QStringLiteral("1400"));
    w.ui()->cmdSave->click();
    EXPECT_EQ(nameWhenTold, QStringLiteral("MORNING"));
    EXPECT_TRUE(w.ui()->txt_shift->text().isEmpty());
    EXPECT_EQ(value(QStringLiteral("select count(*) from SHIFT")).toInt(), 1);
}

TEST_P(StaleValuesTest, ACriterionTypedIntoTheListSearchesAtOnce) {
    Module1::UserType = QStringLiteral("A");
    exec(QStringLiteral(
        "insert into User_Information (Row_No, User_Code, User_Name, Designation, Status) values "
        "(5, 'UC-5', 'SARA', 'NURSE', 'U')"));
    auto& w = wbtest::openFromMenu<Frm_User>("mnuAddUser");
    w.ui()->txt_s_value->setText(QStringLiteral("NURSE")); // by user name: no one
    EXPECT_TRUE(wbtest::gridColumn(*w.Msh, 2).join(QString()).isEmpty());
    w.ui()->cmb_s_cri->setCurrentIndex(1); // chosen from the list: the next keystroke searches
    EXPECT_TRUE(wbtest::gridColumn(*w.Msh, 2).join(QString()).isEmpty());
    w.ui()->cmb_s_cri->lineEdit()->clear();
    QTest::keyClicks(w.ui()->cmb_s_cri->lineEdit(), QStringLiteral("Designation"));
    EXPECT_EQ(wbtest::gridColumn(*w.Msh, 2), QStringList{QStringLiteral("SARA")});
}

WB_ENGINES(StaleValuesTest);

} // namespace
