#include "setup.h"

#include "loginstore.h"
#include "loginstore_pg.h"
#include "schema.h"

#include <QFile>

namespace wb::Setup {

void addFirstAdministrator(Connection& con, const QString& adminName, const QString& adminPassword) {
    Transaction t(con);
    if (!con.logins().exists(adminName))
        con.logins().create(adminName, adminPassword, true);
    const QString name = QString(adminName).remove(' ');
    if (!con.scalar(QStringLiteral(
                        "select 1 from User_Information where upper(replace(User_Name,' ','')) = upper(?)"),
                    {name})
             .isValid()) {
        saveWithNextKey(con, QStringLiteral("User_Information"), QStringLiteral("Row_No"), [&](qint64 key) {
            con.Execute(QStringLiteral("insert into User_Information (Row_No, User_Code, User_Name, Status) "
                                       "values (?, ?, ?, 'A')"),
                        {key, QStringLiteral("UC-%1").arg(key), adminName});
        });
    }
    t.commit();
}

void createEmbedded(const QString& path, const QString& adminPassword, const QString& adminName) {
    if (QFile::exists(path))
        throw DbError(QStringLiteral("The database \"%1\" exists already.").arg(path),
                      DbError::Kind::Refused);
    if (adminPassword.isEmpty())
        throw DbError(QStringLiteral("The first administrator needs a password."), DbError::Kind::Refused);
    try {
        Connection con;
        ConnectInfo info;
        info.engine = Engine::Sqlite;
        info.server = path;
        info.createIfMissing = true;
        con.Open(info);
        Schema::migrate(con);
        addFirstAdministrator(con, adminName, adminPassword);
        con.Close();
    } catch (...) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        throw;
    }
}

namespace {

void runQuoted(Connection& con, const QString& pattern, const QVariantList& args) {
    QString placeholders;
    for (qsizetype i = 0; i < args.size(); ++i)
        placeholders += QStringLiteral(", ?::text");
    QVariantList params{pattern};
    params += args;
    con.Execute(con.scalar(QStringLiteral("select format(?::text%1)").arg(placeholders), params).toString());
}

bool roleExists(Connection& con, const QString& role) {
    return con.scalar(QStringLiteral("select 1 from pg_roles where rolname = ?::text"), {role}).isValid();
}

} // namespace

void preparePostgres(const PostgresSetup& s) {
    const QString group = PostgresLoginStore::groupRole(s.database);
    const QString lister = PostgresLoginStore::listerRole(s.database);
    {
        Connection server;
        server.Open({Engine::Postgres, s.server, QStringLiteral("postgres"), s.superUser, s.superPassword});
        if (!roleExists(server, group))
            runQuoted(server, QStringLiteral("CREATE ROLE %I NOLOGIN"), {group});
        if (!s.listerPassword.isEmpty()) {
            if (roleExists(server, lister))
                runQuoted(server, QStringLiteral("ALTER ROLE %I LOGIN PASSWORD %L"),
                          {lister, s.listerPassword});
            else
                runQuoted(server, QStringLiteral("CREATE ROLE %I LOGIN PASSWORD %L"),
                          {lister, s.listerPassword});
        }
        if (!server.scalar(QStringLiteral("select 1 from pg_database where datname = ?::text"), {s.database})
                 .isValid())
            runQuoted(server, QStringLiteral("CREATE DATABASE %I"), {s.database});
        runQuoted(server, QStringLiteral("REVOKE CONNECT ON DATABASE %I FROM PUBLIC"), {s.database});
        runQuoted(server, QStringLiteral("GRANT CONNECT ON DATABASE %I TO %I"), {s.database, group});
        if (roleExists(server, lister))
            runQuoted(server, QStringLiteral("GRANT CONNECT ON DATABASE %I TO %I"), {s.database, lister});
    }
    Connection con;
    con.Open({Engine::Postgres, s.server, s.database, s.superUser, s.superPassword});
    Schema::migrate(con);
    if (!s.adminPassword.isEmpty())
        addFirstAdministrator(con, s.adminName, s.adminPassword);
}

} // namespace wb::Setup
