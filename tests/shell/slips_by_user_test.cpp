#include "data/connection.h"
#include "data/loginstore.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_patient_detail.h"
#include "report/frmViewer.h"
#include "session/module1.h"
#include "shell/MDIForm1.h"
#include "slips/frm_Test_Slips.h"
#include "support/registertest.h"
#include "support/userdriver.h"
#include "ui/flexgrid.h"
#include "ui_frm_Test_Slips.h"
#include "ui_frm_patient_detail.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QTest>

using namespace wb;

// The front desk's cashier, a user ("U") whose menu rights open only the patient slips, at work in
// the slip screen: on the server the login's own rights, not the window, decide what is written.
namespace {

class SlipsByUserTest : public wbtest::PrintingRegisterTest {
protected:
    void beforeMainWindow() override {
        Connection& admin = *Module1::Con;
        for (const char* name : {"DR. AHMED", "DR. BUTT"})
            admin.Execute(QStringLiteral("insert into doc (Row_no, doc_name, Status) values "
                                         "((select coalesce(max(Row_no),0)+1 from doc), ?, 'Doctor')"),
                          {QString::fromLatin1(name)});
        admin.Execute(QStringLiteral("insert into Services (S_name, S_code) values ('LABORATORY', 'CAT-')"));
        lab = admin.scalar(QStringLiteral("select max(Row_no) from Services")).toLongLong();
        admin.Execute(
            QStringLiteral("insert into Rate_List (S_code, Cata, Rate, Status) values (?, 'CBC', 100, "
                           "'Rountine')"),
            {lab});
        cbc = admin.scalar(QStringLiteral("select max(Row_no) from Rate_List")).toLongLong();
        admin.logins().create(QStringLiteral("CASHIER"), QStringLiteral("Cashier-1"), false);
        admin.Execute(QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, Status) "
                                     "values (2, 'UC-2', 'CASHIER', ?)"),
                      {status});
        for (const char* menu : {"Patient", "Doctor", "Services", "RateList", "Panel", "Employees", "SHIFT",
                                 "Admissions", "Observations", "Birth Certificate", "Discharge Certificate",
                                 "Death Certificate", "Company Information"})
            admin.Execute(
                QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (2, ?, '0')"),
                {QString::fromLatin1(menu)});
        admin.Execute(QStringLiteral(
            "insert into Chart_Of_Menus (User_ID, Menus, Active) values (2, 'Patient Slips', '1')"));
        wbtest::openShared(*db, QStringLiteral("CASHIER"), QStringLiteral("Cashier-1"));
        Module1::LoginUserName = QStringLiteral("CASHIER");
        Module1::UserType = status;
        Module1::UserRowNo = 2;
    }
    frm_Test_Slips& open() { return wbtest::openFromMenu<frm_Test_Slips>("mnu_test_slip"); }

    // The patient, the doctors and a test, as the pick lists hand them back.
    void fill(frm_Test_Slips& w) {
        auto* u = w.ui();
        wbtest::answerFind<frm_patient_detail>(w, u->Find_Pat_Detail, [] {
            Module1::SelPatId = 1;
            Module1::SelPatName = QStringLiteral("ASLAM");
            Module1::SelPatSex = QStringLiteral("M");
        });
        QTest::keyClicks(u->txt_age, QStringLiteral("30"));
        for (const auto& [find, id, name] : {std::tuple{u->cmd_find_opd_doc, 1, "DR. AHMED"},
                                             std::tuple{u->cmd_find_Reff_doc, 2, "DR. BUTT"}})
            wbtest::answerFind<frm_Doc_Infor>(w, find, [&] {
                Module1::SelDocId = id;
                Module1::SelDocName = QString::fromLatin1(name);
                Module1::PickedPanelStatus = QStringLiteral("Doctor");
            });
        wbtest::answerFind<frm_Rate_List>(w, u->cmd_Rate_List, [&] {
            Module1::SelServiceId = lab;
            Module1::SelServiceName = QStringLiteral("LABORATORY");
            Module1::SelRateId = cbc;
            Module1::SelRateTest = QStringLiteral("CBC");
            Module1::SelRateAmount = 100;
        });
        QTest::mouseClick(u->cmd_ADD_1, Qt::LeftButton);
    }
    // A click on the search grid's row of the slip.
    static void clickSlip(frm_Test_Slips& w, qint64 key) {
        ui::FlexGrid* grid = w.ui()->MshSearching;
        QAbstractItemModel* model = grid->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex cell = model->index(r, 0);
            if (cell.data().toString() == QString::number(key)) {
                grid->scrollTo(cell);
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
                return;
            }
        }
        ADD_FAILURE() << "slip " << key << " is not in the list";
    }
    QVariant stored(qint64 key, const char* column) {
        auto owner = db->connect();
        return owner->scalar(
            QStringLiteral("select %1 from SLIPS_MASTER where Row_no = ?").arg(QLatin1String(column)), {key});
    }

    QString status = QStringLiteral("U");
    qint64 lab = 0, cbc = 0;
};

TEST_P(SlipsByUserTest, ACashierSavesCancelsAndSearchesSlips) {
    auto& w = open();
    auto* u = w.ui();
    QApplication::setActiveWindow(main);
    fill(w);
    QTest::mouseClick(u->cmdSave, Qt::LeftButton);
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(stored(1, "p_name").toString(), QStringLiteral("ASLAM"));
    EXPECT_EQ(stored(1, "User_Name").toString(), QStringLiteral("CASHIER"));
    auto owner = db->connect();
    EXPECT_EQ(owner->scalar(QStringLiteral("select count(*) from SLIP_DETAIL where Row_no = 1")).toInt(), 1);
    // The slip was printed into the viewer; the cashier closes it and is back on the slip.
    auto* viewer = ui::Forms::loaded<frmViewer>();
    ASSERT_NE(viewer, nullptr);
    viewer->window()->close();
    wbtest::user::wait();
    QApplication::setActiveWindow(main); // as the window manager does when the viewer has closed
    wbtest::user::wait();

    u->SSTab1->setCurrentIndex(1);
    u->txt_s_val->setFocus();
    QTest::keyClicks(u->txt_s_val, QStringLiteral("ASL"));
    EXPECT_EQ(wbtest::gridColumn(*u->MshSearching, 5), QStringList{"ASLAM"});
    clickSlip(w, 1);
    EXPECT_EQ(u->txtCancelSlip->text(), QStringLiteral("1"));
    QTest::keyClicks(u->txtResign, QStringLiteral("WRONG PATIENT"));
    QTest::mouseClick(u->cmdCancelSlip, Qt::LeftButton);
    ASSERT_TRUE(u->txtPassword->hasFocus());
    QTest::keyClicks(u->txtPassword, QStringLiteral("583"));
    QTest::keyClick(u->txtPassword, Qt::Key_Return);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(stored(1, "CancelStatus").toString(), QStringLiteral("CANCEL"));
    EXPECT_EQ(wbtest::gridColumn(*u->MshSearching, 4), QStringList{"CANCEL"});

    // Cancelled once more, with another reason.
    clickSlip(w, 1);
    u->txtResign->clear();
    QTest::keyClicks(u->txtResign, QStringLiteral("TWICE"));
    QTest::mouseClick(u->cmdCancelSlip, Qt::LeftButton);
    QTest::keyClicks(u->txtPassword, QStringLiteral("583"));
    QTest::keyClick(u->txtPassword, Qt::Key_Return);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(stored(1, "CanResign").toString(), QStringLiteral("TWICE"));
}

TEST_P(SlipsByUserTest, APatientAddedThroughThePickListNeedsThePatientMenuOnTheServer) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    QTest::mouseClick(w.ui()->Find_Pat_Detail, Qt::LeftButton);
    auto* picker = ui::Forms::loaded<frm_patient_detail>();
    ASSERT_NE(picker, nullptr);
    auto* p = picker->ui();
    p->SSTab1->setCurrentIndex(0);
    QTest::keyClicks(p->txt_pat_name, QStringLiteral("NEW PATIENT"));
    QTest::keyClicks(p->txt_F_name, QStringLiteral("HIS FATHER"));
    QTest::mouseClick(p->cmdSave, Qt::LeftButton);
    auto owner = db->connect();
    const int patients = owner->scalar(QStringLiteral("select count(*) from Patient_Slips")).toInt();
    if (GetParam() == Engine::Postgres) {
        // The server's rights follow the menus; the window says so in its own words.
        EXPECT_EQ(messages.texts(), QStringList{"You may not make this change: your rights do not allow it. "
                                                "Ask an administrator. Nothing was saved."});
        EXPECT_EQ(patients, 0);
    } else {
        // The embedded database's rights are the windows' only.
        EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
        EXPECT_EQ(patients, 1);
    }
}

// A user whose row says "A" while the login is not an administrator's (as an earlier version could
// leave them): the window lets the slip be changed, the server does not, and the user is told so.
class SlipsByMislabelledUserTest : public SlipsByUserTest {
protected:
    void beforeMainWindow() override {
        status = QStringLiteral("A");
        SlipsByUserTest::beforeMainWindow();
    }
};

TEST_P(SlipsByMislabelledUserTest, PostgresChangingASavedSlipIsRefusedWithAPlainMessage) {
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "the server's rights only";
    auto& w = open();
    auto* u = w.ui();
    QApplication::setActiveWindow(main);
    fill(w);
    QTest::mouseClick(u->cmdSave, Qt::LeftButton);
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();

    u->SSTab1->setCurrentIndex(1);
    ui::FlexGrid* grid = u->MshSearching;
    const QModelIndex cell = grid->model()->index(0, 0);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    ASSERT_EQ(u->txt_Row_No->text(), QStringLiteral("1"));
    ASSERT_TRUE(u->cmdSave->isEnabled());
    u->txt_pat_name->clear();
    QTest::keyClicks(u->txt_pat_name, QStringLiteral("SOMEONE ELSE"));
    QTest::mouseClick(u->cmdSave, Qt::LeftButton);
    EXPECT_EQ(messages.texts(),
              QStringList{"You may not change a saved slip: ask an administrator. Nothing was saved."});
    EXPECT_EQ(stored(1, "p_name").toString(), QStringLiteral("ASLAM"));
    EXPECT_EQ(u->txt_pat_name->text(), QStringLiteral("SOMEONE ELSE"));
}

WB_ENGINES(SlipsByUserTest);
WB_ENGINES(SlipsByMislabelledUserTest);

} // namespace
