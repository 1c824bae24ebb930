#pragma once

#include <QString>
#include <stdexcept>

namespace wb {

// Every failure of the data layer: a bad statement, a refused login, a duplicate key, a text too
// long for its column. The text is what the user is shown.
class DbError : public std::runtime_error {
public:
    // Lost: the connection broke during a transaction and was restored; nothing of the transaction
    // was committed, so the whole unit of work may run again.
    enum class Kind { General, Connection, Login, Duplicate, TooLong, NotFound, Refused, Lost };

    explicit DbError(const QString& text, Kind kind = Kind::General)
        : std::runtime_error(text.toStdString()), text_(text), kind_(kind) {}

    const QString& text() const { return text_; }
    Kind kind() const { return kind_; }

private:
    QString text_;
    Kind kind_;
};

} // namespace wb
