#include "data/connection.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Employee.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_patient_detail.h"
#include "shell/MDIForm1.h"
#include "slipfixture.h"
#include "slips/frm_Add_Search.h"
#include "support/printed.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"

#include <QApplication>
#include <QTest>

using namespace wb;

namespace {

using SlipEntryTest = SlipTest;

TEST_P(SlipEntryTest, OpensFromTheMenuAsANewOutPatientSlip) {
    auto& w = open();
    auto* u = w.ui();
    EXPECT_EQ(u->lblLogin->text(), QStringLiteral("User Name : ADMIN"));
    EXPECT_EQ(u->SSTab1->currentIndex(), 0);
    EXPECT_TRUE(u->optopd->isChecked());
    EXPECT_TRUE(u->frame_IPD->isHidden());
    EXPECT_TRUE(u->frmSlipNo->isHidden());
    EXPECT_TRUE(u->EmpScreen->isHidden());
    EXPECT_EQ(u->cmb_year->currentText(), QStringLiteral("Y"));
    EXPECT_EQ(u->cmb_Relation->currentText(), QStringLiteral("Self"));
    EXPECT_EQ(u->cmb_Relation->count(), 8);
    EXPECT_EQ(u->cmb_s_cri->currentText(), QStringLiteral("Patient Name"));
    EXPECT_EQ(u->dtp_slip_date->date(), QDate::currentDate());
    EXPECT_TRUE(u->cmdDelete->isEnabled());
    EXPECT_EQ(u->MshEntry->Rows(), 1);
    EXPECT_EQ(u->MshEntry->TextMatrix(0, 2), QStringLiteral("Service"));
    EXPECT_TRUE(u->MshEntry->isColumnHidden(0));
    EXPECT_TRUE(u->MshEntry->isColumnHidden(1));

    // Typing: the reference takes no blanks, the age digits and one point, names are upper-cased.
    QTest::keyClicks(u->txt_book_no, QStringLiteral("b 12"));
    EXPECT_EQ(u->txt_book_no->text(), QStringLiteral("b12"));
    QTest::keyClicks(u->txt_age, QStringLiteral("1a2..5"));
    EXPECT_EQ(u->txt_age->text(), QStringLiteral("12.5"));
    QTest::keyClicks(u->txt_pat_name, QStringLiteral("ali"));
    EXPECT_EQ(u->txt_pat_name->text(), QStringLiteral("ALI"));
    QTest::keyClicks(u->cmb_shift, QStringLiteral("x"));
    EXPECT_TRUE(u->cmb_shift->currentText().isEmpty());

    // IPD locks the name and shows the admission fields; both layouts empty the patient boxes.
    u->txt_pat_name->setText(QStringLiteral("ALI"));
    u->optipd->click();
    EXPECT_TRUE(u->txt_pat_name->isReadOnly());
    EXPECT_FALSE(u->Find_Pat_Detail->isEnabled());
    EXPECT_FALSE(u->frame_IPD->isHidden());
    EXPECT_TRUE(u->txt_pat_name->text().isEmpty());
    u->optopd->click();
    EXPECT_FALSE(u->txt_pat_name->isReadOnly());
    EXPECT_TRUE(u->frame_IPD->isHidden());
}

TEST_P(SlipEntryTest, FirstSlipIsOneAndAResaveKeepsTimeAndUserButReplacesTheLines) {
    ui::Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(21, 40, 5)));
    auto& w = open();
    fillSlip(w, QStringLiteral("O'NEIL"), 2);
    w.ui()->txt_cash_rece->setText(QStringLiteral("300"));
    w.cmdSave_Click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(slipCount(), 1);
    EXPECT_EQ(stored(1, QStringLiteral("p_name")).toString(), QStringLiteral("O'NEIL"));
    EXPECT_EQ(stored(1, QStringLiteral("Slip_Time")).toDateTime(),
              QDateTime(QDate(2026, 12, 8), QTime(21, 40, 5)));
    EXPECT_EQ(stored(1, QStringLiteral("User_Name")).toString(), QStringLiteral("ADMIN"));
    EXPECT_EQ(stored(1, QStringLiteral("Slip_date")).toDate(), QDate(2026, 12, 8));
    const QString l = QString::number(lab);
    EXPECT_EQ(storedLines(1), (QStringList{l + ":" + QString::number(tests[0]) + ":100",
                                           l + ":" + QString::number(tests[1]) + ":200"}));
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty()); // the screen is clear for the next slip

    // Reopened by another user later: the lines are replaced, creation time and user stay.
    Module1::LoginUserName = QStringLiteral("CASHIER");
    ui::Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    w.ui()->txt_Row_No->setText(QStringLiteral("1"));
    w.OpenData();
    EXPECT_EQ(lineTexts(w, 3), (QStringList{"TEST 1", "TEST 2"}));
    w.ui()->MshEntry->setRow(1);
    w.cmd_Delete_2_Click();
    addTest(w, lab, QStringLiteral("LABORATORY"), tests[2], QStringLiteral("TEST 3"), 300);
    w.cmdSave_Click();
    ui::Clock::reset();
    EXPECT_EQ(slipCount(), 1);
    EXPECT_EQ(stored(1, QStringLiteral("Slip_Time")).toDateTime(),
              QDateTime(QDate(2026, 12, 8), QTime(21, 40, 5)));
    EXPECT_EQ(stored(1, QStringLiteral("User_Name")).toString(), QStringLiteral("ADMIN"));
    EXPECT_EQ(storedLines(1), (QStringList{l + ":" + QString::number(tests[1]) + ":200",
                                           l + ":" + QString::number(tests[2]) + ":300"}));
    EXPECT_DOUBLE_EQ(stored(1, QStringLiteral("amount")).toDouble(), 500);
}

TEST_P(SlipEntryTest, OutAndInPatientSlipsStoreTheirTypeAdmissionDateAndNulls) {
    auto& w = open();
    fillSlip(w, QStringLiteral("OPD PATIENT"), 1);
    w.ui()->txt_sex->clear();
    w.ui()->cmb_Relation->setCurrentIndex(-1);
    w.cmdSave_Click();
    EXPECT_EQ(stored(1, QStringLiteral("status")).toString(), QStringLiteral("OPD"));
    EXPECT_TRUE(stored(1, QStringLiteral("admdate")).isNull());
    EXPECT_TRUE(stored(1, QStringLiteral("Sex")).isNull()); // an empty box is Null
    EXPECT_TRUE(stored(1, QStringLiteral("Emp_No")).isNull());
    EXPECT_EQ(stored(1, QStringLiteral("Relation")).toString(), QString()); // an empty combo is empty text
    EXPECT_FALSE(stored(1, QStringLiteral("Relation")).isNull());
    EXPECT_EQ(stored(1, QStringLiteral("Yr")).toString(), QStringLiteral("Y"));
    EXPECT_EQ(stored(1, QStringLiteral("opd_doc")).toLongLong(), opd);
    EXPECT_EQ(stored(1, QStringLiteral("r_doc")).toLongLong(), referrer);
    EXPECT_EQ(stored(1, QStringLiteral("PanelStatus")).toString(), QStringLiteral("Doctor"));

    // The in-patient choice survives the clearing after a save.
    w.ui()->optipd->click();
    fillSlip(w, QString(), 2);
    w.ui()->txt_pat_name->setText(QStringLiteral("WARD PATIENT"));
    w.ui()->txt_Patient_code->setText(QStringLiteral("IPD-12"));
    w.ui()->txt_reg_no->setText(QStringLiteral("R-5"));
    w.ui()->adm_date->setDate(QDate(2026, 12, 1));
    w.cmdSave_Click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(stored(2, QStringLiteral("status")).toString(), QStringLiteral("IPD"));
    EXPECT_EQ(stored(2, QStringLiteral("admdate")).toDate(), QDate(2026, 12, 1));
    EXPECT_EQ(stored(2, QStringLiteral("Ipd_Code")).toString(), QStringLiteral("IPD-12"));
    EXPECT_EQ(storedLines(2).size(), 2);
    EXPECT_TRUE(w.ui()->optipd->isChecked());

    // Reopening shows the in-patient layout with the stored values.
    w.ui()->optopd->click();
    w.ClearAll();
    w.ui()->txt_Row_No->setText(QStringLiteral("2"));
    w.OpenData();
    EXPECT_TRUE(w.ui()->optipd->isChecked());
    EXPECT_FALSE(w.ui()->frame_IPD->isHidden());
    EXPECT_EQ(w.ui()->txt_pat_name->text(), QStringLiteral("WARD PATIENT"));
    EXPECT_EQ(w.ui()->adm_date->date(), QDate(2026, 12, 1));
    EXPECT_EQ(w.ui()->txt_opd_doc->text(), QStringLiteral("DR. AHMED"));
    EXPECT_EQ(w.ui()->txt_amount->text(), QStringLiteral("300"));
}

TEST_P(SlipEntryTest, ALineWithoutServiceIsNotStoredAndADeletedTestShowsEmptyNames) {
    auto& w = open();
    fillSlip(w, QStringLiteral("ALI"), 2);
    // A test handed back without its service head.
    pickTest(w, 0, QString(), tests[3], QStringLiteral("TEST 4"), 400);
    w.ui()->txt_services->setText(QStringLiteral("TYPED"));
    w.ui()->txt_Services_Code->clear();
    w.cmd_ADD_1_Click();
    EXPECT_EQ(w.ui()->MshEntry->Rows(), 4);
    w.cmdSave_Click();
    EXPECT_EQ(storedLines(1).size(), 2);
    EXPECT_DOUBLE_EQ(stored(1, QStringLiteral("amount")).toDouble(), 700); // the total counts every line

    Module1::Con->Execute(QStringLiteral("delete from Rate_List where Row_no = ?"), {tests[0]});
    w.ui()->txt_Row_No->setText(QStringLiteral("1"));
    w.OpenData();
    EXPECT_EQ(lineTexts(w, 3), (QStringList{"", "TEST 2"}));
    EXPECT_EQ(lineTexts(w, 2), (QStringList{"LABORATORY", "LABORATORY"}));
    EXPECT_EQ(lineTexts(w, 4), (QStringList{"100", "200"}));
}

TEST_P(SlipEntryTest, TotalsCashBalanceAndDiscountFollowTheDesk) {
    auto& w = open();
    auto* u = w.ui();
    const qint64 h = head(QStringLiteral("LAB"));
    addTest(w, h, QStringLiteral("LAB"), test(h, QStringLiteral("A"), 100), QStringLiteral("A"), 100);
    addTest(w, h, QStringLiteral("LAB"), test(h, QStringLiteral("B"), 200), QStringLiteral("B"), 200);
    addTest(w, h, QStringLiteral("LAB"), test(h, QStringLiteral("C"), 300), QStringLiteral("C"), 300);
    EXPECT_EQ(u->txt_amount->text(), QStringLiteral("600"));
    EXPECT_EQ(u->txt_net_amuont->text(), QStringLiteral("600"));
    EXPECT_EQ(u->txt_discount->text(), QStringLiteral("0"));
    u->txt_cash_rece->setText(QStringLiteral("500"));
    EXPECT_EQ(u->txt_discount->text(), QStringLiteral("100"));
    u->txt_balance->setText(QStringLiteral("100"));
    EXPECT_EQ(u->txt_discount->text(), QStringLiteral("0"));
    u->txt_balance->setText(QStringLiteral("200")); // more than net less cash
    EXPECT_TRUE(u->txt_balance->text().isEmpty());
    EXPECT_EQ(u->txt_discount->text(), QStringLiteral("100"));
    EXPECT_TRUE(messages.shown().isEmpty());
    u->txt_cash_rece->setText(QStringLiteral("700"));
    ASSERT_EQ(messages.texts(), QStringList{"cash amount Equal or less then net amount"});
    EXPECT_EQ(messages.last().style, ui::vbInformation);
    EXPECT_TRUE(u->txt_cash_rece->text().isEmpty());

    // The computed boxes pass the focus on to the cash box.
    QApplication::setActiveWindow(main);
    u->txt_discount->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(u->txt_cash_rece->hasFocus());

    // Removing every line brings the totals back to 0.
    w.cmd_Delete_2_Click();
    w.cmd_Delete_2_Click();
    EXPECT_EQ(u->MshEntry->Rows(), 2);
    w.cmd_Delete_2_Click();
    EXPECT_EQ(u->MshEntry->Rows(), 1);
    EXPECT_EQ(u->txt_amount->text(), QStringLiteral("0"));
    EXPECT_EQ(u->txt_net_amuont->text(), QStringLiteral("0"));
}

TEST_P(SlipEntryTest, MoneyIsExactToTheCentOnScreenAndInTheDatabase) {
    auto& w = open();
    auto* u = w.ui();
    fillSlip(w, QStringLiteral("ALI"), 0);
    const qint64 h = head(QStringLiteral("LAB"));
    addTest(w, h, QStringLiteral("LAB"), test(h, QStringLiteral("A"), 0.1), QStringLiteral("A"), 0.1);
    addTest(w, h, QStringLiteral("LAB"), test(h, QStringLiteral("B"), 0.2), QStringLiteral("B"), 0.2);
    addTest(w, h, QStringLiteral("LAB"), test(h, QStringLiteral("C"), 100.45), QStringLiteral("C"), 100.45);
    EXPECT_EQ(u->txt_amount->text(), QStringLiteral("100.75"));
    u->txt_cash_rece->setText(QStringLiteral("0.3"));
    EXPECT_EQ(u->txt_discount->text(), QStringLiteral("100.45"));
    u->txt_balance->setText(QStringLiteral("100.1"));
    EXPECT_EQ(u->txt_discount->text(), QStringLiteral("0.35"));
    w.cmdSave_Click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    const auto cents = [&](const char* column) {
        return qRound64(stored(1, QLatin1String(column)).toDouble() * 100);
    };
    EXPECT_EQ(cents("amount"), 10075);
    EXPECT_EQ(cents("discount"), 35);
    EXPECT_EQ(cents("Cash_rece"), 30);
    EXPECT_EQ(cents("Bal"), 10010);
    Module1::OpenRs(QStringLiteral("select sum(test_rate) as total from SLIP_DETAIL"));
    EXPECT_EQ(qRound64(Module1::Rs->Fields(QStringLiteral("total")).toDouble() * 100), 10075);
    w.ui()->txt_Row_No->setText(QStringLiteral("1"));
    w.OpenData();
    EXPECT_EQ(u->txt_amount->text(), QStringLiteral("100.75"));
    EXPECT_EQ(u->txt_discount->text(), QStringLiteral("0.35"));
    EXPECT_EQ(lineTexts(w, 4), (QStringList{"0.1", "0.2", "100.45"}));
}

TEST_P(SlipEntryTest, LinesRefuseAMissingPartOrTheSameTestTwice) {
    auto& w = open();
    auto* u = w.ui();
    w.cmd_ADD_1_Click();
    EXPECT_EQ(messages.texts(), QStringList{"please select service "});
    u->txt_services->setText(QStringLiteral("LAB"));
    w.cmd_ADD_1_Click();
    EXPECT_EQ(messages.last().text, QStringLiteral("please select Test "));
    u->txt_Test_Code->setText(QStringLiteral("5"));
    w.cmd_ADD_1_Click();
    EXPECT_EQ(messages.last().text, QStringLiteral("please enter Rate "));
    EXPECT_EQ(messages.last().style, ui::vbInformation);
    EXPECT_EQ(u->MshEntry->Rows(), 1);

    const qint64 h = head(QStringLiteral("LAB"));
    const qint64 cbc = test(h, QStringLiteral("CBC"), 350.5);
    addTest(w, h, QStringLiteral("LAB"), cbc, QStringLiteral("CBC"), 350.5);
    EXPECT_EQ(lineTexts(w, 4), QStringList{"350.5"});
    messages.clear();
    addTest(w, h, QStringLiteral("LAB"), cbc, QStringLiteral("CBC"), 350.5);
    EXPECT_EQ(messages.texts(), QStringList{"This Test is already exitis in detail"});
    EXPECT_EQ(u->MshEntry->Rows(), 2);
    addTest(w, h, QStringLiteral("LAB"), test(h, QStringLiteral("ESR"), 90), QStringLiteral("ESR"), 90);
    EXPECT_EQ(lineTexts(w, 3), (QStringList{"CBC", "ESR"})); // the same head twice is fine
    EXPECT_EQ(u->txt_Test->text(), QStringLiteral("ESR"));   // the entry boxes keep their values

    // A rate typed over the picked one must be a number.
    messages.clear();
    u->txt_Test_Code->setText(QStringLiteral("99"));
    u->txt_Rate->setText(QStringLiteral("ABC"));
    w.cmd_ADD_1_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("number")));
    EXPECT_EQ(u->MshEntry->Rows(), 3);
}

TEST_P(SlipEntryTest, SaveChecksComeInOrderAndAnEmptySlipClearsTheScreen) {
    auto& w = open();
    auto* u = w.ui();
    const auto saveSays = [&](const QString& text) {
        messages.clear();
        w.cmdSave_Click();
        ASSERT_EQ(messages.shown().size(), 1) << text.toStdString();
        EXPECT_EQ(messages.last().text, text);
        EXPECT_EQ(messages.last().style, ui::vbInformation);
        EXPECT_EQ(messages.last().title, ui::appTitle());
    };
    saveSays(QStringLiteral("please enter Age"));
    EXPECT_FALSE(u->cmdDelete->isEnabled()); // every save command disables the delete
    u->txt_age->setText(QStringLiteral("4"));
    u->cmb_year->setCurrentIndex(-1);
    saveSays(QStringLiteral("please select year"));
    u->cmb_year->setCurrentIndex(1);
    saveSays(QStringLiteral("please select Patient Name "));
    u->txt_pat_name->setText(QStringLiteral("ALI"));
    saveSays(QStringLiteral("please select OPD Doctor "));
    const qint64 d = doctor(QStringLiteral("DR. X"));
    pickDoctor(w, QStringLiteral("O"), d, QStringLiteral("DR. X"));
    saveSays(QStringLiteral("please select Reff Doctor "));
    pickDoctor(w, QStringLiteral("R"), d, QStringLiteral("DR. X"));
    u->optipd->click(); // empties the patient boxes
    u->txt_pat_name->setText(QStringLiteral("ALI"));
    u->txt_age->setText(QStringLiteral("4"));
    saveSays(QStringLiteral("please enter IPD No. "));
    u->optopd->click(); // an out-patient slip needs no IPD number
    u->txt_pat_name->setText(QStringLiteral("ALI"));
    u->txt_age->setText(QStringLiteral("4"));
    saveSays(QStringLiteral("Items not be found! please less than one item"));
    EXPECT_TRUE(u->txt_pat_name->text().isEmpty());
    EXPECT_TRUE(u->txt_opd_doc->text().isEmpty());
    EXPECT_EQ(slipCount(), 0);
}

TEST_P(SlipEntryTest, AmountsThatAreNotNumbersAreRefusedBeforeAnythingIsWritten) {
    auto& w = open();
    auto* u = w.ui();
    fillSlip(w, QStringLiteral("ALI"), 1);
    for (QLineEdit* box : {u->txt_cash_rece, u->txt_balance, u->txt_age}) {
        const QString before = box->text();
        box->setText(QStringLiteral("12X"));
        messages.clear();
        w.cmdSave_Click();
        ASSERT_FALSE(messages.shown().isEmpty());
        EXPECT_TRUE(messages.last().text.contains(QStringLiteral("must be a number")))
            << messages.last().text.toStdString();
        EXPECT_EQ(box->text(), QStringLiteral("12X"));
        EXPECT_EQ(u->txt_pat_name->text(), QStringLiteral("ALI"));
        EXPECT_EQ(slipCount(), 0);
        box->setText(before);
    }
    u->txt_age->setText(QStringLiteral("."));
    w.cmdSave_Click();
    EXPECT_EQ(slipCount(), 0);
    u->txt_age->setText(QStringLiteral("2.5"));
    messages.clear();
    w.cmdSave_Click();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(slipCount(), 1);
    EXPECT_DOUBLE_EQ(stored(1, QStringLiteral("Age")).toDouble(), 2.5);
}

TEST_P(SlipEntryTest, TheReferrersPickDecidesThePanelStatusAndTheEmployeeFrame) {
    auto& w = open();
    auto* u = w.ui();
    fillSlip(w, QStringLiteral("ALI"), 1);
    const qint64 panelDoc = doctor(QStringLiteral("PANEL DR"), QStringLiteral("Panel"));
    pickDoctor(w, QStringLiteral("R"), panelDoc, QStringLiteral("PANEL DR"), QStringLiteral("Panel"));
    EXPECT_FALSE(u->EmpScreen->isHidden());
    u->txt_Emp_No->setText(QStringLiteral("E-1"));
    u->txt_emp_name->setText(QStringLiteral("KHAN"));
    // An ordinary referrer hides the frame and empties it.
    pickDoctor(w, QStringLiteral("R"), referrer, QStringLiteral("DR. BUTT"));
    EXPECT_TRUE(u->EmpScreen->isHidden());
    EXPECT_TRUE(u->txt_Emp_No->text().isEmpty());
    EXPECT_TRUE(u->txt_emp_name->text().isEmpty());

    // Panel referrer, then the checkup doctor picked last: the slip is still a panel slip.
    pickDoctor(w, QStringLiteral("R"), panelDoc, QStringLiteral("PANEL DR"), QStringLiteral("Panel"));
    u->txt_Emp_No->setText(QStringLiteral("E-1"));
    u->txt_emp_name->setText(QStringLiteral("KHAN"));
    u->txt_Desig->setText(QStringLiteral("CLERK"));
    u->txt_reff_no->setText(QStringLiteral("RF-9"));
    pickDoctor(w, QStringLiteral("O"), opd, QStringLiteral("DR. AHMED"));
    w.cmdSave_Click();
    EXPECT_EQ(stored(1, QStringLiteral("PanelStatus")).toString(), QStringLiteral("Panel"));
    EXPECT_EQ(stored(1, QStringLiteral("Emp_Reff_No")).toString(), QStringLiteral("RF-9"));

    w.ui()->txt_Row_No->setText(QStringLiteral("1"));
    w.OpenData();
    EXPECT_FALSE(u->EmpScreen->isHidden());
    EXPECT_EQ(u->txt_emp_name->text(), QStringLiteral("KHAN"));
    EXPECT_EQ(u->txt_Desig->text(), QStringLiteral("CLERK"));
    EXPECT_EQ(u->txt_ref_doc->text(), QStringLiteral("PANEL DR"));
    // Saved again unchanged, it stays a panel slip.
    w.cmdSave_Click();
    EXPECT_EQ(stored(1, QStringLiteral("PanelStatus")).toString(), QStringLiteral("Panel"));
}

TEST_P(SlipEntryTest, PicksFillTheirBoxesAndAPatientPickEmptiesTheAge) {
    auto& w = open();
    auto* u = w.ui();
    u->txt_age->setText(QStringLiteral("40"));
    pickPatient(w, QStringLiteral("ALI"), QStringLiteral("AKBAR"), QStringLiteral("M"));
    EXPECT_EQ(u->txt_pat_name->text(), QStringLiteral("ALI"));
    EXPECT_EQ(u->txt_F_name->text(), QStringLiteral("AKBAR"));
    EXPECT_EQ(u->txt_Card_No->text(), QStringLiteral("C-9"));
    EXPECT_TRUE(u->txt_age->text().isEmpty());
    EXPECT_EQ(Module1::SelPatId, 0);
    EXPECT_TRUE(Module1::SelPatName.isEmpty());

    wbtest::answerFind<frm_Employee>(w, u->cmd_find_Employee, [] {
        Module1::SelEmpNo = QStringLiteral("E-7");
        Module1::SelEmpName = QStringLiteral("RAZA");
        Module1::SelEmpDesig = QStringLiteral("GUARD");
    });
    EXPECT_EQ(u->txt_Emp_No->text(), QStringLiteral("E-7"));
    EXPECT_EQ(u->txt_Desig->text(), QStringLiteral("GUARD"));
    EXPECT_TRUE(Module1::SelEmpNo.isEmpty());

    // A doctor for no box of this screen is left for its taker.
    Module1::DocPickFor = QStringLiteral("C");
    Module1::SelDocId = 3;
    w.Form_Activate();
    EXPECT_EQ(Module1::SelDocId, 3);
    EXPECT_TRUE(u->txt_opd_doc->text().isEmpty());
}

TEST_P(SlipEntryTest, TheRateListPicksATestThroughTheRealPickList) {
    const qint64 h = head(QStringLiteral("X-RAY"));
    test(h, QStringLiteral("CHEST"), 450);
    auto& w = open();
    QApplication::setActiveWindow(main);
    w.ui()->cmd_Rate_List->click();
    auto* rates = ui::Forms::loaded<frm_Rate_List>();
    ASSERT_NE(rates, nullptr);
    EXPECT_TRUE(Module1::PickMode);
    EXPECT_NEAR(rates->leftTw(), 3300, 15);
    const int row = wbtest::gridRow(*rates->Msh, 2, QStringLiteral("CHEST"));
    ASSERT_GT(row, 0);
    rates->Msh->setRow(row);
    rates->Msh_DblClick();
    QApplication::processEvents();
    w.Form_Activate();
    EXPECT_EQ(w.ui()->txt_services->text(), QStringLiteral("X-RAY"));
    EXPECT_EQ(w.ui()->txt_Test->text(), QStringLiteral("CHEST"));
    EXPECT_EQ(w.ui()->txt_Rate->text(), QStringLiteral("450"));
    EXPECT_EQ(w.ui()->txt_Services_Code->text(), QString::number(h));

    // F2 in the checkup doctor's box opens the doctor register for doctors only.
    w.ui()->txt_opd_doc->setFocus();
    QTest::keyClick(w.ui()->txt_opd_doc, Qt::Key_F2);
    auto* doctors = ui::Forms::loaded<frm_Doc_Infor>();
    ASSERT_NE(doctors, nullptr);
    EXPECT_EQ(Module1::DocPickFor, QStringLiteral("O"));
    EXPECT_TRUE(doctors->findChild<QWidget*>(QStringLiteral("OptPanel"))->isHidden());
}

TEST_P(SlipEntryTest, TheShiftFollowsTheClockOverMidnightAndAnOpenedSlipKeepsItsOwn) {
    using Shift = std::tuple<const char*, const char*, const char*>;
    using Tick = std::tuple<int, int, const char*>; // the clock, and the letter the shift box shows
    const struct {
        QList<Shift> shifts; // in the register's order
        QList<Tick> ticks;
    } registers[] = {
        // An overnight shift listed first, starting on the half hour, and hours in no shift between
        // its end and the next shift's start: there the box keeps the letter it had.
        {{{"NIGHT", "22:30", "08:30"}, {"EVENING", "14:00", "22:30"}},
         {{22, 40, "N"},
          {8, 10, "N"},
          {12, 0, "N"},
          {14, 0, "E"},
          {22, 10, "E"},
          {22, 29, "E"},
          {22, 40, "N"}}},
        {{{"MORNING", "08:00", "14:00"}, {"EVENING", "14:00", "22:00"}, {"NIGHT", "22:00", "08:00"}},
         {{23, 30, "N"}, {5, 15, "N"}, {14, 0, "E"}, {8, 30, "M"}}},
    };
    frm_Test_Slips* w = nullptr;
    const auto at = [&](int h, int m) {
        ui::Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(h, m)));
        w->Timer2_Timer();
        return w->ui()->cmb_shift->currentText();
    };
    for (const auto& r : registers) {
        if (w)
            w->ui()->cmdExit->click();
        Module1::Con->Execute(QStringLiteral("delete from SHIFT"));
        for (const auto& [name, from, to] : r.shifts)
            Module1::Con->Execute(
                QStringLiteral(
                    "insert into SHIFT (shift_code, shift, time_from, time_to) values ('S', ?, ?, ?)"),
                {QLatin1String(name), QLatin1String(from), QLatin1String(to)});
        w = &open();
        for (const auto& [h, m, letter] : r.ticks)
            EXPECT_EQ(at(h, m), QLatin1String(letter))
                << h << ":" << m << " with " << r.shifts.size() << " shifts";
    }
    w->Timer1_Timer();
    EXPECT_EQ(w->ui()->lblDate->text(), QStringLiteral("08/12/2026 08:30:00 AM"));

    fillSlip(*w, QStringLiteral("NIGHT PATIENT"), 1);
    at(23, 30);
    w->cmdSave_Click();
    EXPECT_EQ(stored(1, QStringLiteral("Shift")).toString(), QStringLiteral("N"));
    // Reopened and corrected during the morning shift: it stays a night slip.
    w->ui()->txt_Row_No->setText(QStringLiteral("1"));
    w->OpenData();
    EXPECT_EQ(at(10, 0), QStringLiteral("N"));
    w->ui()->txt_cash_rece->setText(QStringLiteral("50"));
    w->cmdSave_Click();
    EXPECT_EQ(stored(1, QStringLiteral("Shift")).toString(), QStringLiteral("N"));
    EXPECT_EQ(at(10, 0), QStringLiteral("M")); // the next new slip takes the current shift
    ui::Clock::reset();
}

TEST_P(SlipEntryTest, EmployeeNumberLookUp) {
    Module1::Con->Execute(
        QStringLiteral("insert into Employees (Row_no, Emp_no, Emp_name, Designation) values (1, ?, ?, ?)"),
        {QStringLiteral("E'1"), QStringLiteral("D'SOUZA"), QStringLiteral("NURSE")});
    auto& w = open();
    auto* u = w.ui();
    QApplication::setActiveWindow(main);
    u->txt_emp_name->setText(QStringLiteral("OLD"));
    u->txt_Desig->setText(QStringLiteral("OLD"));
    u->txt_Emp_No->setText(QStringLiteral("E9"));
    u->txt_Emp_No->setFocus();
    QTest::keyClick(u->txt_Emp_No, Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList{"Employee not found!"});
    EXPECT_EQ(messages.last().style, ui::vbInformation);
    EXPECT_TRUE(u->txt_emp_name->text().isEmpty());
    EXPECT_TRUE(u->txt_Desig->text().isEmpty());
    u->txt_Emp_No->setText(QStringLiteral("E'1"));
    w.FillEmployee();
    EXPECT_EQ(u->txt_emp_name->text(), QStringLiteral("D'SOUZA"));
    EXPECT_EQ(u->txt_Desig->text(), QStringLiteral("NURSE"));
}

TEST_P(SlipEntryTest, AFailedSaveLeavesTheStoredSlipAsItWas) {
    auto& w = open();
    fillSlip(w, QStringLiteral("ALI"), 2);
    w.cmdSave_Click();
    const QStringList before = storedLines(1);
    ASSERT_EQ(before.size(), 2);

    w.ui()->txt_Row_No->setText(QStringLiteral("1"));
    w.OpenData();
    w.ui()->txt_pat_name->setText(QStringLiteral("CHANGED"));
    // A line the database refuses: a test number that is not a number.
    w.ui()->MshEntry->setTextMatrix(2, 1, QStringLiteral("X1"));
    EXPECT_THROW(w.cmdSave_Click(), DbError);
    EXPECT_EQ(stored(1, QStringLiteral("p_name")).toString(), QStringLiteral("ALI"));
    EXPECT_EQ(storedLines(1), before);
    EXPECT_EQ(w.ui()->txt_pat_name->text(), QStringLiteral("CHANGED")); // what was typed stays
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QStringLiteral("1"));

    // A new slip that fails takes no key and leaves nothing behind.
    w.ClearAll();
    fillSlip(w, QStringLiteral("NEW"), 1);
    w.ui()->MshEntry->setTextMatrix(1, 0, QStringLiteral("not a head"));
    EXPECT_THROW(w.cmdSave_Click(), DbError);
    EXPECT_EQ(slipCount(), 1);
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
}

TEST_P(SlipEntryTest, SavingASlipAnotherDeskDeletedSaysSoAndKeepsTheScreen) {
    auto& w = open();
    fillSlip(w, QStringLiteral("ALI"), 1);
    w.cmdSave_Click();
    w.ui()->txt_Row_No->setText(QStringLiteral("1"));
    w.OpenData();
    Module1::Con->Execute(QStringLiteral("delete from SLIP_DETAIL"));
    Module1::Con->Execute(QStringLiteral("delete from SLIPS_MASTER"));
    w.ui()->txt_pat_name->setText(QStringLiteral("ALI KHAN"));
    messages.clear();
    w.cmdSave_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("no longer exists")));
    EXPECT_EQ(slipCount(), 0);
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from SLIP_DETAIL")).toInt(), 0);
    EXPECT_EQ(w.ui()->txt_pat_name->text(), QStringLiteral("ALI KHAN"));
    EXPECT_EQ(w.ui()->MshEntry->Rows(), 2);
}

TEST_P(SlipEntryTest, TheSavePrintsTheSlipWithItsLinesAndTotals) {
    auto& w = open();
    fillSlip(w, QStringLiteral("O'NEIL"), 3);
    w.ui()->txt_cash_rece->setText(QStringLiteral("550.5"));
    w.cmdSave_Click();
    const QString text = wbtest::viewerReportText();
    EXPECT_TRUE(text.contains(QStringLiteral("PATIENT SLIP")));
    EXPECT_TRUE(text.contains(QStringLiteral("O'NEIL")));
    EXPECT_TRUE(text.contains(QStringLiteral("DR. AHMED")));
    for (const char* t : {"TEST 1", "TEST 2", "TEST 3"})
        EXPECT_TRUE(text.contains(QLatin1String(t))) << t;
    EXPECT_FALSE(text.contains(QStringLiteral("TEST 4")));
    EXPECT_TRUE(text.contains(QStringLiteral("600"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("550.5"))) << text.toStdString();
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
}

TEST_P(SlipEntryTest, AnInPatientIsBilledThroughTheAdmissionPickList) {
    Module1::Con->Execute(
        QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex, Tel_no, "
                       "Card_no) values (4, 'PAT-4', 'ZARA', 'ZAHID', 'F', '042-1', 'K-4')"));
    Module1::Con->Execute(
        QStringLiteral("insert into Addmission (Row_no, Ipd_code, Reg_no, admdate, Pat_row_id, Age, "
                       "Yr) values (3, 'IPD-3', 'R-3', ?, 4, 27, 'Y')"),
        {QDate(2026, 11, 30)});
    auto& w = open();
    auto* u = w.ui();
    u->optipd->click();
    QTest::keyClick(u->txt_Patient_code, Qt::Key_F2); // F2 in the IPD box opens the admission list
    auto* list = ui::Forms::loaded<frm_Add_Search>();
    ASSERT_NE(list, nullptr);
    EXPECT_NEAR(list->leftTw(), 3300, 15);
    EXPECT_NEAR(list->topTw(), 1500, 15);
    list->FillGrid();
    const int row = wbtest::gridRow(*list->Msh, 1, QStringLiteral("IPD-3"));
    ASSERT_GT(row, 0);
    list->Msh->setRow(row);
    list->Msh_DblClick();
    QApplication::processEvents();
    w.Form_Activate();
    EXPECT_EQ(Module1::SelAdmissionId, 0);
    EXPECT_EQ(u->txt_Patient_code->text(), QStringLiteral("IPD-3"));
    EXPECT_EQ(u->txt_reg_no->text(), QStringLiteral("R-3"));
    EXPECT_EQ(u->txt_pat_name->text(), QStringLiteral("ZARA"));
    EXPECT_EQ(u->txt_F_name->text(), QStringLiteral("ZAHID"));
    EXPECT_EQ(u->txt_age->text(), QStringLiteral("27"));
    EXPECT_EQ(u->txt_Card_No->text(), QStringLiteral("K-4"));
    EXPECT_EQ(u->adm_date->date(), QDate(2026, 11, 30));

    const QString name = u->txt_pat_name->text();
    fillSlip(w, QString(), 3);
    u->txt_pat_name->setText(name);
    u->txt_age->setText(QStringLiteral("27"));
    w.cmdSave_Click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(stored(1, QStringLiteral("status")).toString(), QStringLiteral("IPD"));
    EXPECT_EQ(stored(1, QStringLiteral("Ipd_Code")).toString(), QStringLiteral("IPD-3"));
    EXPECT_EQ(stored(1, QStringLiteral("admdate")).toDate(), QDate(2026, 11, 30));
    EXPECT_EQ(stored(1, QStringLiteral("p_name")).toString(), QStringLiteral("ZARA"));
    EXPECT_EQ(storedLines(1).size(), 3);
    EXPECT_TRUE(wbtest::viewerReportText().contains(QStringLiteral("IPD-3")));
}

TEST_P(SlipEntryTest, F2InThePatientBoxFindsAPatientOnlyForAnOutPatient) {
    auto& w = open();
    auto* u = w.ui();
    u->txt_pat_name->setFocus();
    QTest::keyClick(u->txt_pat_name, Qt::Key_F2);
    auto* patients = ui::Forms::loaded<frm_patient_detail>();
    ASSERT_NE(patients, nullptr);
    EXPECT_NEAR(patients->leftTw(), 2500, 15);
    EXPECT_TRUE(u->txt_pat_name->text().isEmpty()); // the key is not typed
    ui::Forms::unload<frm_patient_detail>();

    // The in-patient's name comes from the admission: its Find is disabled, and so is F2.
    u->optipd->click();
    QTest::keyClick(u->txt_pat_name, Qt::Key_F2);
    EXPECT_EQ(ui::Forms::loaded<frm_patient_detail>(), nullptr);
}

WB_ENGINES(SlipEntryTest);

} // namespace
