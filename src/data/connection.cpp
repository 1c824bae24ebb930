#include "connection.h"

#include "backgroundreader.h"
#include "enginetext.h"
#include "filemodes.h"
#include "loginstore_pg.h"
#include "loginstore_sqlite.h"
#include "textcheck.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>
#include <atomic>
#include <unistd.h>

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

thread_local int openTransactions = 0;

// Whether this user may write the file and its folder (the engine keeps its journal beside it).
bool writable(const QString& file) {
    const QByteArray path = QFile::encodeName(file);
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    return ::access(path.constData(), W_OK) == 0 && ::access(folder.constData(), W_OK) == 0;
}

// What the user's present action has done: whether a save of it was committed, and what the work
// running after it would have done.
thread_local bool savedInThisAction = false;
thread_local QString afterSaveStep;
thread_local std::function<void(const QString&)> statementHook;

bool isWrite(const QString& sql) {
    const QString head = sql.trimmed().section(QLatin1Char(' '), 0, 0).toLower();
    return head == QLatin1String("insert") || head == QLatin1String("update") ||
           head == QLatin1String("delete");
}

// The server cannot be reached: after a committed save of this action the save is stored and only
// what came after it was not done.
QString unreachableNow() {
    if (!savedInThisAction)
        return serverUnreachableText();
    return QStringLiteral("The save is stored, but then the database server could not be reached, so %1. "
                          "Check that the server is running and that this computer is connected to the "
                          "network, then try again.")
        .arg(afterSaveStep.isEmpty() ? QStringLiteral("the list was not refreshed") : afterSaveStep);
}

} // namespace

int transactionsOpenOnThisThread() {
    return openTransactions;
}

void Connection::setDepth(int depth) {
    if (transactionDepth_ == 0 && depth > 0)
        ++openTransactions;
    else if (transactionDepth_ > 0 && depth == 0)
        --openTransactions;
    transactionDepth_ = depth;
}

Connection::Connection() : name_(nextConnectionName()), dialect_(Dialect::make(Engine::Sqlite)) {}

Connection::~Connection() {
    reader_.reset();
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
    lost_ = false;
    info_ = info;
    dialect_ = Dialect::make(info.engine);
    logins_.reset();
    openDatabase();
}

// Opens the driver's connection and runs the set-up steps; the connection is marked open only when
// all of them have succeeded, and is closed again when one fails.
void Connection::openDatabase() {
    QSqlDatabase db = QSqlDatabase::contains(name_)
                          ? QSqlDatabase::database(name_, false)
                          : QSqlDatabase::addDatabase(dialect_->driverName(), name_);
    if (db.driverName() != dialect_->driverName()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        db = QSqlDatabase::addDatabase(dialect_->driverName(), name_);
    }
    if (info_.engine == Engine::Sqlite) {
        const bool memory = info_.server == QLatin1String(":memory:");
        if (!memory && !info_.createIfMissing && !QFile::exists(info_.server))
            throw DbError(QStringLiteral("The database file \"%1\" does not exist.").arg(info_.server),
                          DbError::Kind::Connection);
        if (!memory && info_.createIfMissing)
            FileModes::createOwnerOnlyFile(info_.server);
        if (!memory && !writable(info_.server))
            throw DbError(enginetext::readOnlyFileText(), DbError::Kind::Connection);
        db.setDatabaseName(info_.server);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(lockTimeoutMs));
    } else {
        QString host;
        int port = 5432;
        splitHostPort(info_.server, host, port);
        db.setHostName(host);
        db.setPort(port);
        db.setDatabaseName(info_.database);
        db.setUserName(info_.user);
        db.setPassword(info_.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }
    if (!db.open()) {
        const QSqlError error = db.lastError();
        if (info_.engine == Engine::Sqlite) {
            QString text = error.databaseText().trimmed();
            throw DbError(text.isEmpty() ? error.text().trimmed() : text, DbError::Kind::Connection);
        }
        bool login = false;
        const QString text = enginetext::plainConnectText(error, info_.user, login);
        throw DbError(text, login ? DbError::Kind::Login : DbError::Kind::Connection);
    }
    setDepth(0);
    try {
        dialect_->prepareConnection(db);
        bool ok = false;
        const auto step = [&](const QString& sql) {
            QSqlQuery q = run(sql, {}, ok);
            if (!ok)
                raise(q.lastError(), sql);
            q.finish();
        };
        if (info_.engine == Engine::Sqlite) {
            step(QStringLiteral("PRAGMA foreign_keys = ON"));
            if (info_.server != QLatin1String(":memory:")) {
                step(QStringLiteral("PRAGMA journal_mode = WAL"));
                FileModes::ownerOnlyDatabase(info_.server);
            }
            open_ = true; // the login store reads through the connection
            if (info_.purpose == Purpose::Login)
                logins().check(info_.user, info_.password);
            forgetPassword();
            if (info_.purpose == Purpose::Reader)
                step(QStringLiteral("PRAGMA query_only = ON"));
        } else {
            // No statement waits for ever on a lock another desk holds.
            step(QStringLiteral("SET lock_timeout = %1").arg(lockTimeoutMs));
            // A list read a screenful at a time can be planned at a cost as if read whole; compiling
            // it would take longer than reading the screenful.
            step(QStringLiteral("SET jit = off"));
            // Nor would starting helper processes for it: a screenful comes sooner from one.
            step(QStringLiteral("SET max_parallel_workers_per_gather = 0"));
            if (info_.purpose == Purpose::Reader)
                step(QStringLiteral("SET default_transaction_read_only = on"));
        }
    } catch (...) {
        open_ = false;
        db.close();
        if (info_.engine == Engine::Sqlite)
            forgetPassword();
        throw;
    }
    open_ = true;
}

// Only a server connection needs the password again, to reconnect after a loss: the embedded
// database's is overwritten and dropped as soon as it has been checked.
void Connection::forgetPassword() {
    info_.password.fill(QChar(u'\0'));
    info_.password.clear();
}

void Connection::Close() {
    reader_.reset();
    if (!open_)
        return;
    open_ = false;
    setDepth(0);
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    db.close();
}

QString notPermittedText() {
    return QStringLiteral("You may not make this change: your rights do not allow it. Ask an administrator. "
                          "Nothing was saved.");
}

QString serverUnreachableText() {
    return QStringLiteral("The database server cannot be reached. Check that the server is running and that "
                          "this computer is connected to the network, then try again. Nothing was saved.");
}

QString commitUnknownText() {
    return QStringLiteral("The connection to the database server was lost while saving. It is not known "
                          "whether the last save was written: look for it in the list before saving again.");
}

QString anotherDeskSavingText() {
    return QStringLiteral("Another desk is saving: try again in a moment. Nothing was saved.");
}

void beginUserAction() {
    savedInThisAction = false;
}

AfterSaveStep::AfterSaveStep(const QString& notDone) : previous_(afterSaveStep) {
    afterSaveStep = notDone;
}

AfterSaveStep::~AfterSaveStep() {
    afterSaveStep = previous_;
}

void setStatementHook(std::function<void(const QString& sql)> hook) {
    statementHook = std::move(hook);
}

void Connection::markLost() {
    QSqlDatabase::database(name_, false).close();
    open_ = false;
    lost_ = true;
    setDepth(0);
}

// The server went away: reconnect once with the same login. Raises the plain message when the
// server cannot be reached; the next statement tries again.
void Connection::reopenAfterLoss() {
    markLost();
    try {
        openDatabase();
    } catch (const DbError&) {
        throw DbError(unreachableNow(), DbError::Kind::Connection);
    }
    lost_ = false;
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(name_, false);
}

const Dialect& Connection::dialect() const {
    return *dialect_;
}

BackgroundReader* Connection::backgroundReader() {
    // A test's statement hook sees this thread's statements only: it keeps every read here.
    const bool sameRows = open_ && transactionDepth_ == 0 && info_.purpose == Purpose::Login &&
                          !(info_.engine == Engine::Sqlite && info_.server == QLatin1String(":memory:"));
    if (!sameRows || statementHook)
        return nullptr;
    if (!reader_)
        reader_ = std::make_unique<BackgroundReader>(info_);
    return reader_.get();
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
    // Only the server's first line: its details and context can repeat the statement's values.
    QString text = error.databaseText().trimmed().section(QLatin1Char('\n'), 0, 0).trimmed();
    if (text.isEmpty())
        text = error.text().trimmed().section(QLatin1Char('\n'), 0, 0).trimmed();
    if (text.isEmpty())
        text = QStringLiteral("The database refused the statement.");
    if (dialect_->isUniqueViolation(error))
        throw DbError(
            QStringLiteral("A record with the same number or value exists already: nothing was saved."),
            DbError::Kind::Duplicate);
    if (dialect_->isLockTimeout(error))
        throw DbError(anotherDeskSavingText(), DbError::Kind::Busy);
    if (dialect_->isTooLong(error))
        throw DbError(QStringLiteral("A text is too long for its box: nothing was saved. Shorten it, then "
                                     "save again."),
                      DbError::Kind::TooLong);
    // The server refused the statement to this login (its menu rights, a saved slip): the server's
    // own words name tables and columns, not what the user may do about it.
    if (info_.engine == Engine::Postgres && error.nativeErrorCode() == QLatin1String("42501"))
        throw DbError(notPermittedText(), DbError::Kind::NotPermitted);
    if (const QString plain = enginetext::plainStatementText(error, info_.engine); !plain.isEmpty())
        throw DbError(plain);
    Q_UNUSED(sql);
    throw DbError(text);
}

QSqlQuery Connection::run(const QString& sql, const QVariantList& params, bool& ok) {
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (params.isEmpty()) {
        ok = q.exec(sql);
        return q;
    }
    ok = q.prepare(sql);
    if (!ok)
        return q;
    for (const QVariant& p : params)
        q.addBindValue(p);
    ok = q.exec();
    return q;
}

// The connection broke under a statement. Outside a transaction the statement runs again on the
// restored connection. Inside one, the server has dropped the transaction: nothing of it was
// committed, and the caller may run the whole unit again. A broken COMMIT leaves it unknown whether
// the transaction was written: that is said, never guessed.
QSqlQuery Connection::retryAfterLoss(const QString& sql, const QVariantList& params, bool inTransaction) {
    if (sql.trimmed().compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0) {
        // Whether the server is back or not, the commit may have been written: never run it again.
        markLost();
        try {
            openDatabase();
            lost_ = false;
        } catch (const DbError&) {
        }
        throw DbError(commitUnknownText(), DbError::Kind::Connection);
    }
    reopenAfterLoss();
    if (inTransaction)
        throw DbError(QStringLiteral("The connection to the database server was lost and has been restored. "
                                     "Nothing of this save was written: please save again."),
                      DbError::Kind::Lost);
    bool ok = false;
    QSqlQuery q = run(sql, params, ok);
    if (!ok) {
        if (dialect_->connectionBroken(database(), q.lastError())) {
            markLost();
            throw DbError(unreachableNow(), DbError::Kind::Connection);
        }
        raise(q.lastError(), sql);
    }
    return q;
}

QSqlQuery Connection::query(const QString& sql, const QVariantList& params) {
    refuseUnstorableText(params);
    const bool inTransaction = transactionDepth_ > 0;
    // A write of its own starts a new save: until it is done, nothing of it is stored.
    if (!inTransaction && isWrite(sql))
        savedInThisAction = false;
    if (statementHook)
        statementHook(sql);
    if (!open_) {
        if (!lost_)
            throw DbError(QStringLiteral("The connection is closed."), DbError::Kind::Connection);
        reopenAfterLoss();
    }
    bool ok = false;
    QSqlQuery q = run(sql, params, ok);
    if (!ok) {
        if (dialect_->connectionBroken(database(), q.lastError())) {
            q = QSqlQuery();
            q = retryAfterLoss(sql, params, inTransaction);
        } else {
            raise(q.lastError(), sql);
        }
    }
    if (!inTransaction && isWrite(sql))
        savedInThisAction = true;
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
    if (transactionDepth_ == 0) {
        savedInThisAction = false; // a new save: nothing of it is stored until its commit
        Execute(dialect_->beginWrite());
    }
    setDepth(transactionDepth_ + 1);
}

void Connection::CommitTrans() {
    if (transactionDepth_ == 0)
        throw DbError(QStringLiteral("No transaction is open."));
    setDepth(transactionDepth_ - 1);
    if (transactionDepth_ == 0) {
        Execute(QStringLiteral("COMMIT"));
        savedInThisAction = true;
    }
}

void Connection::RollbackTrans() {
    if (transactionDepth_ == 0)
        return;
    setDepth(0);
    Execute(QStringLiteral("ROLLBACK"));
}

void inTransaction(Connection& con, const std::function<void()>& work) {
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction t(con);
            work();
            t.commit();
            return;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::Lost || attempt == 2 || con.inTransaction())
                throw;
        }
    }
}

qint64 saveWithNextKey(Connection& con, const QString& table, const QString& keyColumn,
                       const std::function<void(qint64 key)>& write) {
    // The lock makes collisions rare; the retries are the safety net for writers that do not take it.
    constexpr int attempts = 20;
    int lostConnection = 0;
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction t(con);
            const QString lock = con.dialect().keyLock();
            if (!lock.isEmpty())
                con.scalar(lock, {table.toLower()});
            const qint64 key =
                con.scalar(QStringLiteral("select coalesce(max(%1),0)+1 from %2").arg(keyColumn, table))
                    .toLongLong();
            write(key);
            t.commit();
            return key;
        } catch (const DbError& e) {
            if (con.inTransaction())
                throw; // part of a larger transaction: its owner decides
            if (e.kind() == DbError::Kind::Lost && ++lostConnection < 2)
                continue;
            if (e.kind() != DbError::Kind::Duplicate)
                throw;
            if (attempt == attempts)
                throw DbError(QStringLiteral("Other desks were saving at the same moment and no free number "
                                             "could be taken: nothing was saved. Please save again."),
                              DbError::Kind::Duplicate);
        }
    }
}

} // namespace wb
