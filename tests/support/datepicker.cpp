#include "datepicker.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace wbtest {

void clickCharacter(QDateTimeEdit* box, int index) {
    auto* edit = box->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr) << box->objectName().toStdString();
    const QString text = edit->text();
    ASSERT_LT(index, text.size()) << box->objectName().toStdString();
    const QFontMetrics metrics(edit->font());
    // Where the box draws its text: left-aligned inside its margins, as a line edit lays it out.
    const QRect inside = edit->contentsRect().marginsRemoved(edit->textMargins());
    const int x = inside.left() + 2 + metrics.horizontalAdvance(text.left(index)) +
                  metrics.horizontalAdvance(text.at(index)) / 2;
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(x, edit->height() / 2));
}

void chooseShownDay(QDateEdit* picker) {
    ASSERT_TRUE(picker->isVisible()) << picker->objectName().toStdString() << " is not on the screen";
    QCalendarWidget* calendar = picker->calendarWidget();
    ASSERT_NE(calendar, nullptr) << picker->objectName().toStdString() << " has no calendar";
    // The arrow lies at the right end of the box.
    QTest::mouseClick(picker, Qt::LeftButton, Qt::NoModifier,
                      QPoint(picker->width() - 4, picker->height() / 2));
    ASSERT_TRUE(calendar->window()->isVisible()) << "the calendar did not open";
    auto* days = calendar->findChild<QTableView*>();
    ASSERT_NE(days, nullptr);
    const QRect cell = days->visualRect(days->currentIndex()); // the picker's own day
    ASSERT_TRUE(cell.isValid());
    QTest::mouseClick(days->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_FALSE(calendar->window()->isVisible()) << "the calendar stayed open";
}

} // namespace wbtest
