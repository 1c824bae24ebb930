#include "data/connection.h"
#include "data/dberror.h"
#include "data/schema.h"
#include "data/setup.h"
#include "data/textsearch.h"
#include "support/testdb.h"

#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

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

// A file written by an earlier version of the program (here one at step 15) is brought to this
// version when the program starts on it: its rows are kept and its search boxes find them through
// this version's indexes.
TEST(Schema, AnEarlierVersionsFileIsBroughtUpToDateAndItsSearchesWork) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("earlier.sqlite"));
    {
        Connection con;
        ConnectInfo info;
        info.engine = Engine::Sqlite;
        info.server = path;
        info.createIfMissing = true;
        info.purpose = Purpose::Setup;
        con.Open(info);
        Schema::migrate(con, 15);
        con.Execute(
            QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name) values (1, 'PAT-1', "
                           "'XAVIER ALI'), (2, 'PAT-2', 'Sara Bibi')"));
        con.Execute(
            QStringLiteral("insert into Addmission (Row_no, Reg_no, Pat_row_id) values (1, 'R-1', 1)"));
        con.Execute(QStringLiteral("analyze")); // the statistics the planner has of a file in use
    }
    EXPECT_TRUE(Setup::upgradeEmbedded(path));
    EXPECT_FALSE(Setup::upgradeEmbedded(path)) << "a second start has nothing to do";
    Connection con;
    ConnectInfo info;
    info.engine = Engine::Sqlite;
    info.server = path;
    info.purpose = Purpose::ListUsers;
    con.Open(info);
    EXPECT_EQ(Schema::version(con), Schema::latestVersion());
    // The names it held are listed, each with its fold.
    EXPECT_EQ(con.scalar(QStringLiteral("select group_concat(Value_text || '=' || Value_folded || '=' || "
                                        "Row_count, ';') from (select * from Patient_Slips_Pat_name_values "
                                        "order by Value_text)"))
                  .toString(),
              QStringLiteral("Sara Bibi=SARA BIBI=1;XAVIER ALI=XAVIER ALI=1"));
    for (const QString& text : {QStringLiteral("X"), QStringLiteral("xa"), QStringLiteral("AVI")}) {
        QVariantList params;
        const QString where = TextSearch::contains(con, QStringLiteral("Patient_Slips"),
                                                   QStringLiteral("Pat_name"), text, params);
        EXPECT_EQ(con.scalar(QStringLiteral("select Pat_name from Patient_Slips where ") + where, params)
                      .toString(),
                  QStringLiteral("XAVIER ALI"))
            << text.toStdString();
    }
    // An index a later step adds to a table with statistics has them too: the planner would
    // otherwise take it for unknown and pass it by.
    QSqlQuery q = con.query(QStringLiteral(
        "select i.name from sqlite_master i where i.type = 'index' and i.sql is not null and i.tbl_name in "
        "(select tbl from sqlite_stat1) and not exists (select 1 from sqlite_stat1 s where s.idx = i.name)"));
    QStringList unanalysed;
    while (q.next())
        unanalysed << q.value(0).toString();
    EXPECT_EQ(unanalysed, QStringList{});
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

// Registration numbers that differ only in letter case or blanks are one number: the step brings
// stored numbers to their trimmed, upper-cased form and makes them unique by that rule; numbers that
// already clash are left as they are and reported, and the step does not fail on them.
class RegistrationNumberStep : public wbtest::EngineTest {};

QStringList warnings;
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg)
        warnings << text;
}

TEST_P(RegistrationNumberStep, NormalisesStoredNumbersAndReportsClashesInsteadOfFailing) {
    auto con = db->engine() == Engine::Postgres ? std::make_unique<Connection>() : db->connect();
    if (db->engine() == Engine::Postgres)
        con->Open(wbtest::serverAdminInfo(db->name())); // the preparing account runs the steps
    // A database from before the step.
    con->Execute(QStringLiteral("DROP INDEX Addmission_Reg_no_rule"));
    con->Execute(QStringLiteral("DELETE FROM Schema_Version WHERE Version = 14"));
    int key = 0;
    for (const char* n : {"r-100", "R-100 ", "q-7 ", "Z'1", "z'1"})
        con->Execute(QStringLiteral("insert into Addmission (Row_no, Reg_no, Room_no) values (?, ?, 'X')"),
                     {++key, QString::fromLatin1(n)});
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
    EXPECT_NO_THROW(Schema::migrate(*con));
    qInstallMessageHandler(previous);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("R-100 (2 admissions)"))) << warnings[0].toStdString();
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("Z'1 (2 admissions)"))) << warnings[0].toStdString();
    QStringList stored;
    QSqlQuery q = con->query(QStringLiteral("select Reg_no from Addmission order by Row_no"));
    while (q.next())
        stored << q.value(0).toString();
    EXPECT_EQ(stored, (QStringList{"r-100", "R-100 ", "Q-7", "Z'1", "z'1"}));
    // No further admission under another spelling of a number (the screens refuse the clashing ones).
    for (const char* n : {"q-7", " Q-7"})
        EXPECT_THROW(con->Execute(QStringLiteral("insert into Addmission (Row_no, Reg_no, Room_no) values "
                                                 "(?, ?, 'X')"),
                                  {++key, QString::fromLatin1(n)}),
                     DbError)
            << n;
    con->Execute(QStringLiteral("insert into Addmission (Row_no, Reg_no, Room_no) values (?, 'q-8', 'X')"),
                 {++key});
}

WB_ENGINES(RegistrationNumberStep);

} // namespace
