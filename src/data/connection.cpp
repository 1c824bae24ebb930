#include "connection.h"

#include "filemodes.h"
#include "loginstore_pg.h"
#include "loginstore_sqlite.h"

#include <QFile>
#include <QSqlRecord>
#include <atomic>

namespace wb {

namespace {

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("wardbook-%1").arg(++counter);
}

void splitHostPort(const QString& server, QString& host, int& port) {
    host = server.trimmed();
    port = 5432;
    const int colon = host.lastIndexOf(':');
    if (colon > 0) {
        bool ok = false;
        const int p = host.mid(colon + 1).toInt(&ok);
        if (ok) {
            port = p;
            host = host.left(colon);
        }
    }
}

} // namespace

Connection::Connection() : name_(nextConnectionName()), dialect_(Dialect::make(Engine::Sqlite)) {}

Connection::~Connection() {
    Close();
    logins_.reset();
    QSqlDatabase::removeDatabase(name_);
}

void Connection::Open(const ConnectInfo& info) {
    Close();
    // A login needs a name: an empty one is never taken for the set-up step or the user list, and
    // the server would otherwise be asked for the operating-system account's login.
    const bool needsLogin = info.engine == Engine::Postgres || info.purpose == Purpose::Login;
    if (needsLogin && info.user.trimmed().isEmpty())
        throw DbError(QStringLiteral("Please enter a user name to log in."), DbError::Kind::Login);
    info_ = info;
    dialect_ = Dialect::make(info.engine);
    logins_.reset();
    {
        QSqlDatabase db = QSqlDatabase::contains(name_)
                              ? QSqlDatabase::database(name_, false)
                              : QSqlDatabase::addDatabase(dialect_->driverName(), name_);
        if (db.driverName() != dialect_->driverName()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name_);
            db = QSqlDatabase::addDatabase(dialect_->driverName(), name_);
        }
        if (info.engine == Engine::Sqlite) {
            const bool memory = info.server == QLatin1String(":memory:");
            if (!memory && !info.createIfMissing && !QFile::exists(info.server))
                throw DbError(QStringLiteral("The database file \"%1\" does not exist.").arg(info.server),
                              DbError::Kind::Connection);
            if (!memory && info.createIfMissing)
                FileModes::createOwnerOnlyFile(info.server);
            db.setDatabaseName(info.server);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        } else {
            QString host;
            int port = 5432;
            splitHostPort(info.server, host, port);
            db.setHostName(host);
            db.setPort(port);
            db.setDatabaseName(info.database);
            db.setUserName(info.user);
            db.setPassword(info.password);
            db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        }
        if (!db.open()) {
            const QSqlError error = db.lastError();
            QString text = error.databaseText().trimmed();
            if (text.isEmpty())
                text = error.text().trimmed();
            const bool login =
                text.contains(QLatin1String("password authentication failed")) ||
                (text.contains(QLatin1String("role")) && text.contains(QLatin1String("does not exist")));
            throw DbError(text, login ? DbError::Kind::Login : DbError::Kind::Connection);
        }
    }
    open_ = true;
    transactionDepth_ = 0;
    if (info.engine == Engine::Sqlite) {
        Execute(QStringLiteral("PRAGMA foreign_keys = ON"));
        try {
            if (info.server != QLatin1String(":memory:")) {
                query(QStringLiteral("PRAGMA journal_mode = WAL")).finish();
                FileModes::ownerOnlyDatabase(info.server);
            }
            if (info.purpose == Purpose::Login)
                logins().check(info.user, info.password);
        } catch (...) {
            Close();
            throw;
        }
    }
}

void Connection::Close() {
    if (!open_)
        return;
    open_ = false;
    transactionDepth_ = 0;
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    db.close();
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(name_, false);
}

const Dialect& Connection::dialect() const {
    return *dialect_;
}

LoginStore& Connection::logins() {
    if (!logins_) {
        if (info_.engine == Engine::Postgres)
            logins_ = std::make_unique<PostgresLoginStore>(*this);
        else
            logins_ = std::make_unique<SqliteLoginStore>(*this);
    }
    return *logins_;
}

void Connection::raise(const QSqlError& error, const QString& sql) const {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("The database refused the statement.");
    if (dialect_->isUniqueViolation(error))
        throw DbError(QStringLiteral("Duplicate key: %1").arg(text), DbError::Kind::Duplicate);
    if (dialect_->isTooLong(error))
        throw DbError(QStringLiteral("A text is too long for its column: %1").arg(text),
                      DbError::Kind::TooLong);
    Q_UNUSED(sql);
    throw DbError(text);
}

QSqlQuery Connection::query(const QString& sql, const QVariantList& params) {
    if (!open_)
        throw DbError(QStringLiteral("The connection is closed."), DbError::Kind::Connection);
    QSqlQuery q(database());
    q.setForwardOnly(true);
    bool ok = false;
    if (params.isEmpty()) {
        ok = q.exec(sql);
    } else {
        if (!q.prepare(sql))
            raise(q.lastError(), sql);
        for (const QVariant& p : params)
            q.addBindValue(p);
        ok = q.exec();
    }
    if (!ok)
        raise(q.lastError(), sql);
    return q;
}

int Connection::Execute(const QString& sql, const QVariantList& params) {
    QSqlQuery q = query(sql, params);
    const int affected = q.numRowsAffected();
    q.finish();
    return affected;
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params) {
    QSqlQuery q = query(sql, params);
    QVariant v;
    if (q.next())
        v = q.value(0);
    q.finish();
    return v;
}

void Connection::BeginTrans() {
    if (transactionDepth_ == 0)
        Execute(dialect_->beginWrite());
    ++transactionDepth_;
}

void Connection::CommitTrans() {
    if (transactionDepth_ == 0)
        throw DbError(QStringLiteral("No transaction is open."));
    if (--transactionDepth_ == 0)
        Execute(QStringLiteral("COMMIT"));
}

void Connection::RollbackTrans() {
    if (transactionDepth_ == 0)
        return;
    transactionDepth_ = 0;
    Execute(QStringLiteral("ROLLBACK"));
}

qint64 saveWithNextKey(Connection& con, const QString& table, const QString& keyColumn,
                       const std::function<void(qint64 key)>& write) {
    constexpr int attempts = 20;
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction t(con);
            const qint64 key =
                con.scalar(QStringLiteral("select coalesce(max(%1),0)+1 from %2").arg(keyColumn, table))
                    .toLongLong();
            write(key);
            t.commit();
            return key;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::Duplicate || attempt == attempts || con.inTransaction())
                throw;
        }
    }
}

} // namespace wb
