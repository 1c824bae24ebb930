#include "data/recordset.h"
#include "support/testdb.h"
#include "ui/flexgrid.h"

#include <QApplication>
#include <QDate>
#include <QStringList>
#include <gtest/gtest.h>

using namespace wb;
using wb::ui::FlexGrid;

namespace {

constexpr int Patients = 1300; // past the first screenful and two pages

const QString Listing = QStringLiteral("select Row_no, Code_no, Pat_name, Pat_date from Patient_Slips "
                                       "where Pat_name like ? order by Code_no desc");

class FlexGridPagingTest : public wbtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        con = db->connect();
        Transaction t(*con);
        for (int i = 1; i <= Patients; ++i)
            con->Execute(
                QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Pat_date) "
                               "values (?, ?, ?, 'F', ?)"),
                {i, QStringLiteral("PAT-%1").arg(i), QStringLiteral("NAME %1").arg(i),
                 QDate(2020, 1, 1).addDays(i)});
        t.commit();
    }
    // The codes the whole query gives, in its order.
    QStringList expectedCodes() {
        Recordset rs;
        rs.Open(Listing, *con, {QStringLiteral("%")});
        QStringList codes;
        for (int r = 0; r < rs.RecordCount(); ++r)
            codes << rs.value(r, 1).toString();
        return codes;
    }
    std::unique_ptr<Connection> con;
};

TEST_P(FlexGridPagingTest, RowsCountsTheWholeResultAndEveryRowReadsInTheQueryOrder) {
    FlexGrid grid;
    ASSERT_EQ(grid.bindQuery(*con, Listing, {QStringLiteral("%")}), 64);
    EXPECT_EQ(grid.model()->rowCount(), 64); // only the first screenful is read
    EXPECT_EQ(grid.Rows(), Patients + 1);
    EXPECT_EQ(grid.TextMatrix(0, 1).toLower(), QStringLiteral("code_no")); // the field name
    EXPECT_EQ(grid.Row(), 1);

    const QStringList expected = expectedCodes();
    ASSERT_EQ(expected.size(), Patients);
    QStringList read;
    for (int r = 1; r < grid.Rows(); ++r)
        read << grid.TextMatrix(r, 1);
    EXPECT_EQ(read, expected); // no row lost or repeated at a page boundary
    const int row = 700;
    const int key = grid.TextMatrix(row, 0).toInt();
    EXPECT_EQ(grid.TextMatrix(row, 2), QStringLiteral("NAME %1").arg(key));
    EXPECT_EQ(grid.TextMatrix(row, 3), QDate(2020, 1, 1).addDays(key).toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_THROW(grid.TextMatrix(Patients + 1, 0), std::out_of_range);

    // A small result is read whole at once; an empty one has no rows.
    EXPECT_EQ(grid.bindQuery(*con, Listing, {QStringLiteral("NAME 13%")}), 12); // 13, 130 to 139, 1300
    EXPECT_EQ(grid.Rows(), 13);
    EXPECT_EQ(grid.bindQuery(*con, Listing, {QStringLiteral("NOBODY")}), 0);
    EXPECT_EQ(grid.Rows(), 1);
}

TEST_P(FlexGridPagingTest, ScrollingReadsTheNextPagesInOrderAndSetRowReachesAnyRow) {
    FlexGrid grid;
    grid.resize(400, 300);
    grid.show();
    grid.bindQuery(*con, Listing, {QStringLiteral("%")});
    QApplication::processEvents();
    EXPECT_EQ(grid.model()->rowCount(), 64);

    grid.scrollToBottom();
    QApplication::processEvents();
    const int afterOne = grid.model()->rowCount();
    EXPECT_GT(afterOne, 64);
    EXPECT_LT(afterOne, Patients); // one page more, not the whole result
    for (int i = 0; i < 10; ++i) {
        grid.scrollToBottom();
        QApplication::processEvents();
    }
    EXPECT_EQ(grid.model()->rowCount(), Patients);

    const QStringList expected = expectedCodes();
    for (int r = 0; r < Patients; ++r)
        ASSERT_EQ(grid.model()->index(r, 1).data().toString(), expected.at(r)) << r;

    // The current row can be set past what was read.
    grid.bindQuery(*con, Listing, {QStringLiteral("%")});
    grid.setRow(1000);
    EXPECT_EQ(grid.Row(), 1000);
    EXPECT_EQ(grid.TextMatrix(grid.Row(), 1), expected.at(999));
}

TEST_P(FlexGridPagingTest, ChangingCellsOfAPagedGridKeepsEveryRow) {
    FlexGrid grid;
    grid.bindQuery(*con, Listing, {QStringLiteral("%")});
    grid.setTextMatrix(2, 2, QStringLiteral("CHANGED"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QStringLiteral("CHANGED"));
    EXPECT_EQ(grid.Rows(), Patients + 1);
    EXPECT_EQ(grid.TextMatrix(Patients, 1), expectedCodes().last());

    grid.bindQuery(*con, Listing, {QStringLiteral("%")});
    grid.Clear();
    EXPECT_EQ(grid.Rows(), Patients + 1);
    EXPECT_EQ(grid.TextMatrix(Patients, 1), QString());
    EXPECT_EQ(grid.TextMatrix(0, 1), QString());
}

WB_ENGINES(FlexGridPagingTest);

} // namespace
