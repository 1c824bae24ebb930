#include "slips/sliplines.h"
#include "ui/flexgrid.h"

#include <gtest/gtest.h>

using namespace wb;
namespace lines = wb::slips::lines;

namespace {

lines::Line line(const char* test, const char* rate) {
    return {QStringLiteral("7"), QString::fromLatin1(test), QStringLiteral("LAB"),
            QStringLiteral("TEST ") + QString::fromLatin1(test), QString::fromLatin1(rate)};
}

QStringList tests(const ui::FlexGrid& g) {
    QStringList out;
    for (int r = 1; r < g.Rows(); ++r)
        out << g.TextMatrix(r, lines::TestCode);
    return out;
}

TEST(SlipLinesGrid, LinesAreAddedTotalledRemovedAndHandedToTheSaveInOrder) {
    ui::FlexGrid g;
    lines::setGrid(g);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(0, lines::Rate), QStringLiteral("Rate"));
    EXPECT_TRUE(g.isColumnHidden(lines::ServiceCode));
    EXPECT_TRUE(g.isColumnHidden(lines::TestCode));

    lines::append(g, line("1", "100.10"));
    lines::append(g, line("2", "200.20"));
    lines::append(g, line("3", "0.05"));
    lines::append(g, line("4", "300"));
    EXPECT_EQ(lines::total(g), 60035);
    EXPECT_TRUE(lines::hasTest(g, QStringLiteral("3")));
    EXPECT_FALSE(lines::hasTest(g, QStringLiteral("7"))); // the service head's number is not a test

    // The current line goes and the lines below move up; with none current, the last one goes.
    g.setRow(2);
    lines::removeCurrent(g);
    EXPECT_EQ(tests(g), (QStringList{"1", "3", "4"}));
    EXPECT_EQ(g.TextMatrix(2, lines::Rate), QStringLiteral("0.05"));
    g.setRow(0);
    lines::removeCurrent(g);
    EXPECT_EQ(tests(g), (QStringList{"1", "3"}));
    EXPECT_EQ(lines::total(g), 10015);

    const QList<slips::SlipLine> saved = lines::toSave(g);
    ASSERT_EQ(saved.size(), 2);
    EXPECT_EQ(saved[1].service, QStringLiteral("7"));
    EXPECT_EQ(saved[1].rateList, QStringLiteral("3"));
    EXPECT_EQ(saved[1].rate, QStringLiteral("0.05"));

    // Down to one line, a removal empties the grid whichever line is current.
    g.setRow(1);
    lines::removeCurrent(g);
    g.setRow(0);
    lines::removeCurrent(g);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(lines::total(g), 0);
    EXPECT_TRUE(lines::toSave(g).isEmpty());
}

} // namespace
