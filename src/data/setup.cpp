#include "setup.h"

#include "filemodes.h"
#include "loginstore.h"
#include "passwordrule.h"
#include "schema.h"
#include "scram.h"
#include "serverconfig.h"
#include "serverrights.h"

#include <QFile>
#include <QFileInfo>

namespace wb::Setup {

bool upgradeEmbedded(const QString& path) {
    Connection con;
    ConnectInfo info;
    info.engine = Engine::Sqlite;
    info.server = path;
    info.purpose = Purpose::ListUsers; // no login: the steps only add tables and indexes
    con.Open(info);
    const auto steps = [&con] {
        return con.scalar(QStringLiteral("select count(*) from Schema_Version")).toInt();
    };
    const int before = steps();
    Schema::migrate(con); // only the steps not recorded yet
    return steps() > before;
}

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
    if (const QString problem = newPasswordProblem(adminPassword); !problem.isEmpty())
        throw DbError(problem, DbError::Kind::Refused);
    try {
        // A folder made here is its owner's only; a folder chosen by the user is left as it is.
        if (const QString folder = QFileInfo(path).absolutePath(); !QFileInfo::exists(folder))
            FileModes::ownerOnlyFolder(folder);
        Connection con;
        ConnectInfo info;
        info.engine = Engine::Sqlite;
        info.server = path;
        info.createIfMissing = true;
        info.purpose = Purpose::Setup;
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

// Roles of the whole server; those made here cannot log in, except the listing account.
void ensureGroup(Connection& server, const QString& role, const QString& attributes) {
    if (!ServerRights::roleExists(server, role))
        ServerRights::runQuoted(server, QStringLiteral("CREATE ROLE %I ") + attributes, {role});
    else
        ServerRights::runQuoted(server, QStringLiteral("ALTER ROLE %I ") + attributes, {role});
}

bool listerLogsIn(const PostgresSetup& s, const QString& lister) {
    try {
        Connection probe;
        probe.Open({Engine::Postgres, s.server, s.database, lister, s.listerPassword});
        return true;
    } catch (const DbError&) {
        return false;
    }
}

// Logins made before administrators had a group of their own could create roles: they lose that
// right and join the administrators' group instead.
void retireCreateRole(Connection& con, const QString& users, const QString& admins) {
    QStringList logins;
    {
        QSqlQuery q = con.query(
            QStringLiteral("select r.rolname from pg_roles r join pg_auth_members m on m.member = r.oid "
                           "join pg_roles g on g.oid = m.roleid where g.rolname = ?::text and "
                           "r.rolcreaterole and not r.rolsuper"),
            {users});
        while (q.next())
            logins << q.value(0).toString();
    }
    for (const QString& login : logins) {
        ServerRights::runQuoted(con, QStringLiteral("ALTER ROLE %I NOCREATEROLE"), {login});
        ServerRights::runQuoted(con, QStringLiteral("GRANT %I TO %I"), {admins, login});
    }
}

// Roles are the whole server's: a role of the first administrator's name that is not a login of
// this catalogue (another catalogue's administrator, another application's role) would stay out of
// the catalogue's groups, and its first administrator could not log in. Said before anything is made.
void refuseForeignAdministrator(Connection& server, const QString& name, const QString& database,
                                const QString& users) {
    if (!ServerRights::roleExists(server, name))
        return;
    const bool ours =
        server
            .scalar(QStringLiteral("select 1 from pg_roles r join pg_auth_members m on m.member = r.oid "
                                   "join pg_roles g on g.oid = m.roleid where g.rolname = ?::text and "
                                   "r.rolname = ?::text and r.rolcanlogin and not r.rolsuper"),
                    {users, name})
            .isValid();
    if (!ours)
        throw DbError(QStringLiteral("The server already has a role named \"%1\" that is not a login of the "
                                     "catalogue \"%2\" (it belongs to another catalogue or application), so "
                                     "the catalogue's first administrator \"%1\" could not log in. Nothing "
                                     "was changed. Rename or drop that role first, or prepare the catalogue "
                                     "on a server of its own.")
                          .arg(name, database),
                      DbError::Kind::Refused);
}

} // namespace

void preparePostgres(const PostgresSetup& s) {
    if (!s.adminPassword.isEmpty())
        if (const QString problem = newPasswordProblem(s.adminPassword); !problem.isEmpty())
            throw DbError(problem, DbError::Kind::Refused);
    if (!s.listerPassword.isEmpty()) {
        QString problem = serverFileProblem(s.listerPassword);
        if (problem.isEmpty())
            problem = newPasswordProblem(s.listerPassword);
        if (!problem.isEmpty())
            throw DbError(problem, DbError::Kind::Refused);
    }
    const QString users = ServerRights::usersRole(s.database);
    const QString admins = ServerRights::adminsRole(s.database);
    const QString keeper = ServerRights::keeperRole(s.database);
    const QString lister = ServerRights::listerRole(s.database);
    {
        Connection server;
        server.Open({Engine::Postgres, s.server, QStringLiteral("postgres"), s.superUser, s.superPassword});
        if (!s.adminPassword.isEmpty())
            refuseForeignAdministrator(server, s.adminName, s.database, users);
        ensureGroup(server, users, QStringLiteral("NOLOGIN NOCREATEROLE NOCREATEDB"));
        ensureGroup(server, admins, QStringLiteral("NOLOGIN NOCREATEROLE NOCREATEDB"));
        // The owner of the login functions: the one role that may create roles, and nobody can be it.
        ensureGroup(server, keeper, QStringLiteral("NOLOGIN CREATEROLE NOCREATEDB"));
        ServerRights::ensureWriterRoles(server, s.database);
        if (!s.listerPassword.isEmpty()) {
            const QString attributes = QStringLiteral("LOGIN NOCREATEROLE NOCREATEDB NOINHERIT");
            if (!ServerRights::roleExists(server, lister))
                ServerRights::runQuoted(
                    server, QStringLiteral("CREATE ROLE %I ") + attributes + QStringLiteral(" PASSWORD %L"),
                    {lister, scramVerifier(server, s.listerPassword)});
            else if (!listerLogsIn(s, lister))
                ServerRights::runQuoted(
                    server, QStringLiteral("ALTER ROLE %I ") + attributes + QStringLiteral(" PASSWORD %L"),
                    {lister, scramVerifier(server, s.listerPassword)});
        }
        if (!server.scalar(QStringLiteral("select 1 from pg_database where datname = ?::text"), {s.database})
                 .isValid())
            ServerRights::runQuoted(server, QStringLiteral("CREATE DATABASE %I"), {s.database});
        // Nobody else may connect or make temporary tables; the listing account may only connect.
        // The users make temporary tables: the head-wise report keeps its work rows in one.
        ServerRights::runQuoted(server, QStringLiteral("REVOKE ALL ON DATABASE %I FROM PUBLIC"),
                                {s.database});
        ServerRights::runQuoted(server, QStringLiteral("GRANT CONNECT, TEMPORARY ON DATABASE %I TO %I"),
                                {s.database, users});
        if (ServerRights::roleExists(server, lister)) {
            ServerRights::runQuoted(server, QStringLiteral("REVOKE ALL ON DATABASE %I FROM %I"),
                                    {s.database, lister});
            ServerRights::runQuoted(server, QStringLiteral("GRANT CONNECT ON DATABASE %I TO %I"),
                                    {s.database, lister});
        }
    }
    Connection con;
    con.Open({Engine::Postgres, s.server, s.database, s.superUser, s.superPassword});
    {
        Transaction t(con);
        ServerRights::runQuoted(con, QStringLiteral("REVOKE CREATE ON SCHEMA public FROM PUBLIC"), {});
        t.commit();
    }
    Schema::migrate(con);
    {
        Transaction t(con);
        ServerRights::installLoginFunctions(con);
        ServerRights::installMenuRights(con);
        retireCreateRole(con, users, admins);
        t.commit();
    }
    if (!s.adminPassword.isEmpty())
        addFirstAdministrator(con, s.adminName, s.adminPassword);
    // Logins of an earlier version, whose rights did not follow their menus, are brought to them.
    ServerRights::followMenuRights(con);
}

} // namespace wb::Setup
