#include "data/recordset.h"
#include "support/enginework.h"
#include "support/testdb.h"
#include "ui/flexgrid.h"

#include <QApplication>
#include <QDate>
#include <QStringList>
#include <QStyledItemDelegate>
#include <gtest/gtest.h>
#include <stdexcept>

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
    for (int i = 0; i < Patients / 64 + 1; ++i) {
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

// Every page after the first starts after the last row read: whatever the order (Nulls, ties broken
// by the key, either direction, output names and positions, values bound before and after the key
// condition), the grid lists what the whole query lists, each row once.
TEST_P(FlexGridPagingTest, PagesReadByKeyListWhatTheWholeQueryLists) {
    con->Execute(QStringLiteral("update Patient_Slips set Tel_no = case when Row_no % 7 = 0 then null "
                                "else 'T' || (Row_no % 13) end"));
    con->Execute(QStringLiteral("update Patient_Slips set Fat_name = case when Row_no % 3 = 0 then null "
                                "else 'F' || (Row_no % 2) end"));
    struct Case {
        const char* sql;
        QVariantList params;
    };
    const Case cases[] = {
        {"select Row_no, Tel_no from Patient_Slips order by Tel_no, Row_no", {}},
        {"select Row_no, Tel_no from Patient_Slips order by Tel_no desc, Row_no", {}},
        {"select Row_no, Tel_no from Patient_Slips order by Tel_no, Fat_name, Row_no", {}},
        {"select Row_no, Fat_name from Patient_Slips order by Tel_no desc, Fat_name desc, Row_no desc", {}},
        {"select Row_no, Tel_no as phone from Patient_Slips order by phone desc, 1 desc", {}},
        {"select p.Row_no, p.Tel_no from Patient_Slips p where p.Pat_name like ? and p.Row_no > ? "
         "order by p.Tel_no, p.Row_no desc",
         {QStringLiteral("NAME%"), 5}},
        {"select a.Row_no, b.Tel_no from Patient_Slips a left join Patient_Slips b on b.Row_no = a.Row_no + "
         "? "
         "where a.Row_no <> ? order by b.Tel_no desc, a.Row_no",
         {3, 10}},
    };
    for (const Case& c : cases) {
        const QString sql = QString::fromLatin1(c.sql);
        Recordset whole;
        whole.Open(sql, *con, c.params);
        QStringList expected;
        for (int r = 0; r < whole.RecordCount(); ++r)
            expected << whole.value(r, 0).toString();
        FlexGrid grid;
        grid.bindQuery(*con, sql, c.params);
        ASSERT_EQ(grid.Rows(), whole.RecordCount() + 1) << c.sql;
        QStringList read;
        for (int r = 1; r < grid.Rows(); ++r)
            read << grid.TextMatrix(r, 0);
        EXPECT_EQ(read, expected) << c.sql;
        EXPECT_EQ(grid.Cols(), 2) << c.sql; // the order values read with the rows are not shown
    }
}

// A page far down a list costs what a page near its top costs, also where the Nulls of the first
// term come after its values (ascending on the server, descending on the embedded engine): the
// rows with a value are read from the index at the last row shown, the Nulls after them apart.
TEST_P(FlexGridPagingTest, APageFarDownCostsWhatAPageNearTheTopCosts) {
    con->Execute(QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
        "insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) select 10000 + i, 'X-' || i, "
        "case when i % 10 = 0 then null else 'NAME ' || (i % 5000) end, 'F' from n"));
    if (con->engine() == Engine::Postgres) { // the statistics a hospital's table has by now
        Connection owner;
        owner.Open(wbtest::serverAdminInfo(db->name()));
        owner.Execute(QStringLiteral("analyze Patient_Slips"));
    }
    const QString order = con->engine() == Engine::Sqlite ? QStringLiteral("Pat_name desc, Row_no desc")
                                                          : QStringLiteral("Pat_name, Row_no");
    const QString sql = QStringLiteral("select Row_no, Pat_name from Patient_Slips order by ") + order;
    FlexGrid grid;
    grid.bindQuery(*con, sql);
    const QString table = QStringLiteral("Patient_Slips");
    const qint64 nearTop = wbtest::engineWork(*con, table, [&] { grid.TextMatrix(100, 0); });
    grid.TextMatrix(8000, 0);
    const qint64 farDown = wbtest::engineWork(*con, table, [&] { grid.TextMatrix(8100, 0); });
    EXPECT_LE(farDown, nearTop * 2) << "near the top " << nearTop << ", far down " << farDown;

    Recordset whole;
    whole.Open(sql, *con);
    ASSERT_EQ(grid.Rows(), whole.RecordCount() + 1);
    int differ = 0;
    for (int r = 0; r < whole.RecordCount(); ++r)
        differ += grid.TextMatrix(r + 1, 0) != whole.value(r, 0).toString();
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 1, 1), QString()); // the Nulls come last
}

// The columns fit the values in view: a value shown on opening widens its column, but a page read
// below the rows shown (the user scrolled to the end of those read) leaves every column as it was
// and measures nothing, so scrolling does not wait for the texts of rows nobody sees yet.
TEST_P(FlexGridPagingTest, APageReadBelowTheViewLeavesTheColumnsAlone) {
    struct CountingDelegate : QStyledItemDelegate {
        mutable int hints = 0;
        QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
            ++hints;
            return QStyledItemDelegate::sizeHint(option, index);
        }
    };
    const QStringList codes = expectedCodes();
    const QString longName = QStringLiteral("W").repeated(40);
    for (const int at : {2, 70}) // in view on opening; in the page read after the first
        con->Execute(QStringLiteral("update Patient_Slips set Pat_name = ? where Code_no = ?"),
                     {longName + QString::number(at), codes.at(at)});
    FlexGrid grid;
    CountingDelegate delegate;
    grid.setItemDelegate(&delegate);
    grid.resize(500, 250);
    grid.show();
    grid.bindQuery(*con, Listing, {QStringLiteral("%")});
    QApplication::processEvents();
    const int nameWidth = grid.columnWidth(2);
    EXPECT_GE(nameWidth, grid.fontMetrics().horizontalAdvance(longName)); // the value in view is whole

    delegate.hints = 0;
    grid.scrollToBottom();
    QApplication::processEvents();
    ASSERT_GT(grid.model()->rowCount(), 64); // the next page was read
    EXPECT_EQ(delegate.hints, 0);
    EXPECT_EQ(grid.columnWidth(2), nameWidth);
    grid.setItemDelegate(nullptr);
}

// A list whose order is not total could list a row twice and never show another: the grid refuses
// it as soon as two rows it read tie on the whole order, on the first page or a later one.
TEST_P(FlexGridPagingTest, AListWithoutATotalOrderIsRefused) {
    FlexGrid grid;
    EXPECT_THROW(grid.bindQuery(*con, QStringLiteral("select Row_no, Fat_name from Patient_Slips")),
                 std::logic_error);
    EXPECT_THROW(
        grid.bindQuery(*con, QStringLiteral("select Row_no, Fat_name from Patient_Slips order by Fat_name")),
        std::logic_error);
    grid.bindQuery(*con, QStringLiteral("select Row_no from Patient_Slips order by case when Row_no < 1000 "
                                        "then Row_no else 1000 end"));
    EXPECT_EQ(grid.TextMatrix(500, 0), QStringLiteral("500"));
    EXPECT_THROW(grid.TextMatrix(1100, 0), std::logic_error);
}

WB_ENGINES(FlexGridPagingTest);

} // namespace
