#pragma once

#include <QString>
#include <stdexcept>

namespace wb {

// Every failure of the data layer: a bad statement, a refused login, a duplicate key, a text too
// long for its column. The text is what the user is shown.
class DbError : public std::runtime_error {
public:
    enum class Kind { General, Connection, Login, Duplicate, TooLong, NotFound, Refused };

    explicit DbError(const QString& text, Kind kind = Kind::General)
        : std::runtime_error(text.toStdString()), text_(text), kind_(kind) {}

    const QString& text() const { return text_; }
    Kind kind() const { return kind_; }

private:
    QString text_;
    Kind kind_;
};

} // namespace wb
