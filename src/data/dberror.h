#pragma once

#include <QString>
#include <stdexcept>

namespace wb {

// Every failure of the data layer: a bad statement, a refused login, a duplicate key, a text too
// long for its column. The text is what the user is shown.
class DbError : public std::runtime_error {
public:
    // Lost: the connection broke during a transaction and was restored; nothing of the transaction
    // was committed, so the whole unit of work may run again. Busy: a lock held by another desk was
    // not released within the lock timeout; nothing was written.
    // NotANumber, TooLarge: a value a numeric column cannot take, refused before it reaches the server.
    // NotPermitted: the server refused the statement because the login has no right to it (its menu
    // rights, or a saved slip).
    enum class Kind {
        General,
        Connection,
        Login,
        Duplicate,
        TooLong,
        NotFound,
        Refused,
        Lost,
        Busy,
        NotANumber,
        TooLarge,
        NotPermitted
    };

    explicit DbError(const QString& text, Kind kind = Kind::General)
        : std::runtime_error(text.toStdString()), text_(text), kind_(kind) {}

    const QString& text() const { return text_; }
    Kind kind() const { return kind_; }

    // A text too long for its column: which column, and how many characters it takes.
    DbError& tooLongFor(const QString& column, int limit) {
        column_ = column;
        limit_ = limit;
        return *this;
    }
    // A number its column cannot take: which column, and what it takes ("9,999,999,999.99", the
    // largest value, for TooLarge; "a whole number" or "a number" for NotANumber).
    DbError& numberFor(const QString& column, const QString& takes) {
        column_ = column;
        takes_ = takes;
        return *this;
    }
    const QString& column() const { return column_; }
    int limit() const { return limit_; }
    const QString& takes() const { return takes_; }

private:
    QString text_;
    Kind kind_;
    QString column_;
    int limit_ = 0;
    QString takes_;
};

} // namespace wb
