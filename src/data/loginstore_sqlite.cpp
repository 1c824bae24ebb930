#include "loginstore_sqlite.h"

#include "connection.h"

#include <sodium.h>

namespace wb {

namespace {

void initSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw DbError(QStringLiteral("The password library could not start."));
}

std::function<void()>& hashObserver() {
    static std::function<void()> observer;
    return observer;
}

} // namespace

void SqliteLoginStore::setHashObserver(std::function<void()> observer) {
    hashObserver() = std::move(observer);
}

QString hashPassword(const QString& password) {
    initSodium();
    if (hashObserver())
        hashObserver()();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw DbError(QStringLiteral("Not enough memory to protect the password."));
    return QString::fromLatin1(out);
}

bool verifyPassword(const QString& hash, const QString& password) {
    initSodium();
    const QByteArray h = hash.toLatin1();
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}

QStringList SqliteLoginStore::list() {
    QStringList names;
    QSqlQuery q = con_.query(QStringLiteral("select Login_Name from Logins order by Login_Name"));
    while (q.next())
        names << q.value(0).toString();
    q.finish();
    return names;
}

bool SqliteLoginStore::exists(const QString& name) {
    return con_.scalar(QStringLiteral("select 1 from Logins where upper(Login_Name) = upper(?)"), {name})
        .isValid();
}

void SqliteLoginStore::check(const QString& name, const QString& password) {
    const QVariant hash = con_.scalar(
        QStringLiteral("select Pass_Hash from Logins where upper(Login_Name) = upper(?)"), {name});
    if (!hash.isValid())
        throw DbError(QStringLiteral("Login failed for user '%1': there is no such login.").arg(name),
                      DbError::Kind::Login);
    if (!verifyPassword(hash.toString(), password))
        throw DbError(QStringLiteral("Login failed for user '%1': the password is wrong.").arg(name),
                      DbError::Kind::Login);
}

bool SqliteLoginStore::isAdministrator(const QString& name) {
    return con_.scalar(QStringLiteral("select Is_Admin from Logins where upper(Login_Name) = upper(?)"),
                       {name})
               .toInt() == 1;
}

void SqliteLoginStore::prepare(const QString& password) {
    preparedHash_ = hashPassword(password);
    preparedPassword_ = password;
}

QString SqliteLoginStore::hashFor(const QString& password) {
    if (!preparedHash_.isEmpty() && preparedPassword_ == password) {
        QString hash = preparedHash_;
        preparedHash_.clear();
        preparedPassword_.clear();
        return hash;
    }
    return hashPassword(password);
}

void SqliteLoginStore::requireAdministrator(const QString& what) {
    switch (con_.info().purpose) {
    case Purpose::Setup: // the set-up step, before any login exists
        return;
    case Purpose::ListUsers:
    case Purpose::Reader:
        break;
    case Purpose::Login:
        if (isAdministrator(con_.user()))
            return;
        break;
    }
    throw DbError(QStringLiteral("Only an administrator may %1.").arg(what), DbError::Kind::Refused);
}

void SqliteLoginStore::create(const QString& name, const QString& password, bool administrator) {
    requireAdministrator(QStringLiteral("create logins"));
    if (name.trimmed().isEmpty())
        throw DbError(QStringLiteral("A login needs a name."), DbError::Kind::Refused);
    if (exists(name))
        throw DbError(QStringLiteral("The login '%1' already exists.").arg(name), DbError::Kind::Duplicate);
    con_.Execute(QStringLiteral("insert into Logins (Login_Name, Pass_Hash, Is_Admin) values (?, ?, ?)"),
                 {name, hashFor(password), administrator ? 1 : 0});
}

void SqliteLoginStore::changePassword(const QString& name, const QString& password) {
    if (con_.info().purpose != Purpose::Login || name.compare(con_.user(), Qt::CaseInsensitive) != 0)
        requireAdministrator(QStringLiteral("change another login's password"));
    const int n =
        con_.Execute(QStringLiteral("update Logins set Pass_Hash = ? where upper(Login_Name) = upper(?)"),
                     {hashFor(password), name});
    if (n == 0)
        throw DbError(QStringLiteral("There is no login '%1'.").arg(name), DbError::Kind::NotFound);
}

void SqliteLoginStore::setAdministrator(const QString& name, bool administrator) {
    requireAdministrator(QStringLiteral("give or take an administrator's rights"));
    const int n =
        con_.Execute(QStringLiteral("update Logins set Is_Admin = ? where upper(Login_Name) = upper(?)"),
                     {administrator ? 1 : 0, name});
    if (n == 0)
        throw DbError(QStringLiteral("There is no login '%1'.").arg(name), DbError::Kind::NotFound);
}

void SqliteLoginStore::drop(const QString& name) {
    requireAdministrator(QStringLiteral("drop logins"));
    con_.Execute(QStringLiteral("delete from Logins where upper(Login_Name) = upper(?)"), {name});
}

} // namespace wb
