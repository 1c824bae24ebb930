#include "session/module1.h"
#include "shell/MDIForm1.h"
#include "slips/frm_Add_Search.h"
#include "support/registertest.h"
#include "support/userdriver.h"
#include "ui/flexgrid.h"
#include "ui_frm_Add_Search.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QTest>
#include <memory>

using namespace wb;

namespace {

// A screen that borrows the admission search as its pick list and takes the admission when it
// becomes active again, as the slip screen does.
class AdmissionTaker : public ui::Form {
public:
    void Form_Activate() override {
        if (Module1::SelAdmissionId > 0)
            taken = Module1::SelAdmissionId;
        Module1::SelAdmissionId = 0;
    }
    frm_Add_Search& find() {
        QCoreApplication::processEvents();
        ui::Forms::unload<frm_Add_Search>();
        Module1::PickMode = true;
        auto& w = ui::Forms::get<frm_Add_Search>();
        w.Show();
        w.setTopTw(1500);
        w.setLeftTw(3300);
        return w;
    }
    long taken = 0;
};

class AdmissionSearchTest : public wbtest::RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        if (IsSkipped())
            return;
        ui::Forms::setMdiArea(main->area());
        run(QStringLiteral(
            "insert into Patient_Slips (Row_no, Code_no, Card_no, Pat_name, Fat_name, Sex, Tel_no) "
            "values (1, 'PAT-1', 'C-1', 'ZARA KHAN', 'ALI', 'F', '0300')"));
        run(QStringLiteral(
            "insert into Patient_Slips (Row_no, Code_no, Pat_name) values (2, 'PAT-2', 'ADAM O''NEIL')"));
        admit(1, 1, QStringLiteral("R-1"));
        admit(2, 2, QStringLiteral("R-2"));
        admit(3, 99, QStringLiteral("R-3")); // its patient is gone
        taker = std::make_unique<AdmissionTaker>();
        taker->Show();
    }
    void TearDown() override {
        taker.reset();
        RegisterTest::TearDown();
    }
    static void run(const QString& sql, const QVariantList& params = {}) {
        Module1::Con->Execute(sql, params);
    }
    static void admit(int key, int patient, const QString& regNo) {
        run(QStringLiteral("insert into Addmission (Row_no, Ipd_code, Reg_no, admdate, Pat_row_id, Age, Yr) "
                           "values (?, ?, ?, ?, ?, 40, 'Y')"),
            {key, QStringLiteral("IPD-%1").arg(key), regNo, QDate(2026, 12, key), patient});
    }
    void activate(frm_Add_Search& w) {
        QCoreApplication::processEvents();
        main->area()->setActiveSubWindow(taker->subWindow());
        main->area()->setActiveSubWindow(w.subWindow());
    }
    std::unique_ptr<AdmissionTaker> taker;
};

TEST_P(AdmissionSearchTest, ListsAdmissionsWithTheirPatientsNarrowedByName) {
    auto& w = taker->find();
    activate(w);
    EXPECT_TRUE(w.ui()->txt_s_val->hasFocus());
    QStringList regs = column(w, 2);
    regs.sort();
    EXPECT_EQ(regs, (QStringList{"R-1", "R-2"})); // never the admission without a patient row
    const int zara = rowOf(w, 2, QStringLiteral("R-1"));
    ASSERT_GT(zara, 0);
    const QStringList expected = {"1",         "IPD-1", "R-1", "40",   "Y",  "01-12-2026",
                                  "ZARA KHAN", "ALI",   "F",   "0300", "C-1"};
    for (int c = 0; c < expected.size(); ++c)
        EXPECT_EQ(w.Msh->TextMatrix(zara, c), expected[c]) << c;
    EXPECT_EQ(w.Msh->TextMatrix(0, 5), QStringLiteral("Adm Date"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 9), QStringLiteral("TelePhone No"));
    EXPECT_TRUE(w.Msh->isColumnHidden(0));

    QTest::keyClicks(w.ui()->txt_s_val, QStringLiteral("o'n"));
    EXPECT_EQ(w.ui()->txt_s_val->text(), QStringLiteral("O'N"));
    EXPECT_EQ(column(w, 6), QStringList{"ADAM O'NEIL"});
    w.ui()->txt_s_val->setText(QStringLiteral("NOBODY"));
    EXPECT_EQ(w.Msh->Rows(), 1); // the header only
    w.Msh_DblClick();
    EXPECT_EQ(ui::Forms::loaded<frm_Add_Search>(), &w); // nothing to pick: still open
}

TEST_P(AdmissionSearchTest, ReActivationReReadsTheList) {
    auto& w = taker->find();
    activate(w);
    ASSERT_EQ(w.Msh->Rows(), 3);
    db->connect()->Execute(QStringLiteral("update Addmission set Pat_row_id = 1 where Row_no = 3"));
    activate(w);
    EXPECT_EQ(w.Msh->Rows(), 4);
}

TEST_P(AdmissionSearchTest, DoubleClickOrEnterHandsTheAdmissionToTheCaller) {
    auto& w = taker->find();
    EXPECT_TRUE(Module1::PickMode);
    w.Msh->setRow(rowOf(w, 2, QStringLiteral("R-2")));
    QTest::mouseDClick(w.Msh->viewport(), Qt::LeftButton, {},
                       w.Msh->visualRect(w.Msh->model()->index(w.Msh->Row() - 1, 2)).center());
    EXPECT_EQ(ui::Forms::loaded<frm_Add_Search>(), nullptr);
    EXPECT_FALSE(Module1::PickMode);
    // The caller is the active window again at once, and has taken the admission.
    EXPECT_EQ(wbtest::user::activeWindow(), taker.get());
    EXPECT_EQ(taker->taken, 2);
    EXPECT_EQ(Module1::SelAdmissionId, 0);

    auto& again = taker->find();
    again.Msh->setRow(rowOf(again, 2, QStringLiteral("R-1")));
    again.Msh->setFocus();
    QTest::keyClick(again.Msh, Qt::Key_Return);
    EXPECT_EQ(ui::Forms::loaded<frm_Add_Search>(), nullptr);
    EXPECT_EQ(taker->taken, 1);
}

TEST_P(AdmissionSearchTest, ExitPicksNothingAndUpOrDownGoesToTheGrid) {
    auto& w = taker->find();
    QTest::keyClick(w.ui()->txt_s_val, Qt::Key_Down);
    EXPECT_TRUE(w.Msh->hasFocus());
    w.ui()->Cmd_Exit->click();
    EXPECT_EQ(ui::Forms::loaded<frm_Add_Search>(), nullptr);
    EXPECT_FALSE(Module1::PickMode);
    EXPECT_EQ(Module1::SelAdmissionId, 0);
    EXPECT_EQ(wbtest::user::activeWindow(), taker.get());
    EXPECT_EQ(taker->taken, 0);
}

WB_ENGINES(AdmissionSearchTest);

} // namespace
