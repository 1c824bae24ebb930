#pragma once

#include "dberror.h"
#include "dialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

namespace wb {

class BackgroundReader;
class LoginStore;

// Why a connection is opened. Only a login connection acts for a user; the embedded engine opens
// the other two without a login: the user list may only read the logins' names, and only the set-up
// step (which creates the database and its first administrator) may create logins without one. A
// reader is a second, read-only connection of a user whose login connection is open already.
enum class Purpose { Login, ListUsers, Setup, Reader };

// Where and as whom to connect. For the embedded engine `server` is the database file.
struct ConnectInfo {
    Engine engine = Engine::Sqlite;
    QString server; // SQLite: file path; PostgreSQL: host or host:port
    QString database = QStringLiteral("Wardbook");
    QString user; // required for a login, on both engines
    QString password;
    bool createIfMissing = false; // SQLite only: create the file (first start)
    Purpose purpose = Purpose::Login;
};

// The one connection of the program: open, close, state, statements and transactions.
class Connection {
public:
    static constexpr int adStateClosed = 0;
    static constexpr int adStateOpen = 1;

    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database; the embedded engine checks the login against its login store. The
    // connection counts as open only once every set-up step has succeeded.
    void Open(const ConnectInfo& info);
    void Close();
    int State() const { return open_ ? adStateOpen : adStateClosed; }
    bool isOpen() const { return open_; }

    // Runs a statement that returns no rows; returns the number of rows it touched.
    int Execute(const QString& sql, const QVariantList& params = {});
    // Runs a query and returns it positioned before its first row (for the record set and look-ups).
    QSqlQuery query(const QString& sql, const QVariantList& params = {});
    // The first column of the first row, or a null value when there is none.
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const { return transactionDepth_ > 0; }

    const Dialect& dialect() const;
    Engine engine() const { return info_.engine; }
    const ConnectInfo& info() const { return info_; }
    const QString& user() const { return info_.user; }
    QSqlDatabase database() const;
    LoginStore& logins();
    // A reader of this connection's database on a thread of its own (made on first use), or none
    // where its rows would differ from this connection's: inside a transaction, on an in-memory
    // database, or while the connection is closed.
    BackgroundReader* backgroundReader();

    // Turns a driver error into a DbError with the kind the rest of the program tests.
    [[noreturn]] void raise(const QSqlError& error, const QString& sql = {}) const;

private:
    void openDatabase();
    QSqlQuery run(const QString& sql, const QVariantList& params, bool& ok);
    QSqlQuery retryAfterLoss(const QString& sql, const QVariantList& params, bool inTransaction);
    void reopenAfterLoss();
    void forgetPassword();
    void markLost();
    void setDepth(int depth);

    QString name_;
    ConnectInfo info_;
    std::unique_ptr<Dialect> dialect_;
    std::unique_ptr<LoginStore> logins_;
    std::unique_ptr<BackgroundReader> reader_;
    bool open_ = false;
    bool lost_ = false; // the server went away; the next statement reconnects with the same login
    int transactionDepth_ = 0;
};

// How many connections have a transaction open on the calling thread (a message box that waits for
// the user must find none).
int transactionsOpenOnThisThread();

// The text shown when the server refuses a statement to the login (DbError::Kind::NotPermitted).
QString notPermittedText();

// The texts shown when the server cannot be reached or went away during a save.
QString serverUnreachableText();
QString commitUnknownText();

// How long a statement waits for a lock that another desk holds before it gives up, on both
// engines, and what the user then reads.
inline constexpr int lockTimeoutMs = 5000;
QString anotherDeskSavingText();

// A new action of the user begins (the dispatch of an outermost event): nothing of it has been
// committed yet. Until the next one, a server lost after a committed save is told as "the save is
// stored", never as "nothing was saved".
void beginUserAction();

// Names what the work after a committed save would have done (print it, refresh the list) while it
// runs, for the text shown when the server is lost under it ("...so it was not printed").
class AfterSaveStep {
public:
    explicit AfterSaveStep(const QString& notDone);
    ~AfterSaveStep();
    AfterSaveStep(const AfterSaveStep&) = delete;
    AfterSaveStep& operator=(const AfterSaveStep&) = delete;

private:
    QString previous_;
};

// For tests: runs before each statement is first sent on a connection of this thread, with its text
// (an empty function removes it).
void setStatementHook(std::function<void(const QString& sql)> hook);

// Commits when told to, rolls back when it goes out of scope otherwise.
class Transaction {
public:
    explicit Transaction(Connection& con) : con_(con) { con_.BeginTrans(); }
    ~Transaction() {
        if (!done_) {
            try {
                con_.RollbackTrans();
            } catch (...) {
            }
        }
    }
    void commit() {
        con_.CommitTrans();
        done_ = true;
    }

private:
    Connection& con_;
    bool done_ = false;
};

// Runs `work` in a transaction; when the connection to the server was lost and restored before
// anything was committed, runs it once more on the restored connection.
void inTransaction(Connection& con, const std::function<void()>& work);

// Runs `write(key)` in a transaction with key = highest `keyColumn` of `table` plus 1, read inside
// the same transaction. The key step is serialised per table between desks (the embedded engine's
// write lock, a transaction-scoped lock on the server); a duplicate key all the same (a row written
// by something that does not take the lock) retries with the next key. Returns the key written.
qint64 saveWithNextKey(Connection& con, const QString& table, const QString& keyColumn,
                       const std::function<void(qint64 key)>& write);

} // namespace wb
