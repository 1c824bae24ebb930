#include "registers/frm_Shift.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_frm_Shift.h"

#include <QApplication>
#include <QTest>

using namespace wb;

namespace {

class ShiftRegisterTest : public wbtest::RegisterTest {
protected:
    frm_Shift& open() { return wbtest::openFromMenu<frm_Shift>("MNU_shift"); }
    // Types the name and the digits of both times as a user does, then saves.
    void save(frm_Shift& w, const QString& name, const QString& from, const QString& to) {
        w.ui()->txt_shift->setText(name);
        w.ui()->msk_from_time->clear();
        w.ui()->msk_to_time->clear();
        QTest::keyClicks(w.ui()->msk_from_time, from);
        QTest::keyClicks(w.ui()->msk_to_time, to);
        w.ui()->cmdSave->click();
    }
    int count() { return Module1::Con->scalar(QStringLiteral("select count(*) from SHIFT")).toInt(); }
};

TEST_P(ShiftRegisterTest, MenuPlacesItAndSetsPickModeWhichClosingLeavesOn) {
    auto& w = open();
    EXPECT_TRUE(Module1::PickMode);
    EXPECT_NEAR(w.widthTw(), 8910, 15);
    EXPECT_NEAR(w.heightTw(), 6645, 15);
    EXPECT_NEAR(w.topTw(), 1000, 15);
    EXPECT_NEAR(w.leftTw(), 3000, 15);
    EXPECT_EQ(w.ui()->MshShift->Rows(), 1); // no shifts: the header row only
    w.cmdExit_Click();
    EXPECT_EQ(ui::Forms::loaded<frm_Shift>(), nullptr);
    EXPECT_TRUE(Module1::PickMode);
}

TEST_P(ShiftRegisterTest, RefusedNamesAndTimesWriteNothing) {
    auto& w = open();
    // Incomplete, hour 24 or more, minutes above 59, in either box: all refused alike.
    const QList<std::pair<QString, QString>> refused = {
        {QStringLiteral("083"), QStringLiteral("2000")},  {QStringLiteral("0800"), QString()},
        {QStringLiteral("2400"), QStringLiteral("0800")}, {QStringLiteral("0800"), QStringLiteral("2500")},
        {QStringLiteral("1260"), QStringLiteral("2000")}, {QStringLiteral("0800"), QStringLiteral("2099")}};
    for (const auto& [from, to] : refused) {
        messages.clear();
        save(w, QStringLiteral("MORNING"), from, to);
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("please check shif time")})
            << from.toStdString();
    }
    w.ui()->msk_from_time->setText(QStringLiteral("0_:00")); // a digit missing in the middle
    w.ui()->msk_to_time->setText(QStringLiteral("20:00"));
    w.ui()->cmdSave->click();
    EXPECT_EQ(messages.last().text, QStringLiteral("please check shif time"));
    // A name too long for its column is reported; nothing is written and the window goes on.
    messages.clear();
    save(w, QString(40, u'X'), QStringLiteral("2359"), QStringLiteral("0000"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().style, ui::vbCritical);
    EXPECT_EQ(count(), 0);
    save(w, QStringLiteral("LATE"), QStringLiteral("2359"), QStringLiteral("0000"));
    EXPECT_EQ(count(), 1);
}

TEST_P(ShiftRegisterTest, SavedTimesArePaddedTextAndResavingWritesTheCode) {
    auto& w = open();
    save(w, QStringLiteral("DAY O'CLOCK"), QStringLiteral("0800"), QStringLiteral("2000"));
    save(w, QStringLiteral("NIGHT"), QStringLiteral("2000"), QStringLiteral("0800")); // past midnight
    EXPECT_EQ(messages.texts(), QStringList(2, QStringLiteral("Sucessfully save your information")));
    EXPECT_TRUE(w.ui()->txt_shift->text().isEmpty());
    EXPECT_EQ(w.ui()->msk_from_time->displayText(), QStringLiteral("__:__"));
    Module1::OpenRs(QStringLiteral("select * from SHIFT order by row_no"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 2);
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("shift_code")), QStringLiteral("SHI-")); // key not known yet
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("time_from")), QStringLiteral("08:00"));
    // Zero-padded times order correctly as text, which is how the slip screen compares them.
    EXPECT_EQ(Module1::Con
                  ->scalar(QStringLiteral("select shift from SHIFT where time_from <= ? and time_to > ?"),
                           {QStringLiteral("09:30"), QStringLiteral("09:30")})
                  .toString(),
              QStringLiteral("DAY O'CLOCK"));

    // A pick loads the shift and keeps the window; saving it again writes its code and corrections.
    auto* grid = w.ui()->MshShift;
    ASSERT_EQ(grid->Rows(), 3);
    const QString key = grid->TextMatrix(1, 0);
    grid->setRow(1);
    w.Msh_DblClick();
    EXPECT_EQ(w.ui()->txt_shift_no->text(), QStringLiteral("SHI-"));
    EXPECT_EQ(w.ui()->msk_to_time->text(), QStringLiteral("20:00"));
    w.ui()->msk_to_time->clear();
    QTest::keyClicks(w.ui()->msk_to_time, QStringLiteral("1930"));
    w.ui()->cmdSave->click();
    EXPECT_EQ(messages.shown().size(), 3);
    EXPECT_EQ(count(), 2);
    Module1::OpenRs(QStringLiteral("select * from SHIFT where row_no = ?"), {key.toLongLong()});
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("shift_code")), QStringLiteral("SHI-") + key);
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("time_to")), QStringLiteral("19:30"));
}

TEST_P(ShiftRegisterTest, KeysUpperCaseTheNameAndMasksTakeDigitsOnly) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    w.ui()->txt_shift->setFocus();
    QTest::keyClicks(w.ui()->txt_shift, QStringLiteral("night"));
    EXPECT_EQ(w.ui()->txt_shift->text(), QStringLiteral("NIGHT"));
    QTest::keyClick(w.ui()->txt_shift, Qt::Key_Return);
    EXPECT_TRUE(w.ui()->txt_shift->hasFocus()); // Enter comes back to the name box
    w.ui()->msk_from_time->setFocus();
    w.ui()->msk_from_time->setCursorPosition(0);
    QTest::keyClicks(w.ui()->msk_from_time, QStringLiteral("2a1:b3x0"));
    EXPECT_EQ(w.ui()->msk_from_time->text(), QStringLiteral("21:30"));
    QTest::keyClick(w.ui()->msk_from_time, Qt::Key_Return);
    EXPECT_TRUE(w.ui()->msk_to_time->hasFocus());
}

WB_ENGINES(ShiftRegisterTest);

} // namespace
