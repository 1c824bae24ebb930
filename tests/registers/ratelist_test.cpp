#include "common/picker.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_Services.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "support/userdriver.h"
#include "ui/flexgrid.h"
#include "ui_frm_Rate_List.h"

#include <QApplication>
#include <QMdiArea>
#include <QTest>

using namespace wb;

namespace {

// The slip screen's side of the test pick: it takes the test when it becomes active again.
class RateTaker : public ui::Form {
public:
    void Form_Activate() override {
        if (Module1::SelRateId > 0) {
            taken = Module1::SelRateTest;
            takenId = Module1::SelRateId;
            Module1::SelRateId = 0;
        }
    }
    void find() { common::openPicker<frm_Rate_List>({.unloadFirst = true, .top = 1200, .left = 3300}); }
    QString taken;
    qint64 takenId = 0;
};

class RateListTest : public wbtest::PrintingRegisterTest {
protected:
    frm_Rate_List& open() { return wbtest::openFromMenu<frm_Rate_List>("mnu_Rate_Reg"); }
    long head(const QString& name) {
        Module1::Con->Execute(QStringLiteral("insert into Services (S_name, S_code) values (?, 'CAT-')"),
                              {name});
        return Module1::Con->scalar(QStringLiteral("select max(Row_no) from Services")).toLongLong();
    }
    void test(long headKey, const QString& name, const QVariant& rate, const QString& status = "Rountine") {
        Module1::Con->Execute(
            QStringLiteral("insert into Rate_List (S_code, Cata, Rate, Status) values (?, ?, ?, ?)"),
            {qlonglong(headKey), name, rate, status});
    }
    static void choose(frm_Rate_List& w, const QString& headName) {
        w.ui()->data_cmbo_ser_name->setCurrentText(headName);
    }
    static int rowOf(frm_Rate_List& w, const QString& testName) {
        return wbtest::gridRow(*w.Msh, 2, testName);
    }
    static void save(frm_Rate_List& w, const QString& testName, const QString& rate) {
        w.ui()->txt_Test->setText(testName);
        w.ui()->txt_Rate->setText(rate);
        w.cmdSave_Click();
    }
    int count() { return Module1::Con->scalar(QStringLiteral("select count(*) from Rate_List")).toInt(); }
};

TEST_P(RateListTest, OpensOnTheFirstHeadInNameOrderAndListsOnlyItsTests) {
    const long xray = head(QStringLiteral("X-RAY"));
    const long lab = head(QStringLiteral("LABORATORY"));
    head(QStringLiteral("ECG"));
    test(xray, QStringLiteral("CHEST"), 500);
    test(lab, QStringLiteral("CBC"), 350.5, QStringLiteral("Special"));
    test(lab, QStringLiteral("SUGAR"), QVariant());

    auto& w = open();
    EXPECT_NEAR(w.topTw(), 1200, 15);
    EXPECT_NEAR(w.leftTw(), 3300, 15);
    EXPECT_EQ(w.rsService()->RecordCount(), 3);
    ASSERT_EQ(w.ui()->data_cmbo_ser_name->count(), 3);
    EXPECT_EQ(w.ui()->data_cmbo_ser_name->itemText(0), QStringLiteral("ECG"));
    EXPECT_EQ(w.ui()->data_cmbo_ser_name->currentText(), QStringLiteral("ECG"));
    EXPECT_EQ(w.ui()->Label3->text(), QStringLiteral("ECG"));
    EXPECT_EQ(w.ui()->cmb_status->currentText(), QStringLiteral("Rountine"));
    EXPECT_EQ(w.ui()->cmb_status->count(), 2);
    EXPECT_EQ(w.Msh->Rows(), 1); // a head without tests: the header row only

    choose(w, QStringLiteral("LABORATORY"));
    EXPECT_EQ(w.ui()->Label3->text(), QStringLiteral("LABORATORY"));
    EXPECT_EQ(w.boundValue().toLongLong(), lab);
    EXPECT_EQ(column(w, 2), (QStringList{"CBC", "SUGAR"}));
    EXPECT_EQ(column(w, 3), (QStringList{"350.5", ""}));
    EXPECT_EQ(column(w, 4), (QStringList{"Special", "Rountine"}));
    EXPECT_EQ(column(w, 5), (QStringList{"LABORATORY", "LABORATORY"}));
    EXPECT_EQ(column(w, 1), (QStringList{QString::number(lab), QString::number(lab)}));
    EXPECT_EQ(w.Msh->TextMatrix(0, 0), QStringLiteral("Service code"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 2), QStringLiteral("Test"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 5), QStringLiteral("Services Name"));
    EXPECT_TRUE(w.Msh->isColumnHidden(0));
    EXPECT_TRUE(w.Msh->isColumnHidden(1));

    // The heads are read once: one added meanwhile is not offered until the window opens again.
    head(QStringLiteral("AUDIOLOGY"));
    choose(w, QStringLiteral("X-RAY"));
    EXPECT_EQ(w.ui()->data_cmbo_ser_name->count(), 3);
    EXPECT_EQ(column(w, 2), QStringList{"CHEST"});

    // Enter in the combo moves on to the grid.
    QApplication::setActiveWindow(main);
    w.ui()->data_cmbo_ser_name->setFocus();
    QTest::keyClick(w.ui()->data_cmbo_ser_name, Qt::Key_Return);
    EXPECT_TRUE(w.Msh->hasFocus());
}

TEST_P(RateListTest, SaveWritesTheChosenHeadAndStatusAndListsUnnamedTests) {
    head(QStringLiteral("ECG"));
    const long lab = head(QStringLiteral("LAB"));
    auto& w = open();
    choose(w, QStringLiteral("LAB"));
    QTest::keyClicks(w.ui()->txt_Test, QStringLiteral("lipid profile"));
    EXPECT_EQ(w.ui()->txt_Test->text(), QStringLiteral("LIPID PROFILE"));
    w.ui()->txt_Rate->clear();
    QTest::keyClicks(w.ui()->txt_Rate, QStringLiteral("1a2'. 5.0"));
    EXPECT_EQ(w.ui()->txt_Rate->text(), QStringLiteral("12.50")); // digits and one point only
    w.ui()->cmb_status->setCurrentText(QStringLiteral("Special"));
    w.cmdSave_Click();
    save(w, QString(), QStringLiteral("75")); // no name: stored as Null
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(w.ui()->txt_Test->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_Rate->text().isEmpty());
    EXPECT_EQ(w.ui()->cmb_status->currentText(), QStringLiteral("Special")); // the choices stay
    EXPECT_EQ(w.ui()->data_cmbo_ser_name->currentText(), QStringLiteral("LAB"));

    Module1::OpenRs(QStringLiteral("select * from Rate_List order by Row_no"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 2);
    EXPECT_EQ(Module1::Rs->Fields(QStringLiteral("S_code")).toLongLong(), lab);
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Cata")), QStringLiteral("LIPID PROFILE"));
    EXPECT_DOUBLE_EQ(Module1::Rs->Fields(QStringLiteral("Rate")).toDouble(), 12.5);
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Status")), QStringLiteral("Special"));
    Module1::Rs->MoveNext();
    EXPECT_TRUE(Module1::Rs->Fields(QStringLiteral("Cata")).isNull());
    // Both are listed, the unnamed one too, so that it can still be corrected or deleted.
    EXPECT_EQ(column(w, 2), (QStringList{"LIPID PROFILE", ""}));
    EXPECT_EQ(column(w, 3), (QStringList{"12.5", "75"}));
}

TEST_P(RateListTest, AMalformedRateIsRefusedBeforeAnythingIsWritten) {
    head(QStringLiteral("LAB"));
    auto& w = open();
    QApplication::setActiveWindow(main);
    // A lone point typed, or text pasted past the key filter.
    for (const QString& bad : {QStringLiteral("."), QStringLiteral("1.2.3"), QStringLiteral("12abc"),
                               QStringLiteral("1e5"), QStringLiteral("-4")}) {
        messages.clear();
        save(w, QStringLiteral("CBC"), bad);
        ASSERT_EQ(messages.shown().size(), 1) << bad.toStdString();
        EXPECT_TRUE(messages.last().text.contains(QStringLiteral("number"))) << bad.toStdString();
        EXPECT_TRUE(w.ui()->txt_Rate->hasFocus());
        EXPECT_EQ(w.ui()->txt_Test->text(), QStringLiteral("CBC")); // nothing typed is lost
    }
    EXPECT_EQ(count(), 0);
    for (const QString& good : {QStringLiteral("5."), QStringLiteral(".5"), QStringLiteral("0")})
        save(w, QStringLiteral("CBC"), good);
    EXPECT_EQ(count(), 3);
}

TEST_P(RateListTest, WithNoServiceHeadsTheWindowOpensAndSavesNothing) {
    auto& w = open();
    EXPECT_EQ(w.ui()->data_cmbo_ser_name->count(), 0);
    EXPECT_FALSE(w.boundValue().isValid());
    EXPECT_EQ(w.Msh->Rows(), 1);
    w.ui()->txt_s_value->setText(QStringLiteral("X")); // searching is harmless too
    EXPECT_EQ(w.Msh->Rows(), 1);
    save(w, QStringLiteral("CBC"), QStringLiteral("100"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("Services register first")));
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(w.ui()->txt_Test->text(), QStringLiteral("CBC"));
}

TEST_P(RateListTest, SearchNarrowsWithinTheChosenHeadOnly) {
    const long lab = head(QStringLiteral("O'BRIEN LAB"));
    const long xray = head(QStringLiteral("X-RAY"));
    test(lab, QStringLiteral("X-RAY REVIEW"), 100);
    test(lab, QStringLiteral("CBC"), 200);
    test(lab, QStringLiteral("50% PANEL"), 300);
    test(xray, QStringLiteral("X-RAY CHEST"), 400);
    auto& w = open();
    EXPECT_EQ(w.ui()->data_cmbo_ser_name->currentText(), QStringLiteral("O'BRIEN LAB"));
    EXPECT_EQ(column(w, 2).size(), 3);

    QTest::keyClicks(w.ui()->txt_s_value, QStringLiteral("x-'ray"));
    EXPECT_EQ(w.ui()->txt_s_value->text(), QStringLiteral("x-ray")); // the apostrophe is dropped
    EXPECT_EQ(column(w, 2), QStringList{"X-RAY REVIEW"});            // case-insensitive, this head only
    w.ui()->txt_s_value->setText(QStringLiteral("%"));
    EXPECT_EQ(column(w, 2), QStringList{"50% PANEL"}); // a percent sign is searched as typed
    w.ui()->txt_s_value->setText(QStringLiteral("NO SUCH"));
    EXPECT_EQ(w.Msh->Rows(), 1);

    // Changing the head keeps the search text and applies it to the new head.
    w.ui()->txt_s_value->setText(QStringLiteral("ray"));
    choose(w, QStringLiteral("X-RAY"));
    EXPECT_EQ(column(w, 2), QStringList{"X-RAY CHEST"});
    w.ui()->txt_s_value->clear();
    choose(w, QStringLiteral("O'BRIEN LAB"));
    EXPECT_EQ(column(w, 2).size(), 3);
}

TEST_P(RateListTest, APickLoadsTheTestForCorrectingItsRateAndStatus) {
    const long lab = head(QStringLiteral("LAB"));
    test(lab, QStringLiteral("CBC"), 200, QStringLiteral("Special"));
    test(lab, QStringLiteral("ESR"), 90);
    auto& w = open();
    QApplication::setActiveWindow(main);
    w.Msh->setRow(rowOf(w, QStringLiteral("CBC")));
    w.Msh_DblClick();
    EXPECT_NE(ui::Forms::loaded<frm_Rate_List>(), nullptr);
    EXPECT_EQ(w.ui()->txt_Test->text(), QStringLiteral("CBC"));
    EXPECT_EQ(w.ui()->txt_Rate->text(), QStringLiteral("200"));
    EXPECT_EQ(w.ui()->cmb_status->currentText(), QStringLiteral("Special"));
    EXPECT_FALSE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_Test->hasFocus());
    EXPECT_EQ(Module1::SelRateTest, QStringLiteral("CBC")); // written at every pick

    w.ui()->txt_Rate->setText(QStringLiteral("250"));
    w.ui()->cmb_status->setCurrentText(QStringLiteral("Rountine"));
    w.cmdSave_Click();
    EXPECT_EQ(count(), 2);
    EXPECT_DOUBLE_EQ(
        Module1::Con->scalar(QStringLiteral("select Rate from Rate_List where Cata = 'CBC'")).toDouble(),
        250);
    EXPECT_EQ(
        Module1::Con->scalar(QStringLiteral("select Status from Rate_List where Cata = 'CBC'")).toString(),
        QStringLiteral("Rountine"));
}

TEST_P(RateListTest, APickHandsBackFiveValuesAndLeavesPickModeSet) {
    const long lab = head(QStringLiteral("LAB"));
    test(lab, QStringLiteral("URINE"), QVariant());
    test(lab, QStringLiteral("CBC"), 350.25);
    const long urine =
        Module1::Con->scalar(QStringLiteral("select Row_no from Rate_List where Cata = 'URINE'"))
            .toLongLong();

    RateTaker taker;
    ui::Forms::setMdiArea(main->area());
    taker.Show();
    taker.find();
    auto* reg = ui::Forms::loaded<frm_Rate_List>();
    ASSERT_NE(reg, nullptr);
    EXPECT_TRUE(Module1::PickMode);
    const int row = rowOf(*reg, QStringLiteral("URINE"));
    reg->Msh->setRow(row);
    QTest::mouseDClick(reg->Msh->viewport(), Qt::LeftButton, {},
                       reg->Msh->visualRect(reg->Msh->model()->index(row - 1, 2)).center());
    EXPECT_EQ(ui::Forms::loaded<frm_Rate_List>(), nullptr);
    // The taker is the active window again at once, and has taken the test.
    EXPECT_EQ(wbtest::user::activeWindow(), &taker);
    EXPECT_EQ(taker.takenId, urine);
    EXPECT_EQ(taker.taken, QStringLiteral("URINE"));
    EXPECT_EQ(Module1::SelServiceId, lab);
    EXPECT_EQ(Module1::SelServiceName, QStringLiteral("LAB"));
    EXPECT_EQ(Module1::SelRateTest, QStringLiteral("URINE"));
    EXPECT_EQ(Module1::SelRateAmount, 0.0); // an empty rate cell
    EXPECT_TRUE(Module1::PickMode);         // the rate list's unload leaves the flag set

    // Enter in the grid picks too; the rate comes back as a number.
    taker.find();
    reg = ui::Forms::loaded<frm_Rate_List>();
    reg->Msh->setRow(rowOf(*reg, QStringLiteral("CBC")));
    reg->Msh->setFocus();
    QTest::keyClick(reg->Msh, Qt::Key_Return);
    EXPECT_EQ(ui::Forms::loaded<frm_Rate_List>(), nullptr);
    EXPECT_DOUBLE_EQ(Module1::SelRateAmount, 350.25);

    // The lingering flag: the services register opened from the menu closes at a pick instead of
    // loading the head, and its unload ends pick mode.
    wbtest::runMenu("mnu_Ser_Reg");
    auto& services = ui::Forms::get<frm_Services>();
    services.Msh->setRow(1);
    services.Msh_DblClick();
    EXPECT_EQ(ui::Forms::loaded<frm_Services>(), nullptr);
    EXPECT_EQ(Module1::SelServiceName, QStringLiteral("LAB"));
    EXPECT_FALSE(Module1::PickMode);
    taker.close();
}

TEST_P(RateListTest, PrintsTheTestsOfTheChosenHeadOnlyEvenWithATestLoaded) {
    const long lab = head(QStringLiteral("O'BRIEN LAB"));
    const long xray = head(QStringLiteral("X-RAY"));
    test(lab, QStringLiteral("CBC"), 350.5, QStringLiteral("Special"));
    test(lab, QStringLiteral("ESR"), 90);
    test(xray, QStringLiteral("CHEST PA"), 500);
    auto& w = open();
    ASSERT_EQ(w.ui()->data_cmbo_ser_name->currentText(), QStringLiteral("O'BRIEN LAB"));
    const QString lab1 = print(w); // a name with an apostrophe selects its own tests
    EXPECT_TRUE(lab1.contains(QStringLiteral("O'BRIEN LAB"))) << lab1.toStdString();
    EXPECT_TRUE(lab1.contains(QStringLiteral("CBC")));
    EXPECT_TRUE(lab1.contains(QStringLiteral("350.5")));
    EXPECT_TRUE(lab1.contains(QStringLiteral("Special")));
    EXPECT_TRUE(lab1.contains(QStringLiteral("ESR")));
    EXPECT_TRUE(lab1.contains(QStringLiteral("Tests: 2")));
    EXPECT_FALSE(lab1.contains(QStringLiteral("CHEST PA")));

    choose(w, QStringLiteral("X-RAY"));
    w.Msh->setRow(1);
    w.Msh_DblClick(); // a loaded test does not narrow the print to itself
    test(xray, QStringLiteral("SKULL"), 700);
    const QString xray1 = print(w);
    EXPECT_TRUE(xray1.contains(QStringLiteral("CHEST PA"))) << xray1.toStdString();
    EXPECT_TRUE(xray1.contains(QStringLiteral("SKULL")));
    EXPECT_FALSE(xray1.contains(QStringLiteral("CBC")));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

WB_ENGINES(RateListTest);

} // namespace
