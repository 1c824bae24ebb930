#include "data/connection.h"
#include "data/schema.h"
#include "support/testdb.h"

using namespace wb;

namespace {

// Branches land in any order: a database that recorded a later step must still receive an earlier
// one written afterwards.
TEST(Schema, AStepMissingBelowTheHighestRecordedOneStillRuns) {
    wbtest::TestDatabase db(Engine::Sqlite);
    auto con = db.connect();
    ASSERT_EQ(Schema::version(*con), Schema::latestVersion());
    con->Execute(QStringLiteral("DROP TABLE Addmission"));
    con->Execute(QStringLiteral("DELETE FROM Schema_Version WHERE Version = 7"));
    Schema::migrate(*con);
    EXPECT_EQ(con->scalar(QStringLiteral("select count(*) from Addmission")).toInt(), 0);
    EXPECT_EQ(con->scalar(QStringLiteral("select count(*) from Schema_Version where Version = 7")).toInt(),
              1);
    // Nothing already recorded runs twice.
    Schema::migrate(*con);
    EXPECT_EQ(con->scalar(QStringLiteral("select count(*) from Schema_Version")).toInt(),
              Schema::migrations().size());
}

} // namespace
