#include "calendar.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace wbtest {

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
