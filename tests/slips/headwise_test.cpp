#include "accountsfixture.h"

#include "data/dberror.h"
#include "data/loginstore.h"
#include "shell/module1.h"
#include "slips/headwise.h"
#include "support/testdb.h"

using namespace wb;
using namespace accounts;

namespace {

class HeadWiseFillTest : public wbtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        a = db->connect();
        // The second desk is a cashier without administrator rights.
        a->logins().create(QStringLiteral("CASHIERB"), QStringLiteral("Cash-Desk-9"), false);
        b = db->connect(QStringLiteral("CASHIERB"), QStringLiteral("Cash-Desk-9"));
        keys = write(*a);
    }
    // The work rows a connection sees: test name -> (quantity, amount), as "NAME qty amount".
    static QStringList rows(Connection& con) {
        QStringList out;
        QSqlQuery q =
            con.query(QStringLiteral("SELECT Test_Name, Qty, Amount, S_Code, Slip_date FROM rptHeadWise "
                                     "ORDER BY Test_Name"));
        while (q.next())
            out << QStringLiteral("%1 %2 %3")
                       .arg(q.value(0).toString())
                       .arg(q.value(1).toInt())
                       .arg(q.value(2).toDouble());
        return out;
    }
    // The same computed from the fixture.
    static QStringList expected(const QDate& d) {
        QStringList out;
        for (int t = 0; t < tests().size(); ++t) {
            int qty = 0;
            double sum = 0;
            for (const Slip& s : accounts::slips())
                for (const Line& l : s.lines)
                    if (s.date == d && !s.cancelled && l.test == t) {
                        ++qty;
                        sum += l.rate;
                    }
            if (qty)
                out << QStringLiteral("%1 %2 %3").arg(tests()[t].name).arg(qty).arg(sum);
        }
        out.sort();
        return out;
    }

    std::unique_ptr<Connection> a, b;
    Keys keys;
};

TEST_P(HeadWiseFillTest, FillsTheTestsOfTheDayUnderTheirHeads) {
    slips::CreateHeadWise(*a, QStringLiteral("2026-12-06"));
    EXPECT_EQ(rows(*a), expected(day(2)));
    QSqlQuery q = a->query(
        QStringLiteral("SELECT DISTINCT S_Code, S_Name, Slip_date FROM rptHeadWise ORDER BY S_Name"));
    QStringList heads;
    while (q.next()) {
        EXPECT_EQ(q.value(0).toLongLong(), keys.heads[accounts::heads().indexOf(q.value(1).toString())]);
        heads << q.value(1).toString();
    }
    EXPECT_EQ(heads, (QStringList{"CARDIOLOGY", "LABORATORY", "RADIOLOGY"}));

    // A second run on the same desk replaces the first one's rows.
    slips::CreateHeadWise(*a, QStringLiteral("2026-12-07"));
    EXPECT_EQ(rows(*a), expected(day(3)));
    slips::CreateHeadWise(*a, QStringLiteral("2027-01-01"));
    EXPECT_TRUE(rows(*a).isEmpty());

    EXPECT_THROW(slips::CreateHeadWise(*a, QStringLiteral("2026-12-06'; DROP TABLE doc; --")), DbError);
    EXPECT_THROW(slips::CreateHeadWise(*a, QStringLiteral("06/12/2026")), DbError);
    EXPECT_TRUE(a->scalar(QStringLiteral("SELECT count(*) FROM doc")).toInt() > 0);
}

TEST_P(HeadWiseFillTest, TwoDesksFillingAtOnceKeepTheirOwnRows) {
    // Desk A fills for one day, desk B for another before A's report reads its rows.
    slips::CreateHeadWise(*a, QStringLiteral("2026-12-05"));
    slips::CreateHeadWise(*b, QStringLiteral("2026-12-06"));
    EXPECT_EQ(rows(*a), expected(day(1)));
    EXPECT_EQ(rows(*b), expected(day(2)));

    // A third desk that fills nothing sees no work rows at all.
    auto c = db->connect();
    EXPECT_TRUE(rows(*c).isEmpty());

    // A's rows go when its run ends; B's stay until B's run ends.
    slips::DropHeadWise(*a);
    EXPECT_TRUE(rows(*a).isEmpty());
    EXPECT_EQ(rows(*b), expected(day(2)));
    {
        slips::HeadWiseRun run(*a, QStringLiteral("2026-12-07"));
        EXPECT_EQ(rows(*a), expected(day(3)));
    }
    EXPECT_TRUE(rows(*a).isEmpty());
    EXPECT_EQ(rows(*b), expected(day(2)));

    // The rows also go with the connection.
    b.reset();
    auto d = db->connect();
    EXPECT_TRUE(rows(*d).isEmpty());
}

WB_ENGINES(HeadWiseFillTest);

} // namespace
