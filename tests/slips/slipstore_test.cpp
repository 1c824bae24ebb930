#include "data/connection.h"
#include "data/dberror.h"
#include "slips/money.h"
#include "slips/shiftrule.h"
#include "slips/slipstore.h"
#include "support/testdb.h"

#include <QThread>
#include <gtest/gtest.h>
#include <thread>

using namespace wb;

namespace {

slips::SlipRecord slipFor(const QString& patient, int lines) {
    slips::SlipRecord s;
    s.values.insert(QStringLiteral("p_name"), patient);
    s.values.insert(QStringLiteral("amount"), QString::number(lines * 100));
    s.slipDate = QDate(2026, 12, 8);
    s.status = QStringLiteral("OPD");
    for (int i = 1; i <= lines; ++i)
        s.lines.append({QStringLiteral("1"), QString::number(i), QStringLiteral("100")});
    return s;
}

int count(Connection& con, const QString& sql, const QVariantList& params = {}) {
    return con.scalar(sql, params).toInt();
}

class SlipStoreTest : public wbtest::EngineTest {};

// Desk B has taken key 1 in a transaction it has not committed; desk A, saving meanwhile, computes
// the same key, waits on it and must come away with the next one.
TEST_P(SlipStoreTest, TwoDesksSavingAtOnceGetTwoWholeSlips) {
    auto deskB = db->connect();
    deskB->BeginTrans();
    deskB->Execute(
        QStringLiteral("insert into SLIPS_MASTER (Row_no, p_name, status) values (1, 'DESK B', 'OPD')"));
    deskB->Execute(QStringLiteral("insert into SLIP_DETAIL (Row_no, Line_no, service) values (1, 1, 5)"));

    qint64 keyA = 0;
    QString failure;
    std::thread deskA([&] {
        try {
            auto con = db->connect();
            keyA = slips::saveSlip(*con, slipFor(QStringLiteral("DESK A"), 3), QStringLiteral("A"),
                                   QDateTime::currentDateTime());
        } catch (const DbError& e) {
            failure = e.text();
        }
    });
    QThread::msleep(400); // desk A is now waiting on desk B's key (PostgreSQL) or on its lock (SQLite)
    deskB->CommitTrans();
    deskA.join();
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(keyA, 2);
    auto con = db->connect();
    EXPECT_EQ(con->scalar(QStringLiteral("select p_name from SLIPS_MASTER where Row_no = 2")).toString(),
              QStringLiteral("DESK A"));
    EXPECT_EQ(count(*con, QStringLiteral("select count(*) from SLIP_DETAIL where Row_no = 2")), 3);
    EXPECT_EQ(count(*con, QStringLiteral("select count(*) from SLIP_DETAIL where Row_no = 1")), 1);
}

TEST_P(SlipStoreTest, CancelAndDeleteReportASlipThatIsGoneAndKeepTheReasonAsTyped) {
    auto con = db->connect();
    const qint64 key = slips::saveSlip(*con, slipFor(QStringLiteral("X"), 2), QStringLiteral("A"),
                                       QDateTime::currentDateTime());
    EXPECT_TRUE(slips::cancelSlip(*con, key, QStringLiteral("patient's request; drop table x")));
    EXPECT_EQ(con->scalar(QStringLiteral("select CanResign from SLIPS_MASTER")).toString(),
              QStringLiteral("patient's request; drop table x"));
    EXPECT_EQ(con->scalar(QStringLiteral("select CancelStatus from SLIPS_MASTER")).toString(),
              QStringLiteral("CANCEL"));
    EXPECT_TRUE(slips::deleteSlip(*con, key));
    EXPECT_EQ(count(*con, QStringLiteral("select count(*) from SLIP_DETAIL")), 0);
    EXPECT_EQ(count(*con, QStringLiteral("select count(*) from SLIPS_MASTER")), 0);
    EXPECT_FALSE(slips::cancelSlip(*con, key, QStringLiteral("again")));
    EXPECT_FALSE(slips::deleteSlip(*con, key));
    auto edit = slipFor(QStringLiteral("X"), 1);
    edit.key = key;
    try {
        slips::saveSlip(*con, edit, QStringLiteral("A"), QDateTime::currentDateTime());
        ADD_FAILURE() << "saving a deleted slip succeeded";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::NotFound);
    }
    EXPECT_EQ(count(*con, QStringLiteral("select count(*) from SLIP_DETAIL")), 0);
}

WB_ENGINES(SlipStoreTest);

TEST(SlipMoney, ReadsTheLeadingNumberToTheCentAndWritesTheShortestForm) {
    using namespace slips::money;
    EXPECT_EQ(valueOf(QStringLiteral("600")), 60000);
    EXPECT_EQ(valueOf(QStringLiteral(" 100.5abc")), 10050);
    EXPECT_EQ(valueOf(QStringLiteral("abc")), 0);
    EXPECT_EQ(valueOf(QString()), 0);
    EXPECT_EQ(valueOf(QStringLiteral("-3.125")), -313);
    EXPECT_EQ(valueOf(QStringLiteral(".05")), 5);
    EXPECT_EQ(text(60000), QStringLiteral("600"));
    EXPECT_EQ(text(10050), QStringLiteral("100.5"));
    EXPECT_EQ(text(10005), QStringLiteral("100.05"));
    EXPECT_EQ(text(-30), QStringLiteral("-0.3"));
    EXPECT_EQ(text(valueOf(QStringLiteral("0.1")) + valueOf(QStringLiteral("0.2"))), QStringLiteral("0.3"));
    EXPECT_EQ(fromNumber(0.1 + 0.2), 30);
    for (const char* bad : {"", ".", "1.2.3", "12X", "-4", "1e5", " 5"})
        EXPECT_FALSE(isAmount(QLatin1String(bad))) << bad;
    for (const char* good : {"5", "5.", ".5", "0.25"})
        EXPECT_TRUE(isAmount(QLatin1String(good))) << good;
}

TEST(SlipShift, OvernightShiftsAndUnreadableTimes) {
    const slips::ShiftTimes morning{QStringLiteral("MORNING"), QStringLiteral("08:00"),
                                    QStringLiteral("14:00")},
        evening{QStringLiteral("EVENING"), QStringLiteral("14:00"), QStringLiteral("22:00")},
        night{QStringLiteral("NIGHT"), QStringLiteral("22:00"), QStringLiteral("08:00")},
        lateNight{QStringLiteral("NIGHT"), QStringLiteral("22:30"), QStringLiteral("08:30")},
        lateEvening{QStringLiteral("EVENING"), QStringLiteral("14:00"), QStringLiteral("22:30")},
        broken{QStringLiteral("X"), QStringLiteral("8"), QString()};
    const QList<slips::ShiftTimes> day = {morning, evening, night};
    const QList<slips::ShiftTimes> late = {lateNight, lateEvening}; // the overnight shift listed first
    const struct {
        QList<slips::ShiftTimes> shifts;
        QTime now;
        const char* letter;
    } cases[] = {
        {day, QTime(23, 30), "N"},
        {day, QTime(5, 15), "N"},
        {day, QTime(14, 0), "E"},
        {day, QTime(22, 0), "N"},
        // The overnight shift never matches during the hour in which it ends.
        {{night}, QTime(8, 30), ""},
        {{night}, QTime(7, 59), "N"},
        // Its start is a time of day, not only an hour: at 22:10 the 22:30 shift has not begun.
        {late, QTime(22, 10), "E"},
        {late, QTime(22, 29), "E"},
        {late, QTime(22, 30), "N"},
        {late, QTime(22, 40), "N"},
        {late, QTime(7, 0), "N"},
        {late, QTime(8, 10), ""}, // in no shift
        {late, QTime(12, 0), ""},
        {{broken, morning}, QTime(9, 0), "M"},
        {{}, QTime(9, 0), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(slips::currentShift(c.shifts, c.now), QLatin1String(c.letter))
            << c.now.toString().toStdString() << " in " << c.shifts.size() << " shifts";
}

} // namespace
