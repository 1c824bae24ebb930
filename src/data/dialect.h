#pragma once

#include "schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <memory>

namespace wb {

enum class Engine { Sqlite, Postgres };

// The few places where the two engines speak differently.
class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;
    virtual QString driverName() const = 0;

    // Column type in CREATE TABLE (with the size check where the engine does not enforce sizes).
    virtual QString columnDefinition(const Column& column) const = 0;
    // Definition of a key column whose value the database assigns.
    virtual QString generatedKeyDefinition(const Column& column) const = 0;

    // A bound text parameter that the engine may not be able to type by itself ("?" or "?::text").
    virtual QString textParam() const = 0;
    // "expr contains the bound pattern", case-insensitive; bind likeContains(text) to it.
    virtual QString containsCI(const QString& expr) const = 0;
    // "expr equals the bound text", case-insensitive.
    virtual QString equalsCI(const QString& expr) const = 0;
    // A date column shown as dd-mm-yyyy text.
    virtual QString dateAsDdMmYyyy(const QString& expr) const = 0;
    // A time-of-day column as seven characters of 12-hour clock text: " 9:05AM", "10:30PM".
    virtual QString timeAsHourMinuteAmPm(const QString& expr) const = 0;

    // What a query ends with to keep the rows it read from being deleted or changed by another desk
    // until the transaction ends (nothing where a writing transaction already excludes other writers).
    virtual QString lockForShare() const = 0;

    // Statement that starts a transaction that will write.
    virtual QString beginWrite() const = 0;

    // Statement, with the table's name bound, that holds the "highest plus 1" key step of that table
    // for the rest of the transaction, so that two desks never read the same highest key; empty
    // where the start of a writing transaction already serialises.
    virtual QString keyLock() const = 0;

    // Steps on a freshly opened driver connection (the embedded engine's Unicode case functions).
    virtual void prepareConnection(QSqlDatabase& db) const = 0;
    // Whether the driver's link to the server is gone (the server restarted or the network broke).
    // `error` is the failed statement's error.
    virtual bool connectionBroken(const QSqlDatabase& db, const QSqlError& error) const = 0;

    virtual bool isUniqueViolation(const QSqlError& error) const = 0;
    // A lock held by another connection was not granted within the lock timeout.
    virtual bool isLockTimeout(const QSqlError& error) const = 0;
    virtual bool isTooLong(const QSqlError& error) const = 0;

    static std::unique_ptr<Dialect> make(Engine engine);
};

// Whether a driver handle is the PostgreSQL client library's connection (PGconn*, which the driver
// names by its struct, pg_conn*).
bool isPostgresHandle(const QVariant& handle);

// The pattern for containsCI: the text with %, _ and \ escaped, between % signs.
QString likeContains(const QString& text);

} // namespace wb
