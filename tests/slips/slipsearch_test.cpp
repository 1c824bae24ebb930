#include "data/connection.h"
#include "report/frmViewer.h"
#include "report/reportviewer.h"
#include "shell/MDIForm1.h"
#include "slipfixture.h"
#include "slips/slipstore.h"
#include "ui/flexgrid.h"

#include <QApplication>
#include <QTest>

using namespace wb;

namespace {

class SlipSearchTest : public SlipTest {
protected:
    // A stored slip, as another desk saved it.
    qint64 seed(const QString& patient, const QString& code, const QDate& day,
                const QString& status = QStringLiteral("OPD")) {
        if (opd == 0)
            fillDoctors();
        slips::SlipRecord s;
        s.values.insert(QStringLiteral("p_name"), patient);
        s.values.insert(QStringLiteral("Slip_code"), code.isEmpty() ? QVariant() : QVariant(code));
        s.values.insert(QStringLiteral("Age"), QStringLiteral("20"));
        s.values.insert(QStringLiteral("Yr"), QStringLiteral("Y"));
        s.values.insert(QStringLiteral("Shift"), QStringLiteral("M"));
        s.values.insert(QStringLiteral("opd_doc"), opd);
        s.values.insert(QStringLiteral("r_doc"), referrer);
        s.values.insert(QStringLiteral("amount"), QStringLiteral("300"));
        s.values.insert(QStringLiteral("n_amou"), QStringLiteral("300"));
        s.values.insert(QStringLiteral("Cash_rece"), QStringLiteral("300"));
        s.slipDate = day;
        s.status = status;
        s.panelStatus = QStringLiteral("Doctor");
        s.lines = {{QString::number(lab), QString::number(tests[0]), QStringLiteral("100")},
                   {QString::number(lab), QString::number(tests[1]), QStringLiteral("200")}};
        return slips::saveSlip(*Module1::Con, s, QStringLiteral("DESK 2"), QDateTime(day, QTime(21, 5, 9)));
    }
    void fillDoctors() {
        opd = doctor(QStringLiteral("DR. AHMED"));
        referrer = doctor(QStringLiteral("DR. BUTT"));
        lab = head(QStringLiteral("LABORATORY"));
        tests = {test(lab, QStringLiteral("CBC"), 100), test(lab, QStringLiteral("ESR"), 200)};
    }
    static QStringList column(frm_Test_Slips& w, int col) {
        return wbtest::gridColumn(*w.ui()->MshSearching, col);
    }
    static void criterion(frm_Test_Slips& w, const QString& c) { w.ui()->cmb_s_cri->setCurrentText(c); }
    static void typeSearch(frm_Test_Slips& w, const QString& text) {
        w.ui()->txt_s_val->clear();
        QTest::keyClicks(w.ui()->txt_s_val, text);
    }
    static void clickRow(frm_Test_Slips& w, int row) {
        w.ui()->MshSearching->setRow(row);
        w.MshSearching_Click();
    }
    static void reopen(frm_Test_Slips& w, int row) {
        w.ui()->MshSearching->setRow(row);
        w.MshSearching_DblClick();
    }
    static void password(frm_Test_Slips& w, const QString& text) {
        w.ui()->txtPassword->setText(text);
        w.txtPassword_KeyPress(13);
    }
    int lineCount() {
        return Module1::Con->scalar(QStringLiteral("select count(*) from SLIP_DETAIL")).toInt();
    }

    const QDate monday{2026, 12, 7}, tuesday{2026, 12, 8}, wednesday{2026, 12, 9};
};

TEST_P(SlipSearchTest, ListsNewestReferenceFirstWithTwelveColumnsAndNarrowsAtEveryKeystroke) {
    seed(QStringLiteral("ALI KHAN"), QStringLiteral("B-9"), monday);
    seed(QStringLiteral("SARA O'NEIL"), QStringLiteral("B-10"), tuesday, QStringLiteral("IPD"));
    seed(QStringLiteral("ALIA"), QStringLiteral("C-1"), wednesday);
    auto& w = open();
    auto* g = w.ui()->MshSearching;
    EXPECT_EQ(column(w, 2), (QStringList{"C-1", "B-9", "B-10"})); // text order of the reference
    EXPECT_EQ(g->TextMatrix(0, 0), QStringLiteral("Slip No"));
    EXPECT_EQ(g->TextMatrix(0, 7), QStringLiteral("Reffered By"));
    EXPECT_EQ(g->TextMatrix(0, 11), QStringLiteral("Time"));
    EXPECT_NEAR(g->colWidth(5), 4000, 15);
    EXPECT_NEAR(g->colWidth(3), 500, 15);
    const int b9 = wbtest::gridRow(*g, 2, QStringLiteral("B-9"));
    EXPECT_EQ(g->TextMatrix(b9, 1), QStringLiteral("07-12-2026"));
    EXPECT_EQ(g->TextMatrix(b9, 6), QStringLiteral("DR. AHMED"));
    EXPECT_EQ(g->TextMatrix(b9, 7), QStringLiteral("DR. BUTT"));
    EXPECT_EQ(g->TextMatrix(b9, 8), QStringLiteral("300"));
    EXPECT_EQ(g->TextMatrix(b9, 9), QStringLiteral("OPD"));
    EXPECT_EQ(g->TextMatrix(b9, 10), QStringLiteral("DESK 2"));
    EXPECT_EQ(g->TextMatrix(b9, 11), QStringLiteral("07/12/2026 09:05:09 PM"));

    QTest::keyClicks(w.ui()->txt_s_val, QStringLiteral("al"));
    EXPECT_EQ(w.ui()->txt_s_val->text(), QStringLiteral("AL"));
    EXPECT_EQ(column(w, 5), (QStringList{"ALIA", "ALI KHAN"}));
    QTest::keyClicks(w.ui()->txt_s_val, QStringLiteral("i "));
    EXPECT_EQ(column(w, 5), QStringList{"ALI KHAN"});
    typeSearch(w, QStringLiteral("o'n")); // an apostrophe is searched as typed
    EXPECT_EQ(column(w, 5), QStringList{"SARA O'NEIL"});

    criterion(w, QStringLiteral("Slip Code"));
    typeSearch(w, QStringLiteral("b-1"));
    EXPECT_EQ(column(w, 2), QStringList{"B-10"});
    typeSearch(w, QString());
    EXPECT_EQ(column(w, 2).size(), 3);

    criterion(w, QStringLiteral("IPD"));
    EXPECT_EQ(column(w, 5), QStringList{"SARA O'NEIL"});
    criterion(w, QStringLiteral("OPD"));
    EXPECT_EQ(column(w, 5), (QStringList{"ALIA", "ALI KHAN"}));
    typeSearch(w, QStringLiteral("KHAN"));
    EXPECT_EQ(column(w, 5), QStringList{"ALI KHAN"});

    // No hit: an empty grid of two rows without headers; the next hit brings the headers back.
    typeSearch(w, QStringLiteral("NOBODY"));
    EXPECT_EQ(g->Rows(), 2);
    EXPECT_TRUE(g->TextMatrix(0, 0).isEmpty());
    EXPECT_TRUE(g->TextMatrix(1, 0).isEmpty());
    typeSearch(w, QStringLiteral("A"));
    EXPECT_EQ(g->TextMatrix(0, 0), QStringLiteral("Slip No"));
    EXPECT_EQ(g->TextMatrix(0, 11), QStringLiteral("Time"));
}

TEST_P(SlipSearchTest, SlipDateShowsThePickerAndListsExactlyThatDay) {
    seed(QStringLiteral("MONDAY"), QStringLiteral("1"), monday);
    seed(QStringLiteral("TUESDAY A"), QStringLiteral("2"), tuesday);
    seed(QStringLiteral("TUESDAY B"), QStringLiteral("3"), tuesday);
    seed(QStringLiteral("WEDNESDAY"), QStringLiteral("4"), wednesday);
    auto& w = open();
    EXPECT_TRUE(w.ui()->DTPicker1->isHidden());
    criterion(w, QStringLiteral("Slip Date"));
    EXPECT_FALSE(w.ui()->DTPicker1->isHidden());
    w.ui()->DTPicker1->setDate(tuesday);
    EXPECT_EQ(column(w, 5), (QStringList{"TUESDAY B", "TUESDAY A"}));
    EXPECT_EQ(Module1::SearchDate, QStringLiteral("2026-12-08"));
    w.ui()->DTPicker1->setDate(QDate(2026, 12, 10));
    EXPECT_EQ(w.ui()->MshSearching->Rows(), 2);
    criterion(w, QStringLiteral("Patient Name"));
    EXPECT_TRUE(w.ui()->DTPicker1->isHidden());
    EXPECT_EQ(column(w, 5).size(), 4);
}

TEST_P(SlipSearchTest, CancelAsksForNumberReasonAndThePasswordAndStoresTheReasonAsTyped) {
    const qint64 key = seed(QStringLiteral("ALI"), QStringLiteral("7"), tuesday);
    auto& w = open();
    auto* u = w.ui();
    QApplication::setActiveWindow(main);
    u->SSTab1->setCurrentIndex(1);

    // A click on an empty row does nothing.
    typeSearch(w, QStringLiteral("NOBODY"));
    clickRow(w, 1);
    EXPECT_TRUE(u->txtCancelSlip->text().isEmpty());
    typeSearch(w, QString());

    w.cmdCancelSlip_Click();
    EXPECT_EQ(messages.texts(), QStringList{"Please Select Slip No."});
    EXPECT_TRUE(u->framePassword->isHidden());
    clickRow(w, 1);
    EXPECT_EQ(u->txtCancelSlip->text(), QString::number(key));
    messages.clear();
    w.cmdCancelSlip_Click();
    EXPECT_EQ(messages.texts(), QStringList{"Please must be enter resign"});
    EXPECT_TRUE(u->framePassword->isHidden());

    u->txtResign->setText(QStringLiteral("patient's mistake"));
    messages.clear();
    w.cmdCancelSlip_Click();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_FALSE(u->framePassword->isHidden());
    EXPECT_TRUE(u->txtPassword->hasFocus());
    EXPECT_EQ(u->txtPassword->echoMode(), QLineEdit::Password);

    password(w, QString());
    EXPECT_EQ(messages.texts(), QStringList{"please enter password"});
    // Only the whole password: a wrong digit, or the first digits of it, are wrong.
    for (const char* wrong : {"584", "5", "58", "5830"}) {
        messages.clear();
        password(w, QLatin1String(wrong));
        EXPECT_EQ(messages.texts(), QStringList{"wrong password"}) << wrong;
        EXPECT_TRUE(u->txtPassword->text().isEmpty()) << wrong;
        EXPECT_FALSE(u->framePassword->isHidden()) << wrong;
        EXPECT_TRUE(stored(key, QStringLiteral("CancelStatus")).isNull()) << wrong;
        EXPECT_TRUE(stored(key, QStringLiteral("CanResign")).isNull()) << wrong;
    }

    u->txt_s_val->setText(QStringLiteral("AL"));
    messages.clear();
    password(w, QStringLiteral("583"));
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(stored(key, QStringLiteral("CancelStatus")).toString(), QStringLiteral("CANCEL"));
    EXPECT_EQ(stored(key, QStringLiteral("CanResign")).toString(), QStringLiteral("patient's mistake"));
    EXPECT_TRUE(u->framePassword->isHidden());
    EXPECT_TRUE(u->txtCancelSlip->text().isEmpty());
    EXPECT_TRUE(u->txt_s_val->text().isEmpty());
    EXPECT_EQ(u->txtResign->text(), QStringLiteral("patient's mistake"));
    EXPECT_EQ(column(w, 4), QStringList{"CANCEL"});
    EXPECT_EQ(lineCount(), 2); // a cancelled slip keeps its lines

    // Cancelling it again stores the new reason as typed.
    clickRow(w, 1);
    u->txtResign->setText(QStringLiteral("billed twice, O'Brien's desk"));
    w.cmdCancelSlip_Click();
    password(w, QStringLiteral("583"));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(stored(key, QStringLiteral("CancelStatus")).toString(), QStringLiteral("CANCEL"));
    EXPECT_EQ(stored(key, QStringLiteral("CanResign")).toString(),
              QStringLiteral("billed twice, O'Brien's desk"));
}

TEST_P(SlipSearchTest, LeavingThePasswordPromptAbandonsTheCancel) {
    const qint64 key = seed(QStringLiteral("ALI"), QStringLiteral("7"), tuesday);
    auto& w = open();
    auto* u = w.ui();
    QApplication::setActiveWindow(main);
    u->SSTab1->setCurrentIndex(1);
    clickRow(w, 1);
    u->txtResign->setText(QStringLiteral("duplicate"));
    w.cmdCancelSlip_Click();
    ASSERT_TRUE(u->txtPassword->hasFocus());
    QTest::keyClicks(u->txtPassword, QStringLiteral("58"));
    u->txtResign->setFocus();
    EXPECT_TRUE(u->framePassword->isHidden());
    EXPECT_TRUE(u->txtPassword->text().isEmpty());
    EXPECT_TRUE(u->txtCancelSlip->text().isEmpty());
    EXPECT_TRUE(u->MshSearching->hasFocus());
    EXPECT_TRUE(stored(key, QStringLiteral("CancelStatus")).isNull());

    // With the prompt open again, Enter typed in the box completes the cancel.
    clickRow(w, 1);
    w.cmdCancelSlip_Click();
    QTest::keyClicks(u->txtPassword, QStringLiteral("583"));
    QTest::keyClick(u->txtPassword, Qt::Key_Return);
    EXPECT_EQ(stored(key, QStringLiteral("CancelStatus")).toString(), QStringLiteral("CANCEL"));
}

TEST_P(SlipSearchTest, CancellingASlipAnotherDeskDeletedSaysSo) {
    const qint64 key = seed(QStringLiteral("ALI"), QStringLiteral("7"), tuesday);
    seed(QStringLiteral("BABAR"), QStringLiteral("8"), tuesday);
    auto& w = open();
    clickRow(w, wbtest::gridRow(*w.ui()->MshSearching, 0, QString::number(key)));
    w.ui()->txtResign->setText(QStringLiteral("wrong patient"));
    w.cmdCancelSlip_Click();
    slips::deleteSlip(*Module1::Con, key);
    password(w, QStringLiteral("583"));
    EXPECT_EQ(messages.texts(), QStringList{"This slip no longer exists"});
    EXPECT_EQ(slipCount(), 1);
    EXPECT_TRUE(stored(key + 1, QStringLiteral("CancelStatus")).isNull());
    EXPECT_EQ(column(w, 5), QStringList{"BABAR"});
}

TEST_P(SlipSearchTest, AnOrdinaryUserReopensAndPrintsButCannotSaveOrDelete) {
    seed(QStringLiteral("ALI"), QStringLiteral("7"), tuesday);
    Module1::UserType = QStringLiteral("U");
    auto& w = open();
    auto* u = w.ui();
    EXPECT_FALSE(u->cmdDelete->isEnabled());
    u->SSTab1->setCurrentIndex(1);
    reopen(w, 1);
    EXPECT_EQ(u->SSTab1->currentIndex(), 0);
    EXPECT_FALSE(u->frmSlipNo->isHidden());
    EXPECT_EQ(u->txt_Row_No->text(), QStringLiteral("1"));
    EXPECT_EQ(u->txt_pat_name->text(), QStringLiteral("ALI"));
    EXPECT_TRUE(u->lblCancel->isHidden());
    EXPECT_FALSE(u->cmdSave->isEnabled());
    EXPECT_FALSE(u->cmdDelete->isEnabled());
    EXPECT_EQ(lineTexts(w, 3), (QStringList{"CBC", "ESR"}));
    const QString printed = print(w);
    EXPECT_TRUE(printed.contains(QStringLiteral("ALI")));
    EXPECT_TRUE(printed.contains(QStringLiteral("ESR")));
    // A new slip may be saved again.
    w.cmdCancel_Click();
    EXPECT_TRUE(u->cmdSave->isEnabled());
    EXPECT_TRUE(u->frmSlipNo->isHidden());
}

TEST_P(SlipSearchTest, AnAdministratorCorrectsACancelledSlipAndItStaysCancelled) {
    const qint64 key = seed(QStringLiteral("ALI"), QStringLiteral("7"), tuesday);
    slips::cancelSlip(*Module1::Con, key, QStringLiteral("mistake"));
    ui::Clock::setFixed(QDateTime(wednesday, QTime(9, 0))); // the slip was saved yesterday
    auto& w = open();
    auto* u = w.ui();
    reopen(w, 1);
    EXPECT_FALSE(u->lblCancel->isHidden());
    EXPECT_TRUE(u->cmdSave->isEnabled());
    EXPECT_TRUE(u->cmdDelete->isEnabled());
    u->txt_pat_name->setText(QStringLiteral("ALI RAZA"));
    w.cmdSave_Click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(stored(key, QStringLiteral("p_name")).toString(), QStringLiteral("ALI RAZA"));
    EXPECT_EQ(stored(key, QStringLiteral("CancelStatus")).toString(), QStringLiteral("CANCEL"));
    EXPECT_EQ(stored(key, QStringLiteral("CanResign")).toString(), QStringLiteral("mistake"));
    EXPECT_EQ(stored(key, QStringLiteral("User_Name")).toString(), QStringLiteral("DESK 2"));
    EXPECT_EQ(stored(key, QStringLiteral("Slip_date")).toDate(), tuesday); // not re-dated to today
    EXPECT_EQ(lineCount(), 2);
    EXPECT_TRUE(u->lblCancel->isHidden()); // the screen is clear again
    EXPECT_EQ(column(w, 5), QStringList{"ALI RAZA"});
}

TEST_P(SlipSearchTest, DeleteAsksThenRemovesLinesAndHeaderAndEmptiesTheScreen) {
    seed(QStringLiteral("ALI"), QStringLiteral("7"), tuesday);
    seed(QStringLiteral("BABAR"), QStringLiteral("8"), tuesday);
    auto& w = open();
    auto* u = w.ui();
    w.cmdDelete_Click(); // nothing open: no question
    EXPECT_TRUE(messages.shown().isEmpty());
    reopen(w, wbtest::gridRow(*u->MshSearching, 5, QStringLiteral("ALI")));
    messages.answer(ui::vbNo);
    w.cmdDelete_Click();
    EXPECT_EQ(messages.last().text, QStringLiteral("Are you sure Delete this Slip No"));
    EXPECT_EQ(messages.last().style, ui::vbYesNo + ui::vbInformation);
    EXPECT_EQ(slipCount(), 2);
    EXPECT_EQ(u->txt_pat_name->text(), QStringLiteral("ALI"));
    w.cmdDelete_Click();
    EXPECT_EQ(slipCount(), 1);
    EXPECT_EQ(lineCount(), 2);
    EXPECT_TRUE(u->txt_pat_name->text().isEmpty());
    EXPECT_TRUE(u->txt_Row_No->text().isEmpty());
    EXPECT_EQ(u->MshEntry->Rows(), 1);
    EXPECT_FALSE(u->cmdDelete->isEnabled());
    EXPECT_EQ(column(w, 5), QStringList{"BABAR"});

    // A slip another desk deleted meanwhile is reported, not silently "deleted".
    reopen(w, 1);
    slips::deleteSlip(*Module1::Con, u->txt_Row_No->text().toLongLong());
    messages.clear();
    w.cmdDelete_Click();
    EXPECT_EQ(messages.texts(),
              (QStringList{"Are you sure Delete this Slip No", "This slip no longer exists"}));
}

TEST_P(SlipSearchTest, ALongBookKeepsItsOrderPastTheFirstScreenfulAndReopensARowFurtherDown) {
    // More slips than the grid reads at first, and a few without a reference, which come last.
    QStringList expected;
    QList<qint64> keys;
    for (int i = 1; i <= 150; ++i)
        keys << seed(QStringLiteral("PATIENT %1").arg(i), QStringLiteral("R-%1").arg(i, 3, 10, QChar(u'0')),
                     monday);
    const qint64 withoutCode1 = seed(QStringLiteral("NO CODE A"), QString(), tuesday);
    const qint64 withoutCode2 = seed(QStringLiteral("NO CODE B"), QString(), tuesday);
    for (int i = 150; i >= 1; --i)
        expected << QStringLiteral("PATIENT %1").arg(i);
    expected << QStringLiteral("NO CODE B") << QStringLiteral("NO CODE A");
    auto& w = open();
    auto* g = w.ui()->MshSearching;
    EXPECT_EQ(g->Rows(), 153);
    EXPECT_EQ(column(w, 5), expected);
    EXPECT_EQ(g->TextMatrix(152, 0), QString::number(withoutCode1));
    EXPECT_EQ(g->TextMatrix(151, 0), QString::number(withoutCode2));
    EXPECT_EQ(g->TextMatrix(140, 11), QStringLiteral("07/12/2026 09:05:09 PM"));

    // A row far below the first screenful: the slip reopened is the one the row shows.
    const int row = wbtest::gridRow(*g, 5, QStringLiteral("PATIENT 11"));
    ASSERT_EQ(row, 140);
    reopen(w, row);
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QString::number(keys[10]));
    EXPECT_EQ(w.ui()->txt_pat_name->text(), QStringLiteral("PATIENT 11"));

    // A narrower search through the index keeps the same order.
    w.ui()->SSTab1->setCurrentIndex(1);
    criterion(w, QStringLiteral("Slip Code"));
    typeSearch(w, QStringLiteral("r-1"));
    QStringList narrowed;
    for (int i = 150; i >= 100; --i)
        narrowed << QStringLiteral("PATIENT %1").arg(i);
    EXPECT_EQ(column(w, 5), narrowed);
}

TEST_P(SlipSearchTest, PrintWithoutASlipShowsNothing) {
    auto& w = open();
    w.cmdPrint_Click();
    auto* viewer = ui::Forms::loaded<frmViewer>();
    EXPECT_TRUE(viewer == nullptr || viewer->CRViewer91->document() == nullptr);
}

WB_ENGINES(SlipSearchTest);

} // namespace
