#pragma once

#include <QString>
#include <stdexcept>

namespace wb::report {

// Every failure of the report engine: a missing or malformed template, an unknown table or field,
// a refused formula, a parameter without a value. The text is what the user is shown.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// A formula the engine refuses. offset() is the 0-based character offset of the fault in the
// formula; the text names it 1-based ("at character 12"), as a person counts.
class FormulaError : public ReportError {
public:
    FormulaError(const QString& context, const QString& reason, int offset, const QString& formula)
        : ReportError(QStringLiteral("%1: %2 at character %3 of \"%4\"")
                          .arg(context, reason)
                          .arg(offset + 1)
                          .arg(formula)),
          reason_(reason), offset_(offset) {}

    const QString& reason() const { return reason_; }
    int offset() const { return offset_; }

private:
    QString reason_;
    int offset_;
};

} // namespace wb::report
