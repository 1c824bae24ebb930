#include "data/backgroundreader.h"
#include "support/testdb.h"

#include <QEventLoop>
#include <QTimer>

using namespace wb;

namespace {

class BackgroundReaderTest : public wbtest::EngineTest {};

// A query that runs for minutes on either engine.
QString endless(Engine engine) {
    if (engine == Engine::Postgres)
        return QStringLiteral("select count(*) from generate_series(1, 2000000000) g");
    return QStringLiteral(
        "with recursive n(x) as (select 1 union all select x + 1 from n where x < 2000000000) "
        "select count(*) from n");
}

// Runs the event loop until `read` is over or a minute has passed.
bool waitFor(const std::shared_ptr<BackgroundReader::Read>& read, QEventLoop& loop) {
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(60000);
    if (!read->finished())
        loop.exec();
    return read->finished();
}

// A read nobody wants any more is stopped where it runs, and the reads after it are not held up
// by it; a read's rows and its errors reach the one who asked, on a read-only connection of the
// same user.
TEST_P(BackgroundReaderTest, AStaleReadIsStoppedAndTheNextOneAnswers) {
    auto con = db->connect();
    con->Execute(QStringLiteral("insert into doc (Row_no, doc_name) values (1, 'DR O''BRIEN')"));
    BackgroundReader* reader = con->backgroundReader();
    ASSERT_NE(reader, nullptr);

    bool staleDone = false;
    auto stale = reader->start(endless(GetParam()), {}, [&] { staleDone = true; });
    QEventLoop loop;
    auto fresh = reader->start(QStringLiteral("select doc_name from doc where doc_name = ?"),
                               {QStringLiteral("DR O'BRIEN")}, [&] { loop.quit(); });
    // Let the stale read start running on the server before it is abandoned.
    QTimer::singleShot(200, [&] { reader->abandon(stale); });
    ASSERT_TRUE(waitFor(fresh, loop)) << "the next read waited for the stale one to finish";
    Recordset rows = fresh->take();
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.value(0, 0).toString(), QStringLiteral("DR O'BRIEN"));
    EXPECT_FALSE(staleDone);
    EXPECT_EQ(reader->stopped(), 1);

    QEventLoop failing;
    auto refused = reader->start(QStringLiteral("delete from doc"), {}, [&] { failing.quit(); });
    ASSERT_TRUE(waitFor(refused, failing));
    EXPECT_THROW(refused->take(), DbError) << "the reader may only read";
    EXPECT_EQ(con->scalar(QStringLiteral("select count(*) from doc")).toInt(), 1);
}

// Where the reader's rows could differ from the connection's own, there is none.
TEST_P(BackgroundReaderTest, NoneInsideATransaction) {
    auto con = db->connect();
    {
        Transaction t(*con);
        EXPECT_EQ(con->backgroundReader(), nullptr);
    }
    EXPECT_NE(con->backgroundReader(), nullptr);
    con->Close();
    EXPECT_EQ(con->backgroundReader(), nullptr);
}

WB_ENGINES(BackgroundReaderTest);

} // namespace
