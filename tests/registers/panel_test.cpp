#include "data/schema.h"
#include "registers/frm_Panel.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_frm_Panel.h"

#include <QAction>
#include <QApplication>
#include <QTest>

using namespace wb;

namespace {

class PanelRegisterTest : public wbtest::PrintingRegisterTest {
protected:
    frm_Panel& open() { return wbtest::openFromMenu<frm_Panel>("MNU_panel"); }
    void enter(frm_Panel& w, const QString& name) {
        w.ui()->txt_panel_name->setText(name);
        w.cmdSave_Click();
    }
    QStringList names(frm_Panel& w) { return column(w, 2); }
    QString codeOf(int key) {
        return Module1::Con->scalar(QStringLiteral("select Panel_Code from Panel where Row_no = ?"), {key})
            .toString();
    }
    int count() { return Module1::Con->scalar(QStringLiteral("select count(*) from Panel")).toInt(); }
};

TEST_P(PanelRegisterTest, MenuOpensItFreshAndPlacedAndClosingReappliesRights) {
    Module1::UserRowNo = 3;
    Module1::Con->Execute(QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values "
                                         "(3, 'Panel', '0'), (3, 'Patient', '1')"));
    auto& w = open();
    EXPECT_NEAR(w.widthTw(), 8955, 15);
    EXPECT_NEAR(w.heightTw(), 6225, 15);
    EXPECT_NEAR(w.topTw(), 500, 15);
    EXPECT_NEAR(w.leftTw(), 3200, 15);
    EXPECT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("Panel Name")); // hidden, but searched by
    EXPECT_EQ(w.Msh->Rows(), 2);                                               // the empty table's empty grid
    // The name box is bounded by its column, so a long name cannot fail at the save.
    EXPECT_LE(w.ui()->txt_panel_name->maxLength(),
              Schema::table(QStringLiteral("Panel"))->column(QStringLiteral("Panel_Name"))->size);
    w.ui()->txt_panel_name->setText(QStringLiteral("TYPED"));
    QAction* menu = main->menuControl(QStringLiteral("MNU_panel"));
    EXPECT_TRUE(menu->isVisible());
    auto& again = open(); // unload first: what was typed is gone
    EXPECT_TRUE(again.ui()->txt_panel_name->text().isEmpty());
    EXPECT_FALSE(menu->isVisible()); // the unload applied the rights
    menu->setVisible(true);

    again.cmdExit_Click();
    EXPECT_EQ(ui::Forms::loaded<frm_Panel>(), nullptr);
    EXPECT_FALSE(menu->isVisible());
}

TEST_P(PanelRegisterTest, SaveGivesKeyAndCodeAndARenameRewritesTheCode) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    QTest::keyClicks(w.ui()->txt_panel_name, QStringLiteral("state life"));
    EXPECT_EQ(w.ui()->txt_panel_name->text(), QStringLiteral("STATE LIFE"));
    w.cmdSave_Click();
    enter(w, QStringLiteral("O'BRIEN TRUST"));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_panel_name->text().isEmpty());
    EXPECT_EQ(codeOf(1), QStringLiteral("Pcode-1"));
    EXPECT_EQ(codeOf(2), QStringLiteral("Pcode-2"));
    EXPECT_EQ(
        Module1::Con->scalar(QStringLiteral("select Panel_Name from Panel where Row_no = 2")).toString(),
        QStringLiteral("O'BRIEN TRUST"));

    // Renaming a picked panel keeps its key and writes its code again from the key.
    Module1::Con->Execute(QStringLiteral("update Panel set Panel_Code = 'OLD' where Row_no = 1"));
    w.FillGird(QString());
    ASSERT_EQ(names(w), (QStringList{"O'BRIEN TRUST", "STATE LIFE"}));
    w.Msh->setRow(2);
    w.Msh_DblClick();
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QStringLiteral("1"));
    EXPECT_EQ(w.ui()->txt_panel_code->text(), QStringLiteral("OLD"));
    EXPECT_EQ(w.ui()->txt_panel_name->text(), QStringLiteral("STATE LIFE"));
    EXPECT_TRUE(w.ui()->txt_panel_name->hasFocus());
    enter(w, QStringLiteral("STATE LIFE INSURANCE"));
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(codeOf(1), QStringLiteral("Pcode-1"));
    EXPECT_EQ(
        Module1::Con->scalar(QStringLiteral("select Panel_Name from Panel where Row_no = 1")).toString(),
        QStringLiteral("STATE LIFE INSURANCE"));
}

TEST_P(PanelRegisterTest, SearchListsByNameOrderAndFiltersAsTheUserTypes) {
    auto& w = open();
    for (const char* name : {"ZONG", "ASKARI", "PTCL", "ATTOCK 50%"})
        enter(w, QString::fromLatin1(name));
    EXPECT_EQ(names(w), (QStringList{"ASKARI", "ATTOCK 50%", "PTCL", "ZONG"}));
    EXPECT_TRUE(w.Msh->isColumnHidden(0));
    EXPECT_TRUE(w.Msh->isColumnHidden(1));

    QTest::keyClicks(w.ui()->txt_s_value, QStringLiteral("o"));
    EXPECT_EQ(w.ui()->txt_s_value->text(), QStringLiteral("O"));
    EXPECT_EQ(names(w), (QStringList{"ATTOCK 50%", "ZONG"}));
    w.ui()->txt_s_value->setText(QStringLiteral("%"));
    EXPECT_EQ(names(w), QStringList{"ATTOCK 50%"});
    w.ui()->txt_s_value->setText(QStringLiteral("'"));
    EXPECT_EQ(w.Msh->Rows(), 2);
    w.Msh->setRow(1);
    w.Msh_DblClick(); // the empty row picks nothing
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_EQ(Module1::SelPanelId, 0);
    w.ui()->txt_s_value->clear();
    EXPECT_EQ(names(w).size(), 4);
}

TEST_P(PanelRegisterTest, PickWritesThePanelAndClosesWhilePickModeLingers) {
    auto& w = open();
    enter(w, QStringLiteral("JUBILEE"));
    enter(w, QStringLiteral("ADAMJEE"));

    // Enter in the grid does nothing.
    w.Msh->setRow(2);
    w.Msh->setFocus();
    QTest::keyClick(w.Msh, Qt::Key_Return);
    EXPECT_EQ(Module1::SelPanelId, 0);
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());

    // Without PickMode a double-click loads the panel and writes the pick.
    w.Msh_DblClick();
    EXPECT_EQ(Module1::SelPanelId, 1);
    EXPECT_EQ(Module1::SelPanelName, QStringLiteral("JUBILEE"));
    EXPECT_EQ(w.ui()->txt_panel_name->text(), QStringLiteral("JUBILEE"));
    EXPECT_NE(ui::Forms::loaded<frm_Panel>(), nullptr);

    // PickMode left over from another window: the pick closes the register, whose unload clears it.
    Module1::PickMode = true;
    w.Msh->setRow(1);
    w.Msh_DblClick();
    EXPECT_EQ(ui::Forms::loaded<frm_Panel>(), nullptr);
    EXPECT_EQ(Module1::SelPanelId, 2);
    EXPECT_EQ(Module1::SelPanelName, QStringLiteral("ADAMJEE"));
    EXPECT_FALSE(Module1::PickMode);
}

TEST_P(PanelRegisterTest, PrintsTheOpenPanelOrEveryPanel) {
    auto& w = open();
    enter(w, QStringLiteral("JUBILEE"));
    enter(w, QStringLiteral("ADAMJEE"));
    const QString all = print(w); // no panel open: every panel
    EXPECT_TRUE(all.contains(QStringLiteral("Pcode-1"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("ADAMJEE")));
    EXPECT_TRUE(all.contains(QStringLiteral("Panels: 2")));

    w.Msh->setRow(2); // JUBILEE, after ADAMJEE in name order
    w.Msh_DblClick();
    const QString one = print(w);
    EXPECT_TRUE(one.contains(QStringLiteral("Pcode-1"))) << one.toStdString();
    EXPECT_TRUE(one.contains(QStringLiteral("JUBILEE")));
    EXPECT_FALSE(one.contains(QStringLiteral("ADAMJEE")));
    EXPECT_TRUE(one.contains(QStringLiteral("Panels: 1")));
}

WB_ENGINES(PanelRegisterTest);

} // namespace
