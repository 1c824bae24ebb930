#include "data/connection.h"
#include "data/dberror.h"
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

// The columns the program counts on being unique, on both engines: a second row with the same
// values is refused as a duplicate, whatever its key.
class UniqueColumnsTest : public wbtest::EngineTest {};

TEST_P(UniqueColumnsTest, TheSchemaRefusesASecondRowWithTheSameValues) {
    auto con = db->connect();
    const struct {
        const char* what;
        const char* insert; // the first parameter is the row's own key
    } cases[] = {
        {"an admission's registration number",
         "insert into Addmission (Row_no, Ipd_code, Reg_no, Pat_row_id) values (?, 'IPD-', 'R-1', 1)"},
        {"a slip's line number",
         "insert into SLIP_DETAIL (Row_no, Line_no, service, Slip_date) values (1, 1, ?, "
         "'2026-12-08')"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        con->Execute(QLatin1String(c.insert), {1});
        try {
            con->Execute(QLatin1String(c.insert), {2});
            ADD_FAILURE() << "a second row was stored";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Duplicate) << e.text().toStdString();
        }
    }
}

WB_ENGINES(UniqueColumnsTest);

} // namespace
