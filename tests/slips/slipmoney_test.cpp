// The slip's money as a cashier meets it: lines picked from the rate list, amounts typed, the slip
// saved and reopened, all through the window's own keys and clicks. Every stored slip adds up.
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Rate_List.h"
#include "report/print.h"
#include "shell/MDIForm1.h"
#include "slipfixture.h"
#include "ui/flexgrid.h"

#include <QApplication>
#include <QMdiArea>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

using namespace wb;

namespace {

// One step of a cashier at the slip window.
struct Step {
    enum Kind { Add, Remove, Type, Save, Reopen, Shows } kind;
    QString what; // the test to add or remove, the box typed into or read ("cash", "balance", ...)
    QString text; // what is typed or expected in the box
    QString said; // the message the step shows, when it shows one
};

// The stored money of a slip, each Null as "-".
struct Stored {
    QString amount, cash, balance, discount;
};

struct MoneyCase {
    const char* name;
    QList<double> rates; // the rate list: tests "T1", "T2", ... at these rates
    QList<Step> steps;
    int slips;     // slips stored at the end
    Stored stored; // the money of the last slip
};

// The test picked from the rate list and added; with a rate, that rate typed over the picked one.
Step add(const char* test, const char* rate = "", const char* said = "") {
    return {Step::Add, QLatin1String(test), QLatin1String(rate), QLatin1String(said)};
}
Step remove(const char* test, const char* said = "") {
    return {Step::Remove, QLatin1String(test), {}, QLatin1String(said)};
}
Step type(const char* box, const char* text, const char* said = "") {
    return {Step::Type, QLatin1String(box), QLatin1String(text), QLatin1String(said)};
}
Step save(const char* said = "") {
    return {Step::Save, {}, {}, QLatin1String(said)};
}
Step reopen() {
    return {Step::Reopen, {}, {}, {}};
}
Step shows(const char* box, const char* text) {
    return {Step::Shows, QLatin1String(box), QLatin1String(text), {}};
}

const char* const tooMuch = "cash amount Equal or less then net amount";

class SlipMoneyCases : public SlipTest {
protected:
    void run(const MoneyCase& c);

    QLineEdit* box(frm_Test_Slips& w, const QString& name) {
        auto* u = w.ui();
        const QHash<QString, QLineEdit*> boxes = {
            {"cash", u->txt_cash_rece}, {"balance", u->txt_balance},  {"discount", u->txt_discount},
            {"net", u->txt_net_amuont}, {"total", u->txt_amount},     {"age", u->txt_age},
            {"name", u->txt_pat_name},  {"contact", u->txt_phone_no}, {"reference", u->txt_book_no}};
        return boxes.value(name);
    }
    // A click in the middle of a control, as the user's mouse gives it.
    static void click(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        QApplication::processEvents();
    }
    // Types over the box's text: a click into it, End, Backspace until it is empty, the keys.
    static void typeOver(QLineEdit* b, const QString& text) {
        click(b);
        QTest::keyClick(b, Qt::Key_End);
        while (!b->text().isEmpty() && b->cursorPosition() > 0)
            QTest::keyClick(b, Qt::Key_Backspace);
        QTest::keyClicks(b, text);
    }
    // Back to the slip window after a pick: a click on its title bar (the window manager makes the
    // main window active when the click lands in it, after the viewer had come up, say).
    void backTo(frm_Test_Slips& w) {
        if (QApplication::activeWindow() != main)
            QApplication::setActiveWindow(main);
        QWidget* frame = w.subWindow();
        QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(frame->width() / 2, 8));
        QApplication::processEvents();
    }
    // A row of a grid picked with the mouse, then Enter.
    static void pickRow(ui::FlexGrid& grid, int col, const QString& text) {
        const int row = wbtest::gridRow(grid, col, text);
        ASSERT_GT(row, 0) << text.toStdString();
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, col));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClick(&grid, Qt::Key_Return);
        QApplication::processEvents();
    }
    void pickDoctors(frm_Test_Slips& w) {
        click(w.ui()->cmd_find_opd_doc);
        auto* doctors = ui::Forms::loaded<frm_Doc_Infor>();
        ASSERT_NE(doctors, nullptr);
        pickRow(*doctors->Msh, 2, QStringLiteral("DR. AHMED"));
        backTo(w);
        click(w.ui()->cmd_find_Reff_doc);
        doctors = ui::Forms::loaded<frm_Doc_Infor>();
        ASSERT_NE(doctors, nullptr);
        pickRow(*doctors->Msh, 2, QStringLiteral("DR. BUTT"));
        backTo(w);
    }
    void addLine(frm_Test_Slips& w, const QString& test, const QString& rate = {}) {
        click(w.ui()->cmd_Rate_List);
        auto* rates = ui::Forms::loaded<frm_Rate_List>();
        ASSERT_NE(rates, nullptr);
        pickRow(*rates->Msh, 2, test);
        backTo(w);
        ASSERT_EQ(w.ui()->txt_Test->text(), test) << "the pick did not reach the slip";
        if (!rate.isEmpty())
            typeOver(w.ui()->txt_Rate, rate);
        click(w.ui()->cmd_ADD_1);
    }
    void removeLine(frm_Test_Slips& w, const QString& test) {
        auto& grid = *w.ui()->MshEntry;
        const int row = wbtest::gridRow(grid, 3, test);
        ASSERT_GT(row, 0) << test.toStdString();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          grid.visualRect(grid.model()->index(row - 1, 3)).center());
        click(w.ui()->cmd_Delete_2);
    }
    // The search page, a double-click on the newest slip, back on the entry page.
    void reopenNewest(frm_Test_Slips& w) {
        QTabBar* tabs = w.ui()->SSTab1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        auto& grid = *w.ui()->MshSearching;
        ASSERT_GT(grid.Rows(), 1);
        const int row = wbtest::gridRow(grid, 0, QString::number(slipCount()));
        ASSERT_GT(row, 0);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {},
                           grid.visualRect(grid.model()->index(row - 1, 5)).center());
        QApplication::processEvents();
    }
    static QString money(const QVariant& v) {
        return v.isNull() ? QStringLiteral("-") : QString::number(v.toDouble(), 'f', 2);
    }
};

void SlipMoneyCases::run(const MoneyCase& c) {
    opd = doctor(QStringLiteral("DR. AHMED"));
    referrer = doctor(QStringLiteral("DR. BUTT"));
    lab = head(QStringLiteral("LABORATORY"));
    for (int i = 0; i < c.rates.size(); ++i)
        test(lab, QStringLiteral("T%1").arg(i + 1), c.rates[i]);
    auto& w = open();
    QApplication::setActiveWindow(main);
    typeOver(box(w, "name"), QStringLiteral("ALI"));
    typeOver(box(w, "age"), QStringLiteral("30"));
    pickDoctors(w);
    ASSERT_EQ(w.ui()->txt_ref_doc->text(), QStringLiteral("DR. BUTT"));
    for (const Step& s : c.steps) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(s.kind).arg(s.what, s.text).toStdString());
        messages.clear();
        switch (s.kind) {
        case Step::Add:
            addLine(w, s.what, s.text);
            break;
        case Step::Remove:
            removeLine(w, s.what);
            break;
        case Step::Type:
            typeOver(box(w, s.what), s.text);
            break;
        case Step::Save:
            click(w.ui()->cmdSave);
            break;
        case Step::Reopen:
            reopenNewest(w);
            break;
        case Step::Shows:
            EXPECT_EQ(box(w, s.what)->text(), s.text) << s.what.toStdString();
            break;
        }
        if (HasFatalFailure())
            return;
        if (s.kind == Step::Shows)
            continue;
        EXPECT_EQ(messages.texts(), s.said.isEmpty() ? QStringList() : QStringList{s.said});
    }
    ASSERT_EQ(slipCount(), c.slips);
    if (c.slips == 0)
        return;
    const qint64 key = slipCount();
    const Stored got{
        money(stored(key, QStringLiteral("amount"))), money(stored(key, QStringLiteral("Cash_rece"))),
        money(stored(key, QStringLiteral("Bal"))), money(stored(key, QStringLiteral("discount")))};
    EXPECT_EQ(got.amount, c.stored.amount);
    EXPECT_EQ(got.cash, c.stored.cash);
    EXPECT_EQ(got.balance, c.stored.balance);
    EXPECT_EQ(got.discount, c.stored.discount);
    // Every stored slip adds up: discount = net - cash - balance, each Null counted as 0.
    for (qint64 k = 1; k <= c.slips; ++k) {
        const auto cents = [&](const char* column) {
            return qRound64(stored(k, QLatin1String(column)).toDouble() * 100);
        };
        EXPECT_EQ(cents("discount"), cents("n_amou") - cents("Cash_rece") - cents("Bal")) << "slip " << k;
        EXPECT_EQ(cents("n_amou"), cents("amount")) << "slip " << k;
    }
}

TEST_P(SlipMoneyCases, EveryStoredSlipAddsUpWhateverTheOrderOfTheCashiersSteps) {
    const QList<MoneyCase> cases = {
        {"cash typed, then a test added: the discount follows the new net",
         {100, 200, 300},
         {add("T1"), add("T2"), type("cash", "300"), shows("discount", "0"), add("T3"),
          shows("discount", "300"), save(), reopen(), shows("total", "600"), shows("cash", "300"),
          shows("discount", "300")},
         1,
         {"600.00", "300.00", "-", "300.00"}},
        {"cash for three tests, then one removed: the cash rule runs on the new net",
         {100, 200, 300},
         {add("T1"), add("T2"), add("T3"), type("cash", "600"), shows("discount", "0"), remove("T3", tooMuch),
          shows("cash", ""), save(), reopen(), shows("total", "300"), shows("cash", ""),
          shows("discount", "300"), type("cash", "300"), shows("discount", "0"), save()},
         1,
         {"300.00", "300.00", "-", "0.00"}},
        {"balance typed before the cash: the save refuses more than the net",
         {100, 200, 300},
         {add("T1"), add("T2"), add("T3"), type("balance", "100"), type("cash", "600"), save(tooMuch),
          shows("balance", "100"), type("balance", ""), save(), reopen(), shows("cash", "600"),
          shows("balance", ""), shows("discount", "0"), save()},
         1,
         {"600.00", "600.00", "-", "0.00"}},
        {"a reopened slip with a line replaced: the discount follows the new bill",
         {100.45, 50.20, 300},
         {add("T1"), add("T2"), type("cash", "100"), type("balance", "20.50"), shows("discount", "30.15"),
          save(), reopen(), shows("cash", "100"), shows("balance", "20.5"), shows("discount", "30.15"),
          add("T3"), remove("T2"), shows("total", "400.45"), shows("discount", "279.95"), save(), reopen(),
          shows("balance", "20.5"), shows("discount", "279.95")},
         1,
         {"400.45", "100.00", "20.50", "279.95"}},
        {"balance typed, then cash: the discount keeps the balance",
         {100, 200, 300},
         {add("T1"), add("T2"), add("T3"), type("balance", "100"), type("cash", "400"),
          shows("discount", "100"), save()},
         1,
         {"600.00", "400.00", "100.00", "100.00"}},
    };
    for (const MoneyCase& c : cases) {
        SCOPED_TRACE(c.name);
        run(c);
        if (HasFatalFailure())
            return;
        // The next case starts on an empty book with a fresh window.
        ui::Forms::unload<frm_Test_Slips>();
        for (const char* table : {"SLIP_DETAIL", "SLIPS_MASTER", "Rate_List", "Services", "doc"})
            Module1::Con->Execute(QStringLiteral("delete from %1").arg(QLatin1String(table)));
    }
}

TEST_P(SlipMoneyCases, ANumberItsColumnCannotTakeIsRefusedByTheBoxLabelAndMoneyIsStoredToTheCent) {
    const QList<MoneyCase> cases = {
        {"a rate too large for a line, however many digits",
         {100},
         {add("T1", "12345678901", "Rate is too large: at most 9,999,999,999.99"), shows("total", ""),
          add("T1", "123456789012345678901234", "Rate is too large: at most 9,999,999,999.99"),
          shows("total", ""), add("T1"), shows("total", "100"), save()},
         1,
         {"100.00", "-", "-", "100.00"}},
        {"an age too large, then not a number",
         {100},
         {add("T1"), type("age", "123456"), save("Age is too large: at most 9,999.99"), type("age", "."),
          save("Age must be a number: type digits with at most one point."), type("age", "45"), save()},
         1,
         {"100.00", "-", "-", "100.00"}},
        {"cash to a tenth of a cent and a blank balance",
         {100},
         {add("T1"), type("cash", "50.255"), shows("discount", "49.74"), type("balance", "   "), save()},
         1,
         {"100.00", "50.26", "-", "49.74"}},
    };
    for (const MoneyCase& c : cases) {
        SCOPED_TRACE(c.name);
        run(c);
        if (HasFatalFailure())
            return;
        ui::Forms::unload<frm_Test_Slips>();
        for (const char* table : {"SLIP_DETAIL", "SLIPS_MASTER", "Rate_List", "Services", "doc"})
            Module1::Con->Execute(QStringLiteral("delete from %1").arg(QLatin1String(table)));
    }
}

TEST_P(SlipMoneyCases, ATextTooLongIsToldByItsBoxLabelAndTheCancelReasonTakesItsColumnsLength) {
    opd = doctor(QStringLiteral("DR. AHMED"));
    referrer = doctor(QStringLiteral("DR. BUTT"));
    lab = head(QStringLiteral("LABORATORY"));
    test(lab, QStringLiteral("T1"), 100);
    auto& w = open();
    QApplication::setActiveWindow(main);
    typeOver(box(w, "name"), QStringLiteral("ALI"));
    typeOver(box(w, "age"), QStringLiteral("30"));
    pickDoctors(w);
    addLine(w, QStringLiteral("T1"));
    const struct {
        const char* box;
        int length;
        const char* said;
    } cases[] = {
        {"name", 61, "Patient Name is too long: at most 60 characters"},
        {"contact", 31, "Contact is too long: at most 30 characters"},
        {"reference", 31, "Other Refrence No. if any is too long: at most 30 characters"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        const QString before = box(w, c.box)->text();
        typeOver(box(w, c.box), QString(c.length, u'X'));
        messages.clear();
        click(w.ui()->cmdSave);
        EXPECT_EQ(messages.texts(), QStringList{QLatin1String(c.said)});
        EXPECT_EQ(slipCount(), 0);
        EXPECT_EQ(box(w, c.box)->text().size(), c.length); // what was typed stays
        typeOver(box(w, c.box), before);
    }
    // The cancel reason box takes what its column keeps, and no more.
    QTabBar* tabs = w.ui()->SSTab1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    typeOver(w.ui()->txtResign, QString(250, u'R'));
    EXPECT_EQ(w.ui()->txtResign->text().size(), 200);
}

TEST_P(SlipMoneyCases, APrintThatFailsAfterTheSaveStillShowsTheSlipAsSaved) {
    opd = doctor(QStringLiteral("DR. AHMED"));
    referrer = doctor(QStringLiteral("DR. BUTT"));
    lab = head(QStringLiteral("LABORATORY"));
    test(lab, QStringLiteral("T1"), 250);
    auto& w = open();
    auto* u = w.ui();
    QApplication::setActiveWindow(main);
    typeOver(box(w, "name"), QStringLiteral("ALI"));
    typeOver(box(w, "age"), QStringLiteral("30"));
    pickDoctors(w);
    addLine(w, QStringLiteral("T1"));
    typeOver(box(w, "cash"), QStringLiteral("250"));
    // The slip template has gone missing from the program's folder.
    QTemporaryDir noTemplates;
    report::setTemplateFolder(noTemplates.path());
    messages.clear();
    click(u->cmdSave);
    ASSERT_EQ(slipCount(), 1);
    ASSERT_EQ(messages.shown().size(), 1) << messages.texts().join('|').toStdString();
    const QString said = messages.last().text;
    EXPECT_TRUE(said.startsWith(QStringLiteral("Slip No. 1 is saved, but it could not be printed: ")))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("rpt_Pat_master_slip.rpt"))) << said.toStdString();
    EXPECT_EQ(messages.last().style, ui::vbExclamation);
    // As after any save: the page is clear for the next slip and the list shows the saved one.
    EXPECT_TRUE(u->txt_Row_No->text().isEmpty());
    EXPECT_TRUE(u->frmSlipNo->isHidden());
    EXPECT_TRUE(u->txt_pat_name->text().isEmpty());
    EXPECT_EQ(u->MshEntry->Rows(), 1);
    EXPECT_GT(wbtest::gridRow(*u->MshSearching, 0, QStringLiteral("1")), 0);
    // Saving again makes no second slip.
    messages.clear();
    click(u->cmdSave);
    EXPECT_EQ(messages.texts(), QStringList{"please enter Age"});
    EXPECT_EQ(slipCount(), 1);
}

WB_ENGINES(SlipMoneyCases);

} // namespace
