#include "data/recordset.h"
#include "support/testdb.h"
#include "ui/flexgrid.h"
#include "ui/twips.h"

#include <QDate>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using wb::ui::FlexGrid;

namespace {

// A grid of `rows` data rows and 3 columns; cell (r, c) holds "r.c".
void fill(FlexGrid& grid, int rows) {
    grid.setCols(3);
    grid.setRows(rows + 1);
    for (int c = 0; c < 3; ++c) {
        grid.setTextMatrix(0, c, QStringLiteral("H%1").arg(c));
        for (int r = 1; r <= rows; ++r)
            grid.setTextMatrix(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
    }
}

TEST(FlexGridTest, RowZeroIsTheHeaderAndClearingLeavesTheTwoRowEmptyState) {
    FlexGrid grid;
    fill(grid, 4);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("H1"));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("H1"));
    EXPECT_EQ(grid.TextMatrix(4, 2), QStringLiteral("4.2"));
    EXPECT_EQ(grid.model()->index(3, 2).data().toString(), QStringLiteral("4.2"));
    EXPECT_THROW(grid.TextMatrix(5, 0), std::out_of_range);

    grid.clearToEmpty();
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 3);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(grid.TextMatrix(0, c), QString());
        EXPECT_EQ(grid.TextMatrix(1, c), QString());
    }
    grid.setRows(3); // rows added after a clear are empty too
    EXPECT_EQ(grid.TextMatrix(2, 0), QString());
}

TEST(FlexGridTest, CurrentRowFollowsSetRowAndCountsFromOne) {
    FlexGrid grid;
    fill(grid, 4);
    EXPECT_EQ(grid.Row(), 0);
    grid.setRow(3);
    EXPECT_EQ(grid.Row(), 3);
    ASSERT_EQ(grid.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(grid.selectionModel()->selectedRows().first().row(), 2);
    grid.setRows(3); // the current row is removed
    EXPECT_LE(grid.Row(), 2);
}

TEST(FlexGridTest, ZeroWidthHidesAColumnButKeepsItsValues) {
    FlexGrid grid;
    fill(grid, 2);
    grid.setColWidth(0, 0);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.colWidth(0), 0);
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("1.0"));

    grid.setColWidth(0, 1500);
    EXPECT_FALSE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.columnWidth(0), wb::ui::twipsToPixels(1500));
    EXPECT_EQ(grid.colWidth(0), wb::ui::pixelsToTwips(wb::ui::twipsToPixels(1500)));
}

TEST(FlexGridTest, CellTextOfValues) {
    EXPECT_EQ(FlexGrid::cellText(QVariant()), QString());
    EXPECT_EQ(FlexGrid::cellText(QVariant(QMetaType::fromType<QString>())), QString());
    EXPECT_EQ(FlexGrid::cellText(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
    EXPECT_EQ(FlexGrid::cellText(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))),
              QStringLiteral("05/03/2024 14:07:09"));
    EXPECT_EQ(FlexGrid::cellText(QTime(8, 30)), QStringLiteral("08:30:00"));
    EXPECT_EQ(FlexGrid::cellText(2.50), QStringLiteral("2.5"));
    EXPECT_EQ(FlexGrid::cellText(1500000.0), QStringLiteral("1500000"));
    EXPECT_EQ(FlexGrid::cellText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(FlexGrid::cellText(-250.0), QStringLiteral("-250"));
    EXPECT_EQ(FlexGrid::cellText(1e20), QStringLiteral("1e+20"));
    EXPECT_EQ(FlexGrid::cellText(qlonglong(42)), QStringLiteral("42"));
}

TEST(FlexGridTest, KeysReportTheirCodeAndEnterDoesNotMove) {
    FlexGrid grid;
    fill(grid, 4);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.setRow(2);
    QSignalSpy keys(&grid, &FlexGrid::KeyPress);

    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(grid.Row(), 2) << "neither Enter nor a typed letter moves the current row";
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 3);
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys.at(0).at(0).toInt(), 13);
    EXPECT_EQ(keys.at(1).at(0).toInt(), int('a'));
}

TEST(FlexGridTest, DoubleClickMakesTheClickedRowCurrent) {
    FlexGrid grid;
    fill(grid, 4);
    grid.resize(400, 300);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy clicks(&grid, &FlexGrid::DblClick);
    const QRect cell = grid.visualRect(grid.model()->index(2, 1));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(clicks.size(), 1);
}

TEST(FlexGridTest, BindCopiesTheRowsWithFieldNamesAsHeaders) {
    wbtest::TestDatabase db(wb::Engine::Sqlite);
    auto con = db.connect();
    wb::Recordset rs;
    rs.Open(QStringLiteral("SELECT 1 AS Pat_id, 'Ali' AS Pat_name, NULL AS Remarks, 2.5 AS Fee "
                           "UNION ALL SELECT 2, 'Sara', 'Ward B', 10"),
            *con);
    FlexGrid grid;
    grid.setColWidth(0, 0);
    grid.bind(rs);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("Pat_name"));
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("1"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QString()) << "Null shows as an empty cell";
    EXPECT_EQ(grid.TextMatrix(1, 3), QStringLiteral("2.5"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QStringLiteral("Ward B"));

    rs.Close(); // the grid keeps its copy when the shared record set moves on
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("Sara"));

    // A large result is converted in parts; every row lands in its place.
    rs.Open(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 25001) "
                           "SELECT i, i * 0.5 FROM n"),
            *con);
    grid.bind(rs);
    ASSERT_EQ(grid.Rows(), 25002);
    for (int r = 1; r < grid.Rows(); ++r) {
        ASSERT_EQ(grid.TextMatrix(r, 0), QString::number(r));
        ASSERT_EQ(grid.TextMatrix(r, 1), QString::number(r * 0.5));
    }

    rs.Open(QStringLiteral("SELECT 'x' AS Only_col WHERE 1 = 0"), *con);
    grid.bind(rs);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Row(), 0);
}

TEST(FlexGridTest, ArrowKeysMoveBetweenRowsWhateverColumnsAreHidden) {
    for (const QList<int>& hidden : {QList<int>{0}, QList<int>{0, 1}, QList<int>{1}}) {
        FlexGrid grid;
        fill(grid, 4);
        for (int c : hidden)
            grid.setColWidth(c, 0);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        grid.setRow(1);
        QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, Qt::Key_Down);
        EXPECT_EQ(grid.Row(), 4) << "hidden " << hidden.size() << " from column " << hidden.first();
        QTest::keyClick(&grid, Qt::Key_Up);
        EXPECT_EQ(grid.Row(), 3);
        EXPECT_EQ(grid.TextMatrix(grid.Row(), 0), QStringLiteral("3.0")) << "hidden values stay readable";
    }
}

TEST(FlexGridTest, TabAndShiftTabLeaveTheGridForTheNextAndPreviousControl) {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* grid = new FlexGrid(&window);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* w : std::initializer_list<QWidget*>{before, grid, after})
        layout->addWidget(w);
    fill(*grid, 4);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
    grid->setRow(2);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(grid->Row(), 2) << "Tab does not move in the grid";
    QTest::keyClick(after, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());
    EXPECT_EQ(grid->Row(), 2);
}

} // namespace
