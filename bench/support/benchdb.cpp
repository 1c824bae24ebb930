#include "benchdb.h"

#include "data/setup.h"
#include "session/module1.h"

#include <QFile>
#include <QSet>
#include <QSqlError>
#include <stdexcept>

namespace wbbench {

std::optional<wb::ConnectInfo> connectInfo(benchmark::State& state, wb::Engine engine,
                                           const QString& postgresDatabase, const QString& sqliteFile) {
    if (engine == wb::Engine::Postgres) {
        const QString server = qEnvironmentVariable("WARDBOOK_TEST_PG");
        if (server.isEmpty()) {
            state.SkipWithError("no PostgreSQL server (WARDBOOK_TEST_PG)");
            return std::nullopt;
        }
        wb::Setup::PostgresSetup s;
        s.server = server;
        s.superUser = qEnvironmentVariable("WARDBOOK_TEST_PG_USER", QStringLiteral("postgres"));
        s.superPassword = qEnvironmentVariable("WARDBOOK_TEST_PG_PASSWORD");
        s.database = postgresDatabase;
        static QSet<QString> prepared; // once per catalogue and run
        if (!prepared.contains(postgresDatabase)) {
            wb::Setup::preparePostgres(s);
            prepared.insert(postgresDatabase);
        }
        return wb::ConnectInfo{wb::Engine::Postgres, server, s.database, s.superUser, s.superPassword};
    }
    if (!QFile::exists(sqliteFile))
        wb::Setup::createEmbedded(sqliteFile, AdminPassword);
    wb::ConnectInfo info;
    info.server = sqliteFile;
    info.user = wb::Setup::FirstAdministrator;
    info.password = AdminPassword;
    return info;
}

bool openShared(benchmark::State& state, wb::Engine engine, const BenchData& data) {
    const auto info = connectInfo(state, engine, data.postgresDatabase, data.sqliteFile);
    if (!info)
        return false;
    Module1::CreateShared();
    Module1::Rs->Close();
    Module1::Con->Open(*info);
    wb::Connection& con = *Module1::Con;
    const int there = con.scalar(data.countQuery).toInt();
    if (there == data.rows || (data.orMore && there > data.rows))
        return true;
    for (const QString& table : data.emptied)
        con.Execute(QStringLiteral("delete from ") + table);
    data.fill(con);
    if (engine == wb::Engine::Postgres)
        con.Execute(
            QStringLiteral("vacuum analyze")); // statistics, and the visibility map for index-only scans
    return true;
}

void closeShared() {
    Module1::Rs->Close();
    Module1::Con->Close();
}

void exec(QSqlQuery& q) {
    if (!q.exec())
        throw std::runtime_error(q.lastError().text().toStdString());
}

} // namespace wbbench
