#include "data/connection.h"
#include "registers/frm_Employee.h"
#include "session/module1.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_frm_Employee.h"

#include <QSet>

using namespace wb;

namespace {

// The grid reads its rows a page at a time, so rows that tie in the register's order must still
// come in one order from page to page.
class RegisterPagingTest : public wbtest::RegisterTest {};

TEST_P(RegisterPagingTest, RowsThatTieInTheOrderAreEachListedOnceAcrossPages) {
    {
        Transaction t(*Module1::Con);
        for (int i = 1; i <= 700; ++i)
            Module1::Con->Execute(QStringLiteral("insert into Employees (Row_no, Emp_name) values (?, ?)"),
                                  {i, i % 3 == 0 ? QStringLiteral("ZAID") : QStringLiteral("ALI")});
        t.commit();
    }
    auto& w = wbtest::openFromMenu<frm_Employee>("mnu_Emp");
    QStringList keys;
    QStringList names;
    for (int r = 1; r < w.Msh->Rows(); ++r) {
        keys << w.cell(r, QStringLiteral("Row_no"));
        names << w.cell(r, QStringLiteral("Emp_name"));
    }
    ASSERT_EQ(keys.size(), 700);
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), 700) << "a row listed twice, another missed";
    EXPECT_EQ(names.indexOf(QStringLiteral("ZAID")), 700 - 233);
    // The same search again shows the rows in the same order.
    w.FillGird();
    QStringList again;
    for (int r = 1; r < w.Msh->Rows(); ++r)
        again << w.cell(r, QStringLiteral("Row_no"));
    EXPECT_EQ(again, keys);
}

WB_ENGINES(RegisterPagingTest);

} // namespace
