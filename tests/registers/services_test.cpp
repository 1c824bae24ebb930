#include "registers/frm_Services.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_frm_Services.h"

#include <QApplication>
#include <QTest>

using namespace wb;

namespace {

class ServicesRegisterTest : public wbtest::PrintingRegisterTest {
protected:
    frm_Services& open() { return wbtest::openFromMenu<frm_Services>("mnu_Ser_Reg"); }
    void enter(frm_Services& w, const QString& name) {
        w.ui()->txt_Ser_Name->setText(name);
        w.cmdSave_Click();
    }
    static QStringList names(frm_Services& w) { return column(w, 1); }
    static int rowOf(frm_Services& w, const QString& name) { return wbtest::gridRow(*w.Msh, 1, name); }
    int count() { return Module1::Con->scalar(QStringLiteral("select count(*) from Services")).toInt(); }
};

TEST_P(ServicesRegisterTest, OpensPlacedAndSavesHeadsWithDatabaseKeysInNameOrder) {
    auto& w = open();
    EXPECT_NEAR(w.widthTw(), 7815, 15);
    EXPECT_NEAR(w.heightTw(), 6150, 15);
    EXPECT_NEAR(w.topTw(), 500, 15);
    EXPECT_NEAR(w.leftTw(), 3700, 15);
    EXPECT_EQ(w.Msh->Rows(), 1); // an empty table: the header row only
    EXPECT_EQ(w.ui()->txt_Ser_Name->maxLength(), 32767);

    // Another desk's head takes a key first: the database, not the window, gives the keys.
    Module1::Con->Execute(QStringLiteral("insert into Services (S_name, S_code) values ('OTHER', 'X')"));
    Module1::Con->Execute(QStringLiteral("delete from Services"));
    QTest::keyClicks(w.ui()->txt_Ser_Name, QStringLiteral("x-ray"));
    EXPECT_EQ(w.ui()->txt_Ser_Name->text(), QStringLiteral("X-RAY")); // upper-cased as typed
    w.cmdSave_Click();
    enter(w, QStringLiteral("O'NEIL LAB"));
    enter(w, QStringLiteral("BLOOD BANK"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(w.ui()->txt_Ser_Name->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());

    EXPECT_EQ(names(w), (QStringList{"BLOOD BANK", "O'NEIL LAB", "X-RAY"}));
    EXPECT_EQ(w.Msh->TextMatrix(0, 1), QStringLiteral("Services Name"));
    EXPECT_TRUE(w.Msh->isColumnHidden(0));
    EXPECT_TRUE(w.Msh->isColumnHidden(2));
    EXPECT_EQ(w.Msh->TextMatrix(1, 0), w.Msh->TextMatrix(1, 2)); // the key, twice

    Module1::OpenRs(QStringLiteral("select * from Services order by Row_no"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 3);
    EXPECT_GT(Module1::Rs->Fields(QStringLiteral("Row_no")).toInt(), 1); // past the other desk's key
    for (int r = 0; r < 3; ++r) {
        Module1::Rs->Move(r);
        EXPECT_EQ(Module1::Rs->text(QStringLiteral("S_code")), QStringLiteral("CAT-"));
    }
}

TEST_P(ServicesRegisterTest, ANameTooLongForItsColumnIsReportedAndLeavesTheWindowUsable) {
    auto& w = open();
    // The box has no limit: a name longer than its column is reported and nothing is written.
    w.ui()->txt_Ser_Name->setText(QString(200, u'A'));
    QTest::mouseClick(w.cmdSave, Qt::LeftButton);
    ASSERT_EQ(messages.shown().size(), 1);
    // The message names the box as the user sees it, not its column.
    EXPECT_EQ(messages.last().text, QStringLiteral("Services Name is too long: at most 60 characters"));
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(w.ui()->txt_Ser_Name->text().size(), 200); // what was typed stays
    enter(w, QStringLiteral("SHORT"));
    EXPECT_EQ(count(), 1);
}

TEST_P(ServicesRegisterTest, PickLoadsTheHeadForRenamingAndTheSaveRewritesItsCode) {
    auto& w = open();
    enter(w, QStringLiteral("LAB"));
    enter(w, QStringLiteral("ECG"));
    const int labKey =
        Module1::Con->scalar(QStringLiteral("select Row_no from Services where S_name = 'LAB'")).toInt();
    Module1::Con->Execute(QStringLiteral("update Services set S_code = 'OLD'"));
    QApplication::setActiveWindow(main);

    w.Msh->setRow(rowOf(w, QStringLiteral("LAB")));
    w.Msh_DblClick();
    EXPECT_EQ(Module1::SelServiceId, labKey);
    EXPECT_EQ(Module1::SelServiceName, QStringLiteral("LAB"));
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QString::number(labKey));
    EXPECT_EQ(w.ui()->txt_Ser_Name->text(), QStringLiteral("LAB"));
    EXPECT_TRUE(w.ui()->txt_Ser_Name->hasFocus());
    EXPECT_NE(ui::Forms::loaded<frm_Services>(), nullptr);

    enter(w, QStringLiteral("LABORATORY"));
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select S_name from Services where Row_no = ?"), {labKey})
                  .toString(),
              QStringLiteral("LABORATORY"));
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select S_code from Services where Row_no = ?"), {labKey})
                  .toString(),
              QStringLiteral("CAT-"));
    EXPECT_EQ(
        Module1::Con->scalar(QStringLiteral("select S_code from Services where S_name = 'ECG'")).toString(),
        QStringLiteral("OLD")); // only the saved head is written
}

TEST_P(ServicesRegisterTest, InPickModeAPickClosesTheWindowAndItsUnloadEndsPickMode) {
    auto& w = open();
    enter(w, QStringLiteral("RADIOLOGY"));
    Module1::PickMode = true; // left over from another window's pick list
    w.Msh->setRow(1);
    QTest::keyClick(w.Msh, Qt::Key_Return); // Enter in the grid does nothing
    EXPECT_NE(ui::Forms::loaded<frm_Services>(), nullptr);
    EXPECT_EQ(Module1::SelServiceId, 0);
    QTest::mouseDClick(w.Msh->viewport(), Qt::LeftButton, {},
                       w.Msh->visualRect(w.Msh->model()->index(0, 1)).center());
    EXPECT_EQ(ui::Forms::loaded<frm_Services>(), nullptr);
    EXPECT_GT(Module1::SelServiceId, 0);
    EXPECT_EQ(Module1::SelServiceName, QStringLiteral("RADIOLOGY"));
    EXPECT_FALSE(Module1::PickMode);

    // Its Exit unloads too, and clears the flag whatever it was.
    auto& again = open();
    Module1::PickMode = true;
    again.cmdExit_Click();
    EXPECT_EQ(ui::Forms::loaded<frm_Services>(), nullptr);
    EXPECT_FALSE(Module1::PickMode);
}

TEST_P(ServicesRegisterTest, PrintsTheLoadedHeadOrEveryHead) {
    auto& w = open();
    enter(w, QStringLiteral("PHARMACY"));
    enter(w, QStringLiteral("O'NEIL LAB"));
    const QString all = print(w); // nothing loaded: every head
    EXPECT_TRUE(all.contains(QStringLiteral("PHARMACY"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("O'NEIL LAB")));
    EXPECT_TRUE(all.contains(QStringLiteral("Service heads: 2")));

    w.Msh->setRow(rowOf(w, QStringLiteral("O'NEIL LAB")));
    w.Msh_DblClick();
    const QString one = print(w);
    EXPECT_TRUE(one.contains(QStringLiteral("O'NEIL LAB"))) << one.toStdString();
    EXPECT_FALSE(one.contains(QStringLiteral("PHARMACY")));
    EXPECT_TRUE(one.contains(QStringLiteral("Service heads: 1")));
}

WB_ENGINES(ServicesRegisterTest);

} // namespace
