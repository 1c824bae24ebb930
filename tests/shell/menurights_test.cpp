#include "registers/frm_Panel.h"
#include "registers/frm_Services.h"
#include "registers/frm_patient_detail.h"
#include "shell/MDIForm1.h"
#include "shell/frmBack.h"
#include "shell/frm_Designed.h"
#include "shell/menucommands.h"
#include "shell/module1.h"
#include "support/testdb.h"
#include "ui/clock.h"
#include "ui_frmBack.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace wb;

namespace {

class MenuRightsTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<wbtest::TestDatabase>(Engine::Sqlite);
        wbtest::openShared(*db);
        Module1::UserRowNo = 5;
    }
    void TearDown() override {
        ui::Forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Module1::Con->Close();
    }
    void right(const QString& menus, const char* active) {
        Module1::Con->Execute(
            QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (5, ?, ?)"),
            {menus, QString::fromLatin1(active)});
    }
    MDIForm1& main() { return ui::Forms::get<MDIForm1>(); }
    bool visible(const char* name) { return main().menuControl(QLatin1String(name))->isVisible(); }
    std::unique_ptr<wbtest::TestDatabase> db;
};

TEST_F(MenuRightsTest, MenuBarHoldsEveryCommandAndSeparatorInOrder) {
    QStringList captions;
    for (QAction* a : main().menuControls())
        captions << MDIForm1::captionOf(a);
    EXPECT_EQ(
        captions.join('|'),
        QStringLiteral("REGISTRATIONS|Company Information|-|Patient|-|Doctor|-|Services|-|RateList|-|Panel|-|"
                       "Employees|-|SHIFT|TRANSACTIONS|Patient Slips|-|Admissions|-|Observations|-|Birth "
                       "Certificate|-|Discharge Certificate|-|Death Certificate|REPORTS|Report|-|"
                       "ADMINISTRATOR|Add/Change User|-|Set Menus"));
    EXPECT_EQ(main().menuBar()->actions().size(), 4);
}

TEST_F(MenuRightsTest, AllRowsInactiveHideTheThreeTopMenusOnly) {
    right(QStringLiteral("Patient"), "0");
    right(QStringLiteral("Doctor"), "0");
    main();
    EXPECT_FALSE(visible("mnu_Reg_Form"));
    EXPECT_FALSE(visible("mnu_trans"));
    EXPECT_FALSE(visible("mnu_Report"));
    EXPECT_TRUE(visible("mnu_addministrator"));
    EXPECT_TRUE(visible("mnu_Pat_Reg")); // the commands themselves are not touched
}

TEST_F(MenuRightsTest, RowsShowOrHideTheirCommandsByExactCaption) {
    right(QStringLiteral("Patient"), "1");
    right(QStringLiteral("Doctor"), "0");
    right(QStringLiteral("services"), "0"); // another case: names nothing
    right(QStringLiteral("REPORTS"), "0");  // top menus match too
    right(QStringLiteral("-"), "0");        // and separators
    main();
    EXPECT_TRUE(visible("mnu_Reg_Form"));
    EXPECT_TRUE(visible("mnu_trans"));
    EXPECT_TRUE(visible("mnu_Pat_Reg"));
    EXPECT_FALSE(visible("mun_Doc_Reg"));
    EXPECT_TRUE(visible("mnu_Ser_Reg"));
    EXPECT_TRUE(visible("mnu_test_slip")); // unnamed commands stay visible
    EXPECT_FALSE(visible("mnu_Report"));
    EXPECT_FALSE(visible("gp0"));
    EXPECT_FALSE(visible("MNU_Blank"));
}

TEST_F(MenuRightsTest, HiddenTopMenusStayHiddenForTheRun) {
    main();
    EXPECT_FALSE(visible("mnu_Reg_Form"));
    right(QStringLiteral("Patient"), "1");
    right(QStringLiteral("Doctor"), "0");
    Module1::ApplyMenuRights();
    EXPECT_FALSE(visible("mnu_Reg_Form"));
    EXPECT_FALSE(visible("mnu_trans"));
    EXPECT_FALSE(visible("mun_Doc_Reg"));
}

TEST_F(MenuRightsTest, ClosingARegisterAppliesTheRightsChangedMeanwhile) {
    right(QStringLiteral("Patient"), "1");
    right(QStringLiteral("Doctor"), "1");
    frm_Panel& openedBefore = ui::Forms::get<frm_Panel>(); // loaded before the main window
    main();
    EXPECT_TRUE(visible("mun_Doc_Reg"));
    Module1::Con->Execute(QStringLiteral("update Chart_Of_Menus set Active = '0' where Menus = 'Doctor'"));
    openedBefore.unload();
    EXPECT_FALSE(visible("mun_Doc_Reg"));

    Module1::Con->Execute(QStringLiteral("update Chart_Of_Menus set Active = '1' where Menus = 'Doctor'"));
    ui::Forms::get<frm_Services>().unload(); // this register keeps the rights as they are
    EXPECT_FALSE(visible("mun_Doc_Reg"));
    ui::Forms::get<frm_patient_detail>().unload(); // opened after the main window
    EXPECT_TRUE(visible("mun_Doc_Reg"));
}

TEST_F(MenuRightsTest, MainWindowShowsTheBackdropAndClosesItsChildren) {
    auto& m = main();
    auto* back = ui::Forms::loaded<frmBack>();
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isVisible());
    EXPECT_NEAR(back->widthTw(), 15300, 15); // whole pixels
    EXPECT_NEAR(back->heightTw(), 10300, 15);
    m.close();
    EXPECT_EQ(ui::Forms::loaded<frmBack>(), nullptr);
    EXPECT_EQ(ui::Forms::loaded<MDIForm1>(), nullptr);
}

TEST(Backdrop, DateLabelIsBuiltFromOneReadingOfTheClock) {
    EXPECT_EQ(frmBack::dateCaption(QDateTime(QDate(2026, 12, 7), QTime(9, 5, 7))),
              QStringLiteral("Monday, 07-December-2026  09:05:07 AM"));
    EXPECT_EQ(frmBack::dateCaption(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))),
              QStringLiteral("Thursday, 31-December-2026  11:59:59 PM"));

    auto& back = ui::Forms::get<frmBack>();
    EXPECT_EQ(back.ui()->lblDate->text(), QStringLiteral("Date & Time"));
    EXPECT_EQ(back.Timer1->interval(), 500);
    ui::Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 1)));
    back.Timer1_Timer();
    ui::Clock::reset();
    EXPECT_EQ(back.ui()->lblDate->text(), QStringLiteral("Monday, 07-December-2026  12:00:01 AM"));
    back.unload();
}

TEST(Credits, OpensPlacedAndExitUnloads) {
    auto& credits = ui::Forms::get<frm_Designed>();
    EXPECT_TRUE(credits.isVisible());
    EXPECT_NEAR(credits.widthTw(), 12885, 15);
    EXPECT_NEAR(credits.leftTw(), 1300, 15);
    credits.cmdExit_Click();
    EXPECT_EQ(ui::Forms::loaded<frm_Designed>(), nullptr);
}

} // namespace
