// The embedded database's own upper() and lower() against SQLite's built-in ones, on a full scan of
// WARDBOOK_BENCH_ROWS patients' names (default 1,000,000; names from bench/support/names.h, about one
// in twenty with a letter outside ASCII): the names as the register keeps them (capitals: mostly
// nothing to change) and as a desk types them (capitalised words: a letter to change in each word).
// Each scan folds every name once and counts the few that hold a text no name holds.
#include "data/sqlitefunctions.h"

#include "benchmain.h"
#include "names.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

int rows() {
    const int n = qEnvironmentVariableIntValue("WARDBOOK_BENCH_ROWS");
    return n > 0 ? n : 1000000;
}

// "MUHAMMAD ALI KHAN" as a desk types it: "Muhammad Ali Khan".
QString typed(const QString& name) {
    QString out = name.toLower();
    for (qsizetype i = 0; i < out.size(); ++i)
        if (i == 0 || out[i - 1] == QLatin1Char(' '))
            out[i] = out[i].toUpper();
    return out;
}

// One file of names, opened by two connections: one with the program's case functions, one with the
// built-in ones.
struct Names {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("names.sqlite"));

    Names() {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("create table names (kept text, typed text)"));
        db.transaction();
        q.prepare(QStringLiteral("insert into names values (?, ?)"));
        wbbench::Names names;
        for (int i = 0; i < rows(); ++i) {
            const QString name = names.next();
            q.addBindValue(name);
            q.addBindValue(typed(name));
            q.exec();
        }
        db.commit();
        q.finish();
        db.close();
    }

    QSqlDatabase open(bool own) const {
        const QString name = own ? QStringLiteral("own") : QStringLiteral("builtin");
        if (QSqlDatabase::contains(name))
            return QSqlDatabase::database(name);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.open();
        if (own)
            wb::registerSqliteFunctions(db);
        return db;
    }
};

const Names& names() {
    static const Names n;
    return n;
}

void scan(benchmark::State& state, bool own, const char* function, const char* column) {
    QSqlDatabase db = names().open(own);
    const QString sql = QStringLiteral("select count(*) from names where instr(%1(%2), 'ZQXJ') > 0")
                            .arg(QLatin1String(function), QLatin1String(column));
    for (auto _ : state) {
        QSqlQuery q(db);
        if (!q.exec(sql) || !q.next()) {
            state.SkipWithError(q.lastError().text().toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(q.value(0).toInt());
    }
    state.counters["rows"] = rows();
}

} // namespace

BENCHMARK_CAPTURE(scan, BuiltinUpperKept, false, "upper", "kept")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scan, OwnUpperKept, true, "upper", "kept")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scan, BuiltinUpperTyped, false, "upper", "typed")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scan, OwnUpperTyped, true, "upper", "typed")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scan, BuiltinLowerKept, false, "lower", "kept")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scan, OwnLowerKept, true, "lower", "kept")->Unit(benchmark::kMillisecond);

WARDBOOK_BENCHMARK_MAIN()
