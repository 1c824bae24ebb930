// One search keystroke of the patient register's name box on realistic names (WARDBOOK_BENCH_ROWS
// patients, default 1,000,000; names from bench/support/names.h, codes not in the list's order):
// the search filter (with its look at the table that picks the index or the walk) and the first
// screenful in the register's order, without the window. Each text is timed as the search box
// builds it now and as it did before one- and two-character searches had an index (every row
// walked) and before the choice was made by a short probe (a count of up to 2,000 index matches).
// On the embedded database and (when WARDBOOK_TEST_PG names a server) on PostgreSQL.
#include "data/recordset.h"
#include "data/textsearch.h"
#include "session/module1.h"

#include "benchdb.h"
#include "benchmain.h"
#include "names.h"

#include <QDate>
#include <QDir>
#include <benchmark/benchmark.h>

namespace {

int rows() {
    const int n = qEnvironmentVariableIntValue("WARDBOOK_BENCH_ROWS");
    return n > 0 ? n : 1000000;
}

void fill(wb::Connection& con) {
    const QVector<int> codes = wbbench::shuffled(rows(), 1);
    const QDate today(2026, 12, 8);
    wbbench::Names names;
    wbbench::insertRows(con, QStringLiteral("Patient_Slips"),
                        {"Row_no", "Code_no", "Pat_name", "Fat_name", "Pat_date"}, rows(), [&](int i) {
                            return QVariantList{i + 1, QStringLiteral("PAT-%1").arg(codes[i]), names.next(),
                                                names.next(), today.addDays(-(i % 3000))};
                        });
    if (con.engine() == wb::Engine::Sqlite)
        con.Execute(QStringLiteral("analyze"));
}

bool connect(benchmark::State& state, wb::Engine engine) {
    return wbbench::openShared(
        state, engine,
        {.postgresDatabase = QStringLiteral("wb_bench_short_search"),
         .sqliteFile = QDir::temp().filePath(QStringLiteral("wardbook-short-search-%1.sqlite").arg(rows())),
         .countQuery = QStringLiteral("select count(*) from Patient_Slips"),
         .rows = rows(),
         .emptied = {"Patient_Slips"},
         .fill = fill});
}

// The filter as it was built before: every row walked for one or two characters; for three and
// more on the embedded engine, up to 2,000 index matches counted to choose.
QString earlierFilter(wb::Connection& con, const QString& text, QVariantList& params) {
    const QString exact = con.dialect().containsCI(QStringLiteral("Pat_name"));
    if (text.size() < 3) {
        params << wb::likeContains(text);
        return exact;
    }
    if (con.engine() == wb::Engine::Postgres) {
        params << wb::likeContains(text);
        return QStringLiteral("Pat_name ILIKE ?::text");
    }
    const QString phrase = QStringLiteral("'\"' || replace(upper(?), '\"', '\"\"') || '\"'");
    const int matches =
        con.scalar(
               QStringLiteral("select count(*) from (select rowid from Patient_Slips_Pat_name_search where "
                              "Patient_Slips_Pat_name_search MATCH %1 limit 2000) probe")
                   .arg(phrase),
               {text})
            .toInt();
    if (matches >= 2000) {
        params << wb::likeContains(text);
        return exact;
    }
    params << text << wb::likeContains(text);
    return QStringLiteral("rowid IN (select rowid from Patient_Slips_Pat_name_search where "
                          "Patient_Slips_Pat_name_search MATCH %1) AND %2")
        .arg(phrase, exact);
}

void keystroke(benchmark::State& state, wb::Engine engine, bool earlier, const QString& text) {
    if (!connect(state, engine))
        return;
    wb::Connection& con = *Module1::Con;
    int found = 0;
    for (auto _ : state) {
        QVariantList params;
        const QString filter = earlier ? earlierFilter(con, text, params)
                                       : wb::TextSearch::contains(con, QStringLiteral("Patient_Slips"),
                                                                  QStringLiteral("Pat_name"), text, params);
        wb::Recordset rs;
        rs.Open(
            QStringLiteral("select Row_no, Code_no, Pat_name, Fat_name, Pat_date from Patient_Slips where %1 "
                           "order by Code_no desc, Row_no limit 64")
                .arg(filter),
            con, params);
        found = rs.RecordCount();
    }
    state.counters["found"] = found;
    wbbench::closeShared();
}

} // namespace

#define WB_SHORT_SEARCH(Engine, E)                                                                           \
    BENCHMARK_CAPTURE(keystroke, Engine##_X, E, false, QStringLiteral("X"));                                 \
    BENCHMARK_CAPTURE(keystroke, Engine##_X_before, E, true, QStringLiteral("X"));                           \
    BENCHMARK_CAPTURE(keystroke, Engine##_XQ, E, false, QStringLiteral("XQ"));                               \
    BENCHMARK_CAPTURE(keystroke, Engine##_XQ_before, E, true, QStringLiteral("XQ"));                         \
    BENCHMARK_CAPTURE(keystroke, Engine##_A, E, false, QStringLiteral("A"));                                 \
    BENCHMARK_CAPTURE(keystroke, Engine##_A_before, E, true, QStringLiteral("A"));                           \
    BENCHMARK_CAPTURE(keystroke, Engine##_MU, E, false, QStringLiteral("MU"));                               \
    BENCHMARK_CAPTURE(keystroke, Engine##_MU_before, E, true, QStringLiteral("MU"));                         \
    BENCHMARK_CAPTURE(keystroke, Engine##_Q, E, false, QStringLiteral("Q"));                                 \
    BENCHMARK_CAPTURE(keystroke, Engine##_Q_before, E, true, QStringLiteral("Q"));                           \
    BENCHMARK_CAPTURE(keystroke, Engine##_KHA, E, false, QStringLiteral("KHA"));                             \
    BENCHMARK_CAPTURE(keystroke, Engine##_KHA_before, E, true, QStringLiteral("KHA"));                       \
    BENCHMARK_CAPTURE(keystroke, Engine##_QUR, E, false, QStringLiteral("QUR"));                             \
    BENCHMARK_CAPTURE(keystroke, Engine##_QUR_before, E, true, QStringLiteral("QUR"));                       \
    BENCHMARK_CAPTURE(keystroke, Engine##_MuhammadAliK, E, false, QStringLiteral("MUHAMMAD ALI K"));         \
    BENCHMARK_CAPTURE(keystroke, Engine##_MuhammadAliK_before, E, true, QStringLiteral("MUHAMMAD ALI K"));

WB_SHORT_SEARCH(Sqlite, wb::Engine::Sqlite)
WB_SHORT_SEARCH(Postgres, wb::Engine::Postgres)

WARDBOOK_BENCHMARK_MAIN()
