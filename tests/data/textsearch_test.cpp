#include "data/orderedsearch.h"
#include "data/recordset.h"
#include "data/textsearch.h"
#include "support/enginework.h"
#include "support/testdb.h"

#include <QStringList>

using namespace wb;
using wbtest::EngineTest;

namespace {

// The order of the lists the first screenfuls below are read in.
const QString ListOrder = QStringLiteral("Code_no desc, Row_no");

class TextSearchTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        con = db->connect();
    }
    void addPatients(const QStringList& names) {
        Transaction t(*con);
        for (const QString& name : names) {
            ++last;
            con->Execute(QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) "
                                        "values (?, ?, ?, 'F')"),
                         {last, QStringLiteral("PAT-%1").arg(last), name});
        }
        t.commit();
    }
    // Patients named from four common names, in bulk: the rows a search walks past.
    void addCommonPatients(int count) {
        con->Execute(
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                           "insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) "
                           "select %2 + i, 'PAT-' || (%2 + i), case i % 4 when 0 then 'AHMED KHAN' "
                           "when 1 then 'SARA MALIK' when 2 then 'MUHAMMAD ALI' else 'HINA BUTT' end, "
                           "'F' from n")
                .arg(count)
                .arg(last));
        last += count;
    }
    // The first screenful the search box lists (and what that costs), and the same by the plain LIKE.
    QStringList firstScreen(const QString& text, qint64* cost, bool plain = false,
                            const QString& column = QStringLiteral("Pat_name")) {
        QStringList out;
        *cost = wbtest::engineWork(*con, QStringLiteral("Patient_Slips"), [&] {
            QVariantList params;
            const QString filter = plain ? con->dialect().containsCI(column)
                                         : TextSearch::contains(*con, QStringLiteral("Patient_Slips"), column,
                                                                text, params, {}, ListOrder);
            if (plain)
                params << likeContains(text);
            Recordset rs;
            rs.Open(QStringLiteral("select Pat_name from Patient_Slips where %1 order by %2 limit 64")
                        .arg(filter, ListOrder),
                    *con, params);
            for (int r = 0; r < rs.RecordCount(); ++r)
                out << rs.value(r, 0).toString();
        });
        return out;
    }
    QStringList names(const QString& filter, const QVariantList& params) {
        Recordset rs;
        rs.Open(
            QStringLiteral("select Pat_name from Patient_Slips where %1 order by Code_no desc").arg(filter),
            *con, params);
        QStringList out;
        for (int r = 0; r < rs.RecordCount(); ++r)
            out << rs.value(r, 0).toString();
        return out;
    }
    // What the search box finds now, and what the plain LIKE over every row finds.
    QStringList found(const QString& text) {
        QVariantList params;
        const QString filter = TextSearch::contains(*con, QStringLiteral("Patient_Slips"),
                                                    QStringLiteral("Pat_name"), text, params);
        return names(filter, params);
    }
    QStringList scanned(const QString& text) {
        return names(con->dialect().containsCI(QStringLiteral("Pat_name")), {likeContains(text)});
    }
    // The codes the patient register lists for a code searched: through the walk of the text's
    // trigrams in the list's order where there is one, else by the plain scan.
    QStringList codes(const QString& text, bool plain = false) {
        QVariantList params;
        const auto walk = plain ? std::nullopt
                                : OrderedSearch::walk(*con, QStringLiteral("Patient_Slips"),
                                                      QStringLiteral("Code_no"), text, params, {}, ListOrder);
        QString sql;
        if (walk) {
            sql = QStringLiteral("select Code_no from %1 where %2 order by %3")
                      .arg(walk->from, walk->filter, walk->order);
        } else {
            sql = QStringLiteral("select Code_no from Patient_Slips where %1 order by %2")
                      .arg(con->dialect().containsCI(QStringLiteral("Code_no")), ListOrder);
            params << likeContains(text);
        }
        Recordset rs;
        rs.Open(sql, *con, params);
        QStringList out;
        for (int r = 0; r < rs.RecordCount(); ++r)
            out << rs.value(r, 0).toString();
        return out;
    }
    std::unique_ptr<Connection> con;
    int last = 0;
};

TEST_P(TextSearchTest, WildcardsQuotesAndCaseFindExactlyWhatTheRowScanFinds) {
    addPatients({"O'HARA", "OXHARA", "100% KHAN", "100X KHAN", "1000 KHAN", "A_B SONS", "AXB SONS", "AB SONS",
                 "BACK\\SLASH", "sarah lower", "SARA UPPER", "ZARA", "'''"});
    const QStringList texts = {"O'H",  "'HA",     "'''",  "''",  "0% K", "100%", "% K",  "A_B",
                               "_B S", "K\\S",    "SARA", "sar", "ARA",  "ZAR",  "KHAN", "SONS",
                               "X K",  "NOWHERE", "S",    "%",   "_",    "A",    ""};
    for (const QString& text : texts)
        EXPECT_EQ(found(text), scanned(text)) << qPrintable(text);
    EXPECT_EQ(found(QStringLiteral("0% K")), QStringList{"100% KHAN"});
    EXPECT_EQ(found(QStringLiteral("A_B")), QStringList{"A_B SONS"});
    EXPECT_EQ(found(QStringLiteral("O'H")), QStringList{"O'HARA"});
    EXPECT_EQ(found(QStringLiteral("sara")), (QStringList{"SARA UPPER", "sarah lower"}));
}

TEST_P(TextSearchTest, ManyMatchesAndEditsOfTheRowsKeepTheSameAnswers) {
    // Enough matches that the embedded engine walks the rows instead of the index.
    QStringList many;
    for (int i = 0; i < 2100; ++i)
        many << QStringLiteral("KHAN %1").arg(i);
    addPatients(many);
    addPatients({"RARE NAME", "O'RARE"});
    for (const QString& text :
         QStringList{"KHAN", "KHAN 20", "HAN 209", "RARE", "'RA", "'", "O'", "E N", "K"})
        EXPECT_EQ(found(text), scanned(text)) << qPrintable(text);
    EXPECT_EQ(found(QStringLiteral("KHAN")).size(), 2100);

    // The index follows inserts, updates and deletes.
    con->Execute(
        QStringLiteral("update Patient_Slips set Pat_name = 'SELDOM SEEN' where Pat_name = 'RARE NAME'"));
    con->Execute(QStringLiteral("delete from Patient_Slips where Pat_name = 'O''RARE'"));
    EXPECT_EQ(found(QStringLiteral("RARE")), QStringList{});
    EXPECT_EQ(found(QStringLiteral("'")), QStringList{});
    EXPECT_EQ(found(QStringLiteral("SELDOM")), QStringList{"SELDOM SEEN"});
    EXPECT_EQ(found(QStringLiteral("OM")), QStringList{"SELDOM SEEN"});
    EXPECT_EQ(found(QStringLiteral("EN")), QStringList{"SELDOM SEEN"});
    EXPECT_EQ(found(QStringLiteral("KHAN 2099")), QStringList{"KHAN 2099"});
}

// One or two characters that few rows hold are found through the index as three are: the search
// reads a small part of what walking every row in the list's order reads.
TEST_P(TextSearchTest, FewMatchesOfOneOrTwoCharactersAreFoundWithoutWalkingEveryRow) {
    addCommonPatients(20000);
    addPatients({"MAX QUINN", "XQ TRADERS", "josé ñúñez", "100% PURE", "A_B", "BACK\\SLASH"});
    addCommonPatients(2000);
    // "Z" and "EZ" only at a name's end.
    const QStringList texts = {"X", "XQ", "x",  "Q", "QU", "Ñ", "ñú", "É",
                               "Z", "z",  "EZ", "%", "0%", "_", "\\", "\\S"};
    for (const QString& text : texts) {
        qint64 searched = 0;
        qint64 walked = 0;
        EXPECT_EQ(firstScreen(text, &searched), firstScreen(text, &walked, true)) << qPrintable(text);
        EXPECT_LT(searched * 4, walked) << qPrintable(text) << ": " << searched << " against " << walked;
    }
}

// Texts that many rows hold are found by walking the rows in the list's order, and deciding so
// costs no more than that walk.
TEST_P(TextSearchTest, ManyMatchesCostNoMoreThanWalkingToTheFirstScreenful) {
    addCommonPatients(20000);
    for (const QString& text : QStringList{"KHAN", "A", "MU", "SARA M", "AHMED KHAN", "LI", "HINA BUTT"}) {
        qint64 searched = 0;
        qint64 walked = 0;
        EXPECT_EQ(firstScreen(text, &searched), firstScreen(text, &walked, true)) << qPrintable(text);
        EXPECT_LE(searched, walked * 2) << qPrintable(text) << ": " << searched << " against " << walked;
    }
}

// Matches that are many but all come late in the list's order (codes searched in a list of codes)
// are found through the index: walking the list would read most of it before the first screenful.
TEST_P(TextSearchTest, ManyMatchesLateInTheListsOrderAreFoundThroughTheIndex) {
    addCommonPatients(20000);
    con->Execute(QStringLiteral("update Patient_Slips set Code_no = 'AAA-' || Row_no where Row_no % 15 = 0"));
    // The statistics and the tidied trigram index a hospital's table has by now (the server's index
    // keeps the rows just written in a list that every search reads whole).
    if (con->engine() == Engine::Postgres) {
        Connection owner;
        owner.Open(wbtest::serverAdminInfo(db->name()));
        // The walk weighed against reads each row it passes, as in a list whose order's index does
        // not hold the searched column.
        owner.Execute(QStringLiteral("drop index patient_slips_code_no_covering"));
        owner.Execute(QStringLiteral("vacuum analyze Patient_Slips"));
    }
    for (const QString& text : QStringList{"AAA", "aaa-1"}) {
        qint64 searched = 0;
        qint64 walked = 0;
        const QString code = QStringLiteral("Code_no");
        EXPECT_EQ(firstScreen(text, &searched, false, code), firstScreen(text, &walked, true, code))
            << qPrintable(text);
        EXPECT_LT(searched * 2, walked) << qPrintable(text) << ": " << searched << " against " << walked;
    }
}

// Remaking the indexes of a table that holds rows (as a new form of them does) indexes those rows
// as typing them in does, and leaves no earlier form behind that would still be kept in step.
TEST_P(TextSearchTest, IndexesMadeAgainOverTheRowsThereFindWhatTheRowScanFinds) {
    addPatients({"MAX QUINN", "josé ñúñez", "O'HARA"});
    addCommonPatients(3000);
    const SearchIndex patients{
        QStringLiteral("Patient_Slips"),
        {QStringLiteral("Pat_name"), QStringLiteral("Code_no"), QStringLiteral("Tel_no")}};
    if (con->engine() == Engine::Sqlite) {
        con->Execute(QStringLiteral("CREATE VIRTUAL TABLE Patient_Slips_search USING fts5(Pat_name, Code_no, "
                                    "Tel_no, content='', tokenize='trigram case_sensitive 1')"));
        TextSearch::upgradeIndexes(*con, {patients});
    } else {
        Connection owner; // the preparing account runs the steps
        owner.Open(wbtest::serverAdminInfo(db->name()));
        TextSearch::upgradeIndexes(owner, {patients});
    }
    addPatients({"LATE ZED"});
    for (const QString& text : QStringList{"X", "Z", "EZ", "'", "QUI", "ÑÚÑEZ", "KHAN", "A", "ED"})
        EXPECT_EQ(found(text), scanned(text)) << qPrintable(text);
    EXPECT_EQ(found(QStringLiteral("Z")), (QStringList{"LATE ZED", "josé ñúñez"}));
    if (con->engine() == Engine::Sqlite) {
        EXPECT_FALSE(
            con->scalar(QStringLiteral("select 1 from sqlite_master where name = 'Patient_Slips_search'"))
                .isValid());
    }
}

// Names stored as typed in lower case are found by their capitals (and the reverse) through the
// index exactly as by the plain row scan, for every letter, not only for the ASCII ones.
TEST_P(TextSearchTest, EveryLetterFoldsThroughTheIndexAsThroughTheRowScan) {
    addPatients({QStringLiteral("josé garcía"), QStringLiteral("herr müller"), QStringLiteral("ñúñez"),
                 QStringLiteral("JOSÉ LÓPEZ")});
    QStringList letters;
    for (char32_t u = 0x80; u <= 0xFFFF; ++u) {
        const QChar ch(static_cast<char16_t>(u));
        if (!ch.isSurrogate() && ch.isLetter() && ch.isLower())
            letters << QString(3, ch);
    }
    addPatients(letters);
    for (const QString& text : QStringList{"JOSÉ", "josé", "MÜLLER", "ÑÚÑEZ", "ñúñ", "LÓPEZ"})
        EXPECT_EQ(found(text), scanned(text)) << qPrintable(text);
    if (con->engine() == Engine::Sqlite) {
        EXPECT_EQ(found(QStringLiteral("JOSÉ")), (QStringList{"JOSÉ LÓPEZ", "josé garcía"}));
        EXPECT_EQ(found(QStringLiteral("MÜLLER")), QStringList{"herr müller"});
        EXPECT_EQ(found(QStringLiteral("ÑÚÑEZ")), QStringList{"ñúñez"});
    }
    int differ = 0;
    for (const QString& lower : letters) {
        for (const QString& text : {lower.toUpper(), lower, lower.left(1).toUpper(), lower.left(1)}) {
            const QStringList index = found(text);
            if (index != scanned(text) && ++differ <= 10)
                ADD_FAILURE() << "letter U+" << QString::number(lower.at(0).unicode(), 16).toStdString()
                              << " searched as " << text.toStdString() << ": " << index.size() << " found";
        }
    }
    EXPECT_EQ(differ, 0);
}

// Codes searched in the register's order list what the plain scan lists, in its order (ties by key),
// as codes are added, changed, moved to another key and deleted; wildcards, quotes and letters of
// every case are matched as typed.
TEST_P(TextSearchTest, CodesSearchedInTheirListsOrderFindWhatTheRowScanFinds) {
    addPatients(QStringList(300, QStringLiteral("P")));
    con->Execute(QStringLiteral("update Patient_Slips set Code_no = ? where Row_no = 7"), {"O'HARA-7"});
    con->Execute(QStringLiteral("update Patient_Slips set Code_no = ? where Row_no = 8"), {"100%-8"});
    con->Execute(QStringLiteral("update Patient_Slips set Code_no = ? where Row_no = 9"), {"ñúñez-9"});
    con->Execute(QStringLiteral("update Patient_Slips set Code_no = 'PAT-12' where Row_no in (13, 14)"));
    con->Execute(QStringLiteral("update Patient_Slips set Code_no = null where Row_no = 15"));
    con->Execute(QStringLiteral("update Patient_Slips set Row_no = 1000 where Row_no = 20"));
    con->Execute(QStringLiteral("delete from Patient_Slips where Row_no = 21"));
    addPatients({QStringLiteral("LATE")});
    const QStringList texts = {"PAT-1", "pat-2", "T-1", "-12", "PAT-20", "PAT-21", "PAT-301", "O'H",
                               "'HA",   "0%-",   "0X-", "ÑÚÑ", "úñe",    "Z-9",    "NOWHERE", "P"};
    for (const QString& text : texts)
        EXPECT_EQ(codes(text), codes(text, true)) << qPrintable(text);
    EXPECT_EQ(codes(QStringLiteral("-12")),
              (QStringList{"PAT-129", "PAT-128", "PAT-127", "PAT-126", "PAT-125", "PAT-124", "PAT-123",
                           "PAT-122", "PAT-121", "PAT-120", "PAT-12", "PAT-12", "PAT-12"}));
    EXPECT_EQ(codes(QStringLiteral("PAT-20")),
              (QStringList{"PAT-209", "PAT-208", "PAT-207", "PAT-206", "PAT-205", "PAT-204", "PAT-203",
                           "PAT-202", "PAT-201", "PAT-200", "PAT-20"}));
    EXPECT_EQ(codes(QStringLiteral("PAT-21")).last(), QStringLiteral("PAT-210"));
    EXPECT_EQ(codes(QStringLiteral("ÑÚÑ")), QStringList{"ñúñez-9"});
    EXPECT_EQ(codes(QStringLiteral("PAT-301")), QStringList{"PAT-301"});
    QVariantList params; // another order is not the walk's
    EXPECT_FALSE(OrderedSearch::walk(*con, QStringLiteral("Patient_Slips"), QStringLiteral("Code_no"),
                                     QStringLiteral("PAT-1"), params, {}, QStringLiteral("Code_no"))
                     .has_value());
}

// On the embedded engine a name searched in the register's order (by code, newest first) is looked
// for in the order's index, which holds the names: walking two hundred names for each one listed
// reads few pages, not each walked patient's row.
TEST_P(TextSearchTest, NamesWalkedInTheCodeOrderAreReadFromItsIndex) {
    if (con->engine() != Engine::Sqlite)
        GTEST_SKIP() << "the server reads a walked row for its name";
    con->Execute(
        QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
                       "insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Tel_no, Addr) "
                       "select i, 'PAT-' || i, case when i % 200 = 0 then 'RARE ' else 'COMMON ' end || i, "
                       "'F', case when i % 200 = 0 then '0300-' else '0321-' end || i, 'HOUSE ' || i || ', A "
                       "LONG ADDRESS THAT FILLS THE ROW' from n"));
    con->Execute(QStringLiteral("analyze"));
    for (const QString& column : {QStringLiteral("Pat_name"), QStringLiteral("Tel_no")}) {
        const QString text =
            column == QLatin1String("Pat_name") ? QStringLiteral("RARE") : QStringLiteral("0300");
        QStringList listed;
        const qint64 pages = wbtest::pagesRead(*con, [&] {
            QVariantList params;
            const QString filter = con->dialect().containsCI(column);
            params << likeContains(text);
            Recordset rs;
            rs.Open(QStringLiteral("select Pat_name, Addr from Patient_Slips where %1 order by %2 limit 64")
                        .arg(filter, ListOrder),
                    *con, params);
            for (int r = 0; r < rs.RecordCount(); ++r)
                listed << rs.value(r, 0).toString();
        });
        EXPECT_EQ(listed.size(), 64);
        EXPECT_LT(pages, 64 * 200 / 8) << qPrintable(column) << ": " << pages << " pages";
    }
}

// A hospital's names are a few common words each: every trigram of "MUHAMMAD ALI K" is held by a
// great many patients while the whole text is held by few. Such a text is tested in the list of the
// names and its patients read through the name's index: the rows read are the matches only, and the
// list keeps in step with every change of the names.
TEST_P(TextSearchTest, ANameOfCommonWordsReadsOnlyThePatientsThatHoldIt) {
    con->Execute(QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 12000) "
        "insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) select i, 'PAT-' || i, "
        "case i % 5 when 0 then 'MUHAMMAD' when 1 then 'AHMED' when 2 then 'SARA' when 3 then 'HINA' "
        "else 'BILAL' end || case (i / 5) % 4 when 0 then ' ALI' when 1 then ' RAZA' when 2 then ' ASIF' "
        "else ' OMAR' end || case (i / 20) % 6 when 0 then ' KHAN' when 1 then ' KAZMI' when 2 then "
        "' MALIK' when 3 then ' BUTT' when 4 then ' SHAH' else ' RANA' end, 'F' from n"));
    last = 12000;
    wbtest::settleStatistics(*con);
    qint64 searched = 0;
    qint64 walked = 0;
    const QString text = QStringLiteral("MUHAMMAD ALI K");
    EXPECT_EQ(firstScreen(text, &searched), firstScreen(text, &walked, true));
    // 200 patients hold it; the embedded engine's steps against 34,369 before (its trigram table's
    // rows of the text's two rarest trigrams, each row they name looked up), the server's rows read
    // as many as it lists.
    if (con->engine() == Engine::Sqlite) {
        EXPECT_LT(searched, 20000) << searched << " steps";
    } else {
        EXPECT_LE(searched, 200 + 20) << searched << " rows read";
        // Nor is its trigram index read (each of its trigrams names thousands of rows): before, 31 of
        // its blocks were read.
        const auto trigramBlocks = [&] {
            con->scalar(QStringLiteral("select pg_stat_force_next_flush()"));
            return con
                ->scalar(QStringLiteral(
                    "select coalesce(sum(idx_blks_hit + idx_blks_read), 0) from "
                    "pg_statio_user_indexes where indexrelname = 'patient_slips_pat_name_trgm'"))
                .toLongLong();
        };
        const qint64 before = trigramBlocks();
        firstScreen(text, &searched);
        // (its planner may read its first block to weigh it)
        EXPECT_LE(trigramBlocks() - before, 1) << "blocks of the trigram index read";
    }

    // A name 2,400 patients hold is tested in its few values as the list's order is walked: its
    // patients are not all read through the name's index and sorted (27,596 steps).
    const QString common = QStringLiteral("MUHAMMAD");
    EXPECT_EQ(firstScreen(common, &searched), firstScreen(common, &walked, true));
    if (con->engine() == Engine::Sqlite) {
        EXPECT_LT(searched, 15000) << searched << " steps";
    }
    // The names as they change: written in another case, with quotes and wildcards, renamed,
    // emptied, deleted, added again.
    addPatients({"muhammad ali khan", "O'HARA 100%", "MUHAMMAD ALI KHAN", "A_B KHAN", "ñúñez khan"});
    con->Execute(
        QStringLiteral("update Patient_Slips set Pat_name = 'MUHAMMAD ALI KHOKHAR' where Row_no = 20"));
    con->Execute(QStringLiteral("update Patient_Slips set Pat_name = null where Row_no = 40"));
    con->Execute(
        QStringLiteral("update Patient_Slips set Pat_name = 'MUHAMMAD ALI KAZMI' where Row_no = 41"));
    con->Execute(QStringLiteral("delete from Patient_Slips where Pat_name = 'MUHAMMAD RAZA KHAN'"));
    con->Execute(
        QStringLiteral("update Patient_Slips set Pat_name = 'NEW NAME' where Pat_name = 'SARA OMAR RANA'"));
    con->Execute(QStringLiteral("update Patient_Slips set Row_no = Row_no + 100000 where Row_no = 60"));
    for (const QString& t :
         QStringList{"MUHAMMAD ALI K", "muhammad ali", "ALI KHO", "AD RAZA", "SARA OMAR", "NEW NAME", "O'H",
                     "100%", "A_B", "_", "KHAN", "M", "HOKH", "ÑÚÑEZ K", "úñ"})
        EXPECT_EQ(found(t), scanned(t)) << qPrintable(t);
    const auto counts = [&](const QString& sql) {
        Recordset rs;
        rs.Open(sql, *con);
        QStringList out;
        for (int r = 0; r < rs.RecordCount(); ++r)
            out << rs.value(r, 0).toString() + u'=' + rs.value(r, 1).toString();
        return out;
    };
    EXPECT_EQ(
        counts(QStringLiteral("select Value_text, Row_count from Patient_Slips_Pat_name_values order by 1")),
        counts(QStringLiteral("select Pat_name, count(*) from Patient_Slips where Pat_name is not null "
                              "group by Pat_name order by 1")));
    // Each name is kept as the engine's search folds it (upper() here, lower() on the server).
    EXPECT_EQ(counts(QStringLiteral("select Value_text, Value_folded from Patient_Slips_Pat_name_values "
                                    "where Value_folded is distinct from %1(Value_text)")
                         .arg(con->engine() == Engine::Sqlite ? "upper" : "lower")),
              QStringList{});
    EXPECT_EQ(found(QStringLiteral("SARA OMAR RANA")), QStringList{});
}

WB_ENGINES(TextSearchTest);

} // namespace
