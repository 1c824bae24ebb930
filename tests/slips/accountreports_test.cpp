#include "accountsfixture.h"

#include "registers/frm_Doc_Infor.h"
#include "registers/frm_patient_detail.h"
#include "report/print.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "slips/frmRPTAccounts.h"
#include "support/registertest.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui_frmRPTAccounts.h"
#include "ui_frm_Doc_Infor.h"

#include <QListWidget>
#include <QMdiArea>
#include <QTabWidget>
#include <QTest>

using namespace wb;
using namespace accounts;

namespace {

class AccountReportsTest : public wbtest::PrintingRegisterTest {
protected:
    void SetUp() override {
        PrintingRegisterTest::SetUp();
        if (IsSkipped())
            return;
        ui::Clock::setFixed(QDateTime(day(2), QTime(18, 30)));
        keys = write(*Module1::Con);
    }
    void TearDown() override {
        ui::Clock::reset();
        PrintingRegisterTest::TearDown();
    }

    frmRPTAccounts& open() { return wbtest::openFromMenu<frmRPTAccounts>("mnu_Rep"); }
    static void setDates(frmRPTAccounts& w, const QDate& from, const QDate& to) {
        w.ui()->DTPicker1->setDate(from);
        w.ui()->DTPicker2->setDate(to);
    }
    // Chooses the heads (by their index in heads()) in the order given.
    void choose(frmRPTAccounts& w, const QList<int>& which) {
        w.cmdHeadWise_Click();
        for (int h : which) {
            auto items = w.ui()->lstServices->findItems(heads()[h], Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1);
            items.first()->setSelected(true);
        }
    }
    static report::Report& lastReport(frmRPTAccounts& w) {
        report::PrintJob* job = report::PrintJob::of(&w);
        EXPECT_NE(job, nullptr);
        return *job->report;
    }

    Keys keys;
};

TEST_P(AccountReportsTest, OpensFromTheMenuAtTodayWithTheHeadsByName) {
    auto& w = open();
    EXPECT_EQ(w.caption(), QStringLiteral("Accounts Report"));
    EXPECT_EQ(w.ui()->Label3->text(), QStringLiteral("Accounts Reports"));
    EXPECT_EQ(w.ui()->DTPicker1->date(), day(2));
    EXPECT_EQ(w.ui()->DTPicker2->date(), day(2));
    EXPECT_FALSE(w.ui()->frameServices->isVisible());
    EXPECT_NEAR(w.topTw(), 600, 15);
    EXPECT_NEAR(w.leftTw(), 1500, 15);
    auto* list = w.ui()->lstServices;
    ASSERT_EQ(list->count(), 3);
    const QStringList byName = {"CARDIOLOGY", "LABORATORY", "RADIOLOGY"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list->item(i)->text(), byName[i]);
        EXPECT_EQ(list->item(i)->data(Qt::UserRole).toLongLong(), keys.heads[heads().indexOf(byName[i])]);
    }
}

TEST_P(AccountReportsTest, ServicesFrameAlwaysOpensWithNothingChosenAndNeedsAChoice) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    w.cmdServOK_Click(); // hidden or not, no head is chosen yet
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("please select at least one Service"));
    EXPECT_EQ(messages.last().style, 64);
    EXPECT_EQ(report::PrintJob::of(&w), nullptr);

    choose(w, {0, 2});
    EXPECT_TRUE(w.ui()->frameServices->isVisible());
    EXPECT_EQ(w.ui()->lstServices->selectedItems().size(), 2);
    w.cmdSerCancel_Click();
    EXPECT_FALSE(w.ui()->frameServices->isVisible());
    w.cmdHeadWise_Click();
    EXPECT_TRUE(w.ui()->frameServices->isVisible());
    EXPECT_TRUE(w.ui()->lstServices->selectedItems().isEmpty());
    EXPECT_TRUE(w.ui()->lstServices->hasFocus());
    w.cmdServOK_Click();
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_TRUE(w.ui()->frameServices->isVisible()); // stays open for the choice

    // The keyboard chooses too: space toggles the current head.
    QTest::keyClick(w.ui()->lstServices, Qt::Key_Down);
    QTest::keyClick(w.ui()->lstServices, Qt::Key_Space);
    EXPECT_EQ(w.ui()->lstServices->selectedItems().size(), 1);
}

TEST_P(AccountReportsTest, HandsEachReportItsDatesFormulasAndFields) {
    auto& w = open();
    setDates(w, day(1), day(3));

    w.cmdDailySlip_Click();
    report::Report* r = &lastReport(w);
    EXPECT_EQ(r->fileName(), QStringLiteral("rpt_DailyCounter.rpt"));
    EXPECT_EQ(r->recordSelectionFormula(),
              QStringLiteral("{Company.comActive} = 'Y' and {SLIPS_MASTER.Slip_date} = #2026-12-05#"));
    EXPECT_EQ(
        r->subreport(QStringLiteral("rptSlipsTotal")).recordSelectionFormula(),
        QStringLiteral("isnull({SLIPS_MASTER.CancelStatus}) and {SLIPS_MASTER.Slip_date} = #2026-12-05#"));
    EXPECT_EQ(r->subreport(QStringLiteral("rptCacelSlip")).recordSelectionFormula(),
              QStringLiteral("{SLIPS_MASTER.Slip_date} = #2026-12-05#"));

    w.cmdDeptWise_Click();
    r = &lastReport(w);
    EXPECT_EQ(r->fileName(), QStringLiteral("rpt_DeptWise.rpt"));
    EXPECT_EQ(r->recordSelectionFormula(), QStringLiteral("{Company.comActive} = 'Y'"));
    EXPECT_EQ(r->parameter(1).value().toDate(), day(1));
    EXPECT_EQ(r->formulaField(QStringLiteral("rptDate")).text(), QStringLiteral("\"05/12/2026\""));

    w.cmdDocWise_Click();
    r = &lastReport(w);
    EXPECT_EQ(r->recordSelectionFormula(),
              QStringLiteral(
                  "{Company.comActive} = 'Y' and {SLIPS_MASTER.Slip_date} in #2026-12-05#  to #2026-12-07#"));
    EXPECT_EQ(r->formulaField(QStringLiteral("FDate")).text(), QStringLiteral("\"05/12/2026\""));
    EXPECT_EQ(r->formulaField(QStringLiteral("TDate")).text(), QStringLiteral("\"07/12/2026\""));

    // The heads stand in list order (by name), whatever order they were chosen in.
    choose(w, {1, 2, 0});
    w.cmdServOK_Click();
    r = &lastReport(w);
    const auto key = [&](int h) { return QString::number(keys.heads[h]); };
    EXPECT_EQ(r->recordSelectionFormula(),
              "({rptHeadWise.S_Code} = " + key(2) + " or {rptHeadWise.S_Code} = " + key(0) +
                  " or {rptHeadWise.S_Code} = " + key(1) + ") and {Company.comActive} = 'Y' ");
    EXPECT_EQ(r->formulaField(QStringLiteral("Dates")).text(), QStringLiteral("\"05/12/2026\""));
    EXPECT_FALSE(w.ui()->frameServices->isVisible());

    choose(w, {1});
    w.cmdServOK_Click();
    EXPECT_EQ(lastReport(w).recordSelectionFormula(),
              "({rptHeadWise.S_Code} = " + key(1) + ") and {Company.comActive} = 'Y' ");
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_P(AccountReportsTest, DailyCounterSheetTotalsTheDayAndListsCancelledSlipsApart) {
    auto& w = open();
    w.cmdDailySlip_Click();
    const QString text = wbtest::viewerReportText();

    EXPECT_NE(lineWith(text, "CITY HOSPITAL"), QString());
    EXPECT_NE(lineWith(text, "12 MALL ROAD, LAHORE"), QString());
    EXPECT_EQ(lineWith(text, "OLD CLINIC"), QString());
    EXPECT_NE(lineWith(text, "DAILY COUNTER SHEET"), QString());
    EXPECT_NE(lineWith(text, "Date: 06/12/2026"), QString());
    EXPECT_NE(lineWith(text, "Page 1 of 1"), QString());
    for (const Slip& s : accounts::slips()) {
        if (s.date != day(2) || s.cancelled) {
            EXPECT_EQ(linesWith(text, s.patient), s.cancelled && s.date == day(2) ? 1 : 0)
                << s.patient.toStdString();
            continue;
        }
        const QString line = lineWith(text, s.patient);
        ASSERT_FALSE(line.isEmpty()) << s.patient.toStdString();
        EXPECT_TRUE(line.startsWith(QString::number(s.no) + " REF-" + QString::number(s.no)))
            << line.toStdString();
        EXPECT_TRUE(line.endsWith(QStringLiteral("%1 %2 %3 %4 %5")
                                      .arg(s.amount(), 0, 'f', 2)
                                      .arg(s.discount, 0, 'f', 2)
                                      .arg(s.amount(), 0, 'f', 2)
                                      .arg(s.cash, 0, 'f', 2)
                                      .arg(s.balance(), 0, 'f', 2)))
            << line.toStdString();
    }

    const auto counted = [](const QString& shift, const QString& user) {
        return totals([=](const Slip& s) {
            return s.date == day(2) && !s.cancelled && (shift.isEmpty() || s.shift == shift) &&
                   (user.isEmpty() || s.user == user);
        });
    };
    EXPECT_EQ(numbersIn(lineWith(text, "Shift M total")), counted("M", {}).numbers());
    EXPECT_EQ(numbersIn(lineWith(text, "Shift E total")), counted("E", {}).numbers());
    const Totals day2 = counted({}, {});
    EXPECT_EQ(day2.count, 4); // the cancelled slip is not one of them
    EXPECT_EQ(numbersIn(lineWith(text, "Total of the day")), day2.numbers());

    // The takings by user: each user's slips and, for all users, the day's total again.
    const int byUser = text.split('\n').indexOf(QRegularExpression(".*Takings by user.*"));
    ASSERT_GE(byUser, 0);
    EXPECT_EQ(numbersIn(lineWith(text, "CASHIER1", byUser)), counted({}, "CASHIER1").numbers());
    EXPECT_EQ(numbersIn(lineWith(text, "CASHIER2", byUser)), counted({}, "CASHIER2").numbers());
    EXPECT_EQ(numbersIn(lineWith(text, "All users")), day2.numbers());

    // The cancelled slip, with its reason, below the totals.
    const int cancelled = text.split('\n').indexOf(QRegularExpression(".*Cancelled slips \\(not counted.*"));
    ASSERT_GT(cancelled, byUser);
    const QString usman = lineWith(text, "USMAN GHANI", cancelled);
    EXPECT_TRUE(usman.startsWith("6 USMAN GHANI CASHIER2 1700.00 CANCEL WRONG PATIENT"))
        << usman.toStdString();
    EXPECT_NE(lineWith(text, "Cancelled slips: 1"), QString());
}

TEST_P(AccountReportsTest, DailyCounterSheetOfADayWithoutSlipsShowsNoTotals) {
    auto& w = open();
    setDates(w, day(3).addDays(1), day(3).addDays(1));
    w.cmdDailySlip_Click();
    const QString text = wbtest::viewerReportText();
    EXPECT_NE(lineWith(text, "CITY HOSPITAL"), QString());
    EXPECT_EQ(numbersIn(lineWith(text, "Total of the day")), (QVector<double>{0, 0, 0, 0, 0, 0}));
    EXPECT_NE(lineWith(text, "Cancelled slips: 0"), QString());
}

TEST_P(AccountReportsTest, DepartmentWiseSheetTotalsEachHeadOfTheDay) {
    auto& w = open();
    w.cmdDeptWise_Click();
    const QString text = wbtest::viewerReportText();
    EXPECT_NE(lineWith(text, "DEPARTMENT WISE SHEET"), QString());
    EXPECT_NE(lineWith(text, "Date: 06/12/2026"), QString());
    EXPECT_NE(lineWith(text, "CITY HOSPITAL"), QString());

    double all = 0;
    int allLines = 0;
    for (int h = 0; h < heads().size(); ++h) {
        double sum = 0;
        int n = 0;
        for (const Slip& s : accounts::slips())
            for (const Line& l : s.lines)
                if (s.date == day(2) && !s.cancelled && l.head == h) {
                    sum += l.rate;
                    ++n;
                }
        EXPECT_EQ(numbersIn(lineWith(text, "Total " + heads()[h])), (QVector<double>{double(n), sum}))
            << heads()[h].toStdString();
        all += sum;
        allLines += n;
    }
    EXPECT_EQ(numbersIn(lineWith(text, "Total of the day")), (QVector<double>{double(allLines), all}));
    EXPECT_EQ(all, totals([](const Slip& s) { return s.date == day(2) && !s.cancelled; }).bill);
    EXPECT_EQ(linesWith(text, "USMAN GHANI"), 0);
    EXPECT_EQ(linesWith(text, "ALI RAZA"), 0); // another day
    EXPECT_EQ(lineWith(text, "LFT"), QStringLiteral("3 OPD O'NEIL LFT 1200.00")) << text.toStdString();
}

TEST_P(AccountReportsTest, DoctorWiseSummaryTotalsEachDoctorOverTheRange) {
    auto& w = open();
    const auto check = [&](const QDate& from, const QDate& to) {
        SCOPED_TRACE(from.toString().toStdString() + " to " + to.toString().toStdString());
        setDates(w, from, to);
        w.cmdDocWise_Click();
        const QString text = wbtest::viewerReportText();
        EXPECT_NE(lineWith(text, "From " + from.toString("dd/MM/yyyy") + " To " + to.toString("dd/MM/yyyy")),
                  QString());
        const auto inRange = [=](const Slip& s) { return s.date >= from && s.date <= to && !s.cancelled; };
        for (const Doctor& d : doctors()) {
            const Totals t = totals([&](const Slip& s) { return inRange(s) && s.doctor == d.rowNo; });
            const QString line = lineWith(text, d.name);
            if (t.count == 0) {
                EXPECT_EQ(line, QString()) << d.name.toStdString();
                continue;
            }
            EXPECT_TRUE(line.startsWith(d.name + " " + d.status)) << line.toStdString();
            EXPECT_EQ(numbersIn(line), t.numbers()) << d.name.toStdString();
        }
        EXPECT_EQ(numbersIn(lineWith(text, "All doctors")),
                  totals([&](const Slip& s) { return inRange(s) && s.doctor != 0; }).numbers());
    };
    check(day(1), day(3));
    check(day(2), day(2));
    // A To date before the From date: an empty summary, no error.
    check(day(3), day(1));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_P(AccountReportsTest, HeadWiseReportTotalsTheChosenHeadsOfTheFromDate) {
    auto& w = open();
    setDates(w, day(2), day(3)); // the To date plays no part
    const auto check = [&](const QList<int>& chosen) {
        choose(w, chosen);
        w.cmdServOK_Click();
        const QString text = wbtest::viewerReportText();
        EXPECT_NE(lineWith(text, "HEAD WISE REPORT"), QString());
        EXPECT_NE(lineWith(text, "Date: 06/12/2026"), QString());
        double all = 0;
        int allQty = 0;
        for (int h = 0; h < heads().size(); ++h) {
            double headSum = 0;
            int headQty = 0;
            for (int t = 0; t < tests().size(); ++t) {
                if (tests()[t].head != h)
                    continue;
                double sum = 0;
                int qty = 0;
                for (const Slip& s : accounts::slips())
                    for (const Line& l : s.lines)
                        if (s.date == day(2) && !s.cancelled && l.test == t) {
                            sum += l.rate;
                            ++qty;
                        }
                const QString line = lineWith(text, tests()[t].name);
                if (!chosen.contains(h) || qty == 0) {
                    EXPECT_EQ(line, QString()) << tests()[t].name.toStdString();
                    continue;
                }
                EXPECT_EQ(numbersIn(line), (QVector<double>{double(qty), sum}))
                    << tests()[t].name.toStdString();
                headSum += sum;
                headQty += qty;
            }
            if (chosen.contains(h)) {
                EXPECT_EQ(numbersIn(lineWith(text, "Total " + heads()[h])),
                          (QVector<double>{double(headQty), headSum}));
                all += headSum;
                allQty += headQty;
            }
        }
        EXPECT_EQ(numbersIn(lineWith(text, "Total of the heads")), (QVector<double>{double(allQty), all}));
    };
    check({0});
    check({0, 1, 2});
    // The run's work rows are gone once the report is drawn.
    EXPECT_EQ(Module1::Con->scalar("SELECT count(*) FROM rptHeadWise").toInt(), 0);
}

TEST_P(AccountReportsTest, PickedDoctorAndPatientShowWhenTheWindowIsActiveAgain) {
    auto& w = open();
    w.cmdFind_Doc_Click();
    auto* reg = ui::Forms::loaded<frm_Doc_Infor>();
    ASSERT_NE(reg, nullptr);
    EXPECT_TRUE(Module1::PickMode);
    EXPECT_EQ(reg->SSTab1->currentIndex(), 1);
    EXPECT_NEAR(reg->topTw(), 1000, 15);
    EXPECT_NEAR(reg->leftTw(), 2700, 15);
    const int row = wbtest::gridRow(*reg->Msh, 2, QStringLiteral("DR BUTT"));
    ASSERT_GT(row, 0);
    reg->Msh->setRow(row);
    reg->Msh_DblClick();
    EXPECT_EQ(ui::Forms::loaded<frm_Doc_Infor>(), nullptr);

    main->area()->setActiveSubWindow(w.subWindow());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.ui()->txtDocName->text(), QStringLiteral("DR BUTT"));
    EXPECT_EQ(w.ui()->txtDocName->property("Tag").toString(), QStringLiteral("2"));
    EXPECT_EQ(Module1::SelDocId, 0);
    EXPECT_EQ(Module1::SelDocName, QString());

    w.cmdFind_Patient_Click();
    auto* pat = ui::Forms::loaded<frm_patient_detail>();
    ASSERT_NE(pat, nullptr);
    EXPECT_NEAR(pat->topTw(), 1700, 15);
    EXPECT_NEAR(pat->leftTw(), 2500, 15);
    Module1::SelPatId = 7; // as the patient register's pick hands it back
    Module1::SelPatName = QStringLiteral("NOOR");
    common::picks::answer(pat);
    pat->unload();
    main->area()->setActiveSubWindow(w.subWindow());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.ui()->txtPatName->text(), QStringLiteral("NOOR"));
    EXPECT_EQ(w.ui()->txtPatName->property("Tag").toString(), QStringLiteral("7"));
    EXPECT_EQ(Module1::SelPatId, 0);
    EXPECT_EQ(Module1::SelPatName, QString());
    EXPECT_EQ(w.ui()->txtDocName->text(), QStringLiteral("DR BUTT")); // kept
}

// Two doctors, or two service heads, of one name are two lines of the summaries, each with its own
// figures; the department-wise lines of a slip stand in their line order on both engines.
TEST_P(AccountReportsTest, SummariesGroupByKeyWhenTwoRowsShareAName) {
    auto& con = *Module1::Con;
    const Doctor& first = doctors()[0];
    con.Execute(
        QStringLiteral("INSERT INTO doc (Row_no, doc_code, doc_name, Status) VALUES (90, 'DOC-90', ?, ?)"),
        {first.name, first.status});
    con.Execute(QStringLiteral("INSERT INTO Services (S_name, S_code) VALUES (?, 'CAT-')"), {heads()[0]});
    const qint64 twinHead = con.scalar(QStringLiteral("select max(Row_no) from Services")).toLongLong();
    con.Execute(
        QStringLiteral(
            "INSERT INTO Rate_List (S_code, Cata, Rate, Status) VALUES (?, 'TWIN TEST', 70, 'Rountine')"),
        {twinHead});
    const qint64 twinTest = con.scalar(QStringLiteral("select max(Row_no) from Rate_List")).toLongLong();
    con.Execute(QStringLiteral("INSERT INTO SLIPS_MASTER (Row_no, Slip_date, p_name, r_doc, status, amount, "
                               "discount, n_amou, Cash_rece, Bal) VALUES (90, ?, 'TWIN PATIENT', 90, 'OPD', "
                               "210, 0, 210, 210, 0)"),
                {day(2)});
    // Lines stored out of their order.
    for (int line : {3, 1, 2})
        con.Execute(QStringLiteral("INSERT INTO SLIP_DETAIL (Row_no, Line_no, slip_date, service, rate_list, "
                                   "test_rate) VALUES (90, ?, ?, ?, ?, ?)"),
                    {line, day(2), twinHead, twinTest, 10.0 * line});

    auto& w = open();
    setDates(w, day(2), day(2));
    w.cmdDocWise_Click();
    QString text = wbtest::viewerReportText();
    const auto byFirst = [&](const Slip& s) {
        return s.date == day(2) && !s.cancelled && s.doctor == first.rowNo;
    };
    QList<QVector<double>> doctorLines;
    for (const QString& l : text.split(u'\n'))
        if (l.simplified().startsWith(first.name + u' ' + first.status))
            doctorLines << numbersIn(l);
    QList<QVector<double>> expected{totals(byFirst).numbers(), QVector<double>{1, 210, 0, 210, 210, 0}};
    if (totals(byFirst).count == 0)
        expected.removeFirst();
    EXPECT_EQ(doctorLines, expected) << text.toStdString();

    w.cmdDeptWise_Click();
    text = wbtest::viewerReportText();
    EXPECT_EQ(linesWith(text, QStringLiteral("Total ") + heads()[0]), 2) << text.toStdString();
    EXPECT_TRUE(
        text.simplified().contains(QStringLiteral("Total ") + heads()[0] + QStringLiteral(" Tests: 3 60.00")))
        << text.toStdString();
    QStringList twinLines;
    for (const QString& l : text.split(u'\n'))
        if (l.contains(QStringLiteral("TWIN TEST")))
            twinLines << l.simplified();
    EXPECT_EQ(twinLines,
              (QStringList{"90 OPD TWIN PATIENT TWIN TEST 10.00", "90 OPD TWIN PATIENT TWIN TEST 20.00",
                           "90 OPD TWIN PATIENT TWIN TEST 30.00"}));
}

WB_ENGINES(AccountReportsTest);

} // namespace
