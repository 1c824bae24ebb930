#include "loginstore_pg.h"

#include "connection.h"

namespace wb {

QString PostgresLoginStore::groupRole(const QString& database) {
    return database.toLower() + QStringLiteral("_users");
}
QString PostgresLoginStore::listerRole(const QString& database) {
    return database.toLower() + QStringLiteral("_lister");
}

QStringList PostgresLoginStore::list() {
    QStringList names;
    QSqlQuery q = con_.query(
        QStringLiteral("select r.rolname from pg_roles r join pg_auth_members m on m.member = r.oid "
                       "join pg_roles g on g.oid = m.roleid "
                       "where g.rolname = ?::text and r.rolcanlogin "
                       "and r.oid <> (select datdba from pg_database where datname = current_database()) "
                       "order by r.rolname"),
        {groupRole(con_.info().database)});
    while (q.next())
        names << q.value(0).toString();
    q.finish();
    return names;
}

bool PostgresLoginStore::exists(const QString& name) {
    return con_.scalar(QStringLiteral("select 1 from pg_roles where rolname = ?::text"), {name}).isValid();
}

void PostgresLoginStore::check(const QString& name, const QString& password) {
    Connection probe;
    ConnectInfo info = con_.info();
    info.user = name;
    info.password = password;
    probe.Open(info); // raises with the server's own text when refused
    probe.Close();
}

void PostgresLoginStore::runFormatted(const QString& pattern, const QVariantList& args) {
    QString placeholders;
    for (qsizetype i = 0; i < args.size(); ++i)
        placeholders += QStringLiteral(", ?::text");
    QVariantList params{pattern};
    params += args;
    const QString sql =
        con_.scalar(QStringLiteral("select format(?::text%1)").arg(placeholders), params).toString();
    try {
        con_.Execute(sql);
    } catch (const DbError& e) {
        if (e.text().contains(QLatin1String("permission denied")))
            throw DbError(
                QStringLiteral("Only an administrator may create, change or drop logins (%1).").arg(e.text()),
                DbError::Kind::Refused);
        if (e.text().contains(QLatin1String("already exists")))
            throw DbError(QStringLiteral("The login '%1' already exists.").arg(args.value(0).toString()),
                          DbError::Kind::Duplicate);
        throw;
    }
}

void PostgresLoginStore::create(const QString& name, const QString& password, bool administrator) {
    if (name.trimmed().isEmpty())
        throw DbError(QStringLiteral("A login needs a name."), DbError::Kind::Refused);
    const QString pattern = administrator
                                ? QStringLiteral("CREATE ROLE %I LOGIN CREATEROLE PASSWORD %L IN ROLE %I")
                                : QStringLiteral("CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I");
    runFormatted(pattern, {name, password, groupRole(con_.info().database)});
}

void PostgresLoginStore::changePassword(const QString& name, const QString& password) {
    runFormatted(QStringLiteral("ALTER ROLE %I PASSWORD %L"), {name, password});
}

void PostgresLoginStore::drop(const QString& name) {
    runFormatted(QStringLiteral("DROP ROLE %I"), {name});
}

} // namespace wb
