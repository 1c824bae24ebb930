#include "loginstore_pg.h"

#include "connection.h"
#include "scram.h"
#include "serverrights.h"

namespace wb {

QString PostgresLoginStore::groupRole(const QString& database) {
    return ServerRights::usersRole(database);
}
QString PostgresLoginStore::listerRole(const QString& database) {
    return ServerRights::listerRole(database);
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
    return ServerRights::roleExists(con_, name);
}

bool PostgresLoginStore::isAdministrator(const QString& name) {
    return con_
        .scalar(QStringLiteral("select 1 from pg_auth_members m join pg_roles r on r.oid = m.member "
                               "join pg_roles g on g.oid = m.roleid where g.rolname = ?::text and "
                               "r.rolname = ?::text"),
                {ServerRights::adminsRole(con_.info().database), name})
        .isValid();
}

void PostgresLoginStore::check(const QString& name, const QString& password) {
    Connection probe;
    ConnectInfo info = con_.info();
    info.user = name;
    info.password = password;
    info.purpose = Purpose::Login;
    probe.Open(info); // raises with the server's own text when refused
    probe.Close();
}

void PostgresLoginStore::call(const QString& function, const QString& name, const QVariantList& args) {
    QString placeholders;
    for (const QVariant& a : args)
        placeholders +=
            a.typeId() == QMetaType::Bool ? QStringLiteral(", ?::boolean") : QStringLiteral(", ?::text");
    QVariantList params{name};
    params += args;
    try {
        con_.scalar(QStringLiteral("select %1(?::text%2)").arg(function, placeholders), params);
    } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::NotPermitted)
            throw DbError(function.endsWith(QLatin1String("drop_login")) &&
                                  name.compare(con_.user(), Qt::CaseInsensitive) == 0
                              ? QStringLiteral("A login cannot drop itself.")
                              : QStringLiteral("Only an administrator may create, change or drop logins."),
                          DbError::Kind::Refused);
        const QString& text = e.text();
        if (text.contains(QLatin1String("Only an administrator")) ||
            text.contains(QLatin1String("permission denied")) || text.contains(QLatin1String("cannot drop")))
            throw DbError(text, DbError::Kind::Refused);
        if (text.contains(QLatin1String("already exists")))
            throw DbError(QStringLiteral("The login '%1' already exists.").arg(name),
                          DbError::Kind::Duplicate);
        if (text.contains(QLatin1String("There is no login")))
            throw DbError(text, DbError::Kind::NotFound);
        throw;
    }
}

void PostgresLoginStore::create(const QString& name, const QString& password, bool administrator) {
    if (name.trimmed().isEmpty())
        throw DbError(QStringLiteral("A login needs a name."), DbError::Kind::Refused);
    call(QStringLiteral("wardbook_create_login"), name, {scramVerifier(con_, password), administrator});
}

void PostgresLoginStore::changePassword(const QString& name, const QString& password) {
    call(QStringLiteral("wardbook_set_password"), name, {scramVerifier(con_, password)});
}

void PostgresLoginStore::setAdministrator(const QString& name, bool administrator) {
    call(QStringLiteral("wardbook_set_administrator"), name, {administrator});
}

void PostgresLoginStore::drop(const QString& name) {
    call(QStringLiteral("wardbook_drop_login"), name, {});
}

} // namespace wb
