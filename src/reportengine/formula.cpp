#include "formula.h"

#include <QRegularExpression>
#include <cmath>

namespace wb::report {

ValueKind kindOf(ColType type) {
    switch (type) {
    case ColType::Integer:
    case ColType::Decimal:
    case ColType::Double:
        return ValueKind::Number;
    case ColType::Date:
    case ColType::Timestamp:
        return ValueKind::Date;
    case ColType::Time:
        return ValueKind::Time;
    case ColType::Text:
        break;
    }
    return ValueKind::Text;
}

QString kindName(ValueKind kind) {
    switch (kind) {
    case ValueKind::Number:
        return QStringLiteral("number");
    case ValueKind::Date:
        return QStringLiteral("date");
    case ValueKind::Time:
        return QStringLiteral("time");
    case ValueKind::Text:
        break;
    }
    return QStringLiteral("text");
}

namespace {

enum class Tok {
    End,
    Error, // what cannot be read; the parser reports it when it gets there
    Field,
    Param,
    FormulaRef,
    Number,
    Text,
    Date,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    LParen,
    RParen,
    Amp,
    Minus,
    And,
    Or,
    Not,
    In,
    To,
    IsNull
};

struct Token {
    Tok kind = Tok::End;
    int pos = 0;
    int len = 0;
    QString text;  // field: its table; parameter, formula: the name; number: as written; text: contents
    QString text2; // field: its column
    QDate date;
};

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isIdentifier(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(s).hasMatch();
}

class Lexer {
public:
    Lexer(const QString& source, const QString& context) : s_(source), context_(context) {}

    // The tokens up to the first one that cannot be read, which becomes an Error token: a fault
    // further left in the formula is reported first.
    QVector<Token> run() {
        QVector<Token> out;
        try {
            read(out);
        } catch (const FormulaError& e) {
            Token error;
            error.kind = Tok::Error;
            error.pos = e.offset();
            error.text = e.reason();
            out.append(error);
        }
        return out;
    }

    [[noreturn]] void fail(const QString& reason, int pos) const {
        throw FormulaError(context_, reason, pos, s_);
    }

private:
    void read(QVector<Token>& out) {
        const int n = int(s_.size());
        int i = 0;
        while (i < n) {
            const QChar c = s_.at(i);
            if (c.isSpace()) {
                ++i;
                continue;
            }
            Token t;
            t.pos = i;
            if (c == u'{') {
                i = field(t, i);
            } else if (c == u'\'' || c == u'"') {
                i = text(t, i, c);
            } else if (c == u'#') {
                i = date(t, i);
            } else if (isDigit(c)) {
                i = number(t, i);
            } else if (c.isLetter() || c == u'_') {
                i = word(t, i);
            } else {
                i = symbol(t, i);
            }
            t.len = i - t.pos;
            out.append(t);
        }
        Token end;
        end.pos = n;
        out.append(end);
    }

    int field(Token& t, int i) {
        const int close = int(s_.indexOf(u'}', i + 1));
        if (close < 0)
            fail(QStringLiteral("a field is not closed with '}'"), i);
        const QString inner = s_.mid(i + 1, close - i - 1).trimmed();
        if (inner.startsWith(u'?') || inner.startsWith(u'@')) {
            t.kind = inner.startsWith(u'?') ? Tok::Param : Tok::FormulaRef;
            t.text = inner.mid(1).trimmed();
            if (!isIdentifier(t.text))
                fail(QStringLiteral("a parameter is written {?Name} and a formula field {@Name}"), i);
            return close + 1;
        }
        const int dot = int(inner.indexOf(u'.'));
        t.kind = Tok::Field;
        t.text = inner.left(dot).trimmed();
        t.text2 = inner.mid(dot + 1).trimmed();
        if (dot < 0 || !isIdentifier(t.text) || !isIdentifier(t.text2))
            fail(QStringLiteral("a field is written {Table.Field}"), i);
        return close + 1;
    }

    int text(Token& t, int i, QChar quote) {
        const int start = i;
        const int n = int(s_.size());
        t.kind = Tok::Text;
        ++i;
        for (;;) {
            if (i >= n)
                fail(QStringLiteral("the text is not closed with %1").arg(quote), start);
            if (s_.at(i) == quote) {
                if (i + 1 < n && s_.at(i + 1) == quote) {
                    t.text.append(quote);
                    i += 2;
                    continue;
                }
                return i + 1;
            }
            t.text.append(s_.at(i));
            ++i;
        }
    }

    int date(Token& t, int i) {
        const int close = int(s_.indexOf(u'#', i + 1));
        if (close < 0)
            fail(QStringLiteral("a date is not closed with '#'"), i);
        static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
        const auto m = re.match(s_.mid(i + 1, close - i - 1).trimmed());
        if (!m.hasMatch())
            fail(QStringLiteral("a date is written #yyyy-mm-dd#"), i);
        t.kind = Tok::Date;
        t.date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!t.date.isValid())
            fail(QStringLiteral("there is no such date"), i);
        return close + 1;
    }

    int number(Token& t, int i) {
        const int start = i;
        const int n = int(s_.size());
        while (i < n && isDigit(s_.at(i)))
            ++i;
        if (i < n && s_.at(i) == u'.') {
            ++i;
            if (i >= n || !isDigit(s_.at(i)))
                fail(QStringLiteral("a decimal number needs digits after the point"), start);
            while (i < n && isDigit(s_.at(i)))
                ++i;
        }
        if (i < n && (s_.at(i).isLetter() || s_.at(i) == u'_' || s_.at(i) == u'.'))
            fail(QStringLiteral("a number is written with digits and one decimal point"), start);
        t.kind = Tok::Number;
        t.text = s_.mid(start, i - start);
        return i;
    }

    int word(Token& t, int i) {
        const int start = i;
        const int n = int(s_.size());
        while (i < n && (s_.at(i).isLetterOrNumber() || s_.at(i) == u'_'))
            ++i;
        const QString w = s_.mid(start, i - start);
        const QString lower = w.toLower();
        if (lower == u"and")
            t.kind = Tok::And;
        else if (lower == u"or")
            t.kind = Tok::Or;
        else if (lower == u"not")
            t.kind = Tok::Not;
        else if (lower == u"in")
            t.kind = Tok::In;
        else if (lower == u"to")
            t.kind = Tok::To;
        else if (lower == u"isnull")
            t.kind = Tok::IsNull;
        else
            fail(QStringLiteral("unknown word '%1'").arg(w), start);
        return i;
    }

    int symbol(Token& t, int i) {
        const QChar c = s_.at(i);
        const QChar next = i + 1 < s_.size() ? s_.at(i + 1) : QChar();
        switch (c.unicode()) {
        case '=':
            t.kind = Tok::Eq;
            return i + 1;
        case '<':
            if (next == u'=') {
                t.kind = Tok::Le;
                return i + 2;
            }
            if (next == u'>') {
                t.kind = Tok::Ne;
                return i + 2;
            }
            t.kind = Tok::Lt;
            return i + 1;
        case '>':
            if (next == u'=') {
                t.kind = Tok::Ge;
                return i + 2;
            }
            t.kind = Tok::Gt;
            return i + 1;
        case '(':
            t.kind = Tok::LParen;
            return i + 1;
        case ')':
            t.kind = Tok::RParen;
            return i + 1;
        case '&':
            t.kind = Tok::Amp;
            return i + 1;
        case '-':
            t.kind = Tok::Minus;
            return i + 1;
        default:
            break;
        }
        fail(QStringLiteral("unexpected character '%1'").arg(c), i);
    }

    const QString& s_;
    const QString& context_;
};

// An operand of a comparison: a field, a literal value or a parameter.
struct Operand {
    enum Source { Field, Literal, Param } source = Literal;
    ValueKind kind = ValueKind::Text;
    ResolvedField field;
    QVariant value;
    bool fractional = false;
    int pos = 0;
    QString shown; // as written in the formula
};

class Parser {
public:
    Parser(const QString& source, const FormulaScope& scope, const QString& context, bool checkOnly)
        : source_(source), context_(context), scope_(scope), checkOnly_(checkOnly), lexer_(source, context) {
        tokens_ = lexer_.run();
    }

    SqlFilter selection() {
        SqlFilter out;
        if (peek().kind == Tok::End)
            return out;
        out.sql = orExpr();
        if (peek().kind != Tok::End)
            fail(QStringLiteral("%1 is not expected here").arg(describe(peek())), peek().pos);
        out.values = values_;
        return out;
    }

    QVector<DisplayTerm> display() {
        QVector<DisplayTerm> terms;
        if (peek().kind == Tok::End)
            return terms;
        for (;;) {
            terms.append(displayTerm());
            if (peek().kind == Tok::End)
                return terms;
            if (peek().kind != Tok::Amp)
                fail(QStringLiteral("'&' is expected between the parts of the formula"), peek().pos);
            next();
        }
    }

private:
    const Token& peek() const {
        const Token& t = tokens_.at(index_);
        if (t.kind == Tok::Error)
            fail(t.text, t.pos);
        return t;
    }
    const Token& next() {
        const Token& t = peek();
        if (t.kind != Tok::End)
            ++index_;
        return t;
    }
    [[noreturn]] void fail(const QString& reason, int pos) const { lexer_.fail(reason, pos); }

    QString describe(const Token& t) const {
        if (t.kind == Tok::End)
            return QStringLiteral("the end of the formula");
        return QStringLiteral("'%1'").arg(source_.mid(t.pos, t.len));
    }

    void expect(Tok kind, const QString& what) {
        if (peek().kind != kind)
            fail(QStringLiteral("%1 is expected, not %2").arg(what, describe(peek())), peek().pos);
        next();
    }

    QString orExpr() {
        QString left = andExpr();
        while (peek().kind == Tok::Or) {
            next();
            const QString right = andExpr();
            left = QStringLiteral("(%1 OR %2)").arg(left, right);
        }
        return left;
    }

    QString andExpr() {
        QString left = notExpr();
        while (peek().kind == Tok::And) {
            next();
            const QString right = notExpr();
            left = QStringLiteral("(%1 AND %2)").arg(left, right);
        }
        return left;
    }

    // How deeply parentheses and "not" may nest: far beyond any formula a person writes, and well
    // within what the translator's recursion and the database's parser take.
    static constexpr int maxDepth = 100;

    // Counts one level of nesting for as long as it lives.
    class Nesting {
    public:
        Nesting(Parser& p, int pos) : p_(p) {
            if (++p_.depth_ > maxDepth)
                p_.fail(
                    QStringLiteral("the formula nests parentheses or 'not' more than %1 deep").arg(maxDepth),
                    pos);
        }
        ~Nesting() { --p_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& p_;
    };

    QString notExpr() {
        if (peek().kind == Tok::Not) {
            const Nesting level(*this, peek().pos);
            next();
            return QStringLiteral("NOT (%1)").arg(notExpr());
        }
        return primary();
    }

    QString primary() {
        if (peek().kind == Tok::LParen) {
            const Nesting level(*this, peek().pos);
            next();
            const QString inner = orExpr();
            expect(Tok::RParen, QStringLiteral("')'"));
            return inner;
        }
        if (peek().kind == Tok::IsNull) {
            next();
            expect(Tok::LParen, QStringLiteral("'(' after isnull"));
            const Operand f = operand();
            if (f.source != Operand::Field)
                fail(QStringLiteral("isnull() takes a field"), f.pos);
            expect(Tok::RParen, QStringLiteral("')'"));
            return f.field.sql + QStringLiteral(" IS NULL");
        }
        return comparison();
    }

    static bool isComparison(Tok t) {
        return t == Tok::Eq || t == Tok::Ne || t == Tok::Lt || t == Tok::Gt || t == Tok::Le || t == Tok::Ge;
    }

    static Tok mirrored(Tok t) {
        switch (t) {
        case Tok::Lt:
            return Tok::Gt;
        case Tok::Gt:
            return Tok::Lt;
        case Tok::Le:
            return Tok::Ge;
        case Tok::Ge:
            return Tok::Le;
        default:
            return t;
        }
    }

    static QString sqlOperator(Tok t) {
        switch (t) {
        case Tok::Ne:
            return QStringLiteral("<>");
        case Tok::Lt:
            return QStringLiteral("<");
        case Tok::Gt:
            return QStringLiteral(">");
        case Tok::Le:
            return QStringLiteral("<=");
        case Tok::Ge:
            return QStringLiteral(">=");
        default:
            return QStringLiteral("=");
        }
    }

    QString comparison() {
        Operand a = operand();
        const Token op = peek();
        if (isComparison(op.kind)) {
            next();
            Operand b = operand();
            return compare(a, op.kind, b);
        }
        if (op.kind == Tok::In) {
            next();
            const Operand low = operand();
            expect(Tok::To, QStringLiteral("'to'"));
            const Operand high = operand();
            return range(a, low, high);
        }
        fail(QStringLiteral("a comparison (=, <>, <, >, <=, >=) or 'in' is expected after %1, not %2")
                 .arg(a.shown, describe(op)),
             op.pos);
    }

    Operand operand() {
        const Token& t = next();
        Operand o;
        o.pos = t.pos;
        o.shown = source_.mid(t.pos, t.len);
        switch (t.kind) {
        case Tok::Field:
            o.source = Operand::Field;
            try {
                o.field = scope_.field(t.text, t.text2);
            } catch (const FormulaError&) {
                throw;
            } catch (const ReportError& e) {
                fail(e.text(), t.pos);
            }
            o.kind = kindOf(o.field.column.type);
            o.shown = QStringLiteral("{%1}").arg(o.field.display);
            return o;
        case Tok::Param: {
            const ParameterDecl* decl = scope_.parameter(t.text);
            if (!decl)
                fail(QStringLiteral("the report has no parameter %1").arg(t.text), t.pos);
            o.source = Operand::Param;
            o.kind = decl->kind;
            if (checkOnly_) {
                o.value = placeholder(decl->kind);
            } else {
                if (decl->value.isNull())
                    fail(QStringLiteral("the parameter %1 has no value").arg(decl->name), t.pos);
                o.value = decl->value;
            }
            o.fractional = o.kind == ValueKind::Number && isFractional(o.value);
            return o;
        }
        case Tok::Minus: {
            const Token& n = next();
            if (n.kind != Tok::Number)
                fail(QStringLiteral("a number is expected after '-'"), n.pos);
            numberValue(o, n.text, true);
            o.shown = source_.mid(t.pos, n.pos + n.len - t.pos);
            return o;
        }
        case Tok::Number:
            numberValue(o, t.text, false);
            return o;
        case Tok::Text:
            o.kind = ValueKind::Text;
            o.value = t.text;
            return o;
        case Tok::Date:
            o.kind = ValueKind::Date;
            o.value = t.date;
            return o;
        case Tok::FormulaRef:
            fail(QStringLiteral("a formula field cannot be used in a selection formula"), t.pos);
        case Tok::End:
            fail(QStringLiteral("the formula ends where a field or a value is expected"), t.pos);
        default:
            break;
        }
        fail(QStringLiteral("a field or a value is expected, not %1").arg(describe(t)), t.pos);
    }

    static bool isFractional(const QVariant& v) {
        if (v.typeId() != QMetaType::Double)
            return false;
        const double d = v.toDouble();
        return d != std::floor(d);
    }

    static void numberValue(Operand& o, const QString& digits, bool negative) {
        o.source = Operand::Literal;
        o.kind = ValueKind::Number;
        bool ok = false;
        if (!digits.contains(u'.')) {
            const qlonglong n = digits.toLongLong(&ok);
            if (ok) {
                o.value = negative ? -n : n;
                return;
            }
        }
        const double d = digits.toDouble();
        o.value = negative ? -d : d;
        o.fractional = d != std::floor(d);
    }

    static QVariant placeholder(ValueKind kind) {
        switch (kind) {
        case ValueKind::Number:
            return QVariant(qlonglong(0));
        case ValueKind::Date:
            return QVariant(QDate(2000, 1, 1));
        default:
            return QVariant(QString());
        }
    }

    void checkKinds(const Operand& field, const Operand& other) const {
        if (field.kind == other.kind && (field.kind != ValueKind::Time || other.source == Operand::Field))
            return;
        const QString what = other.source == Operand::Field
                                 ? QStringLiteral("the %1 field %2").arg(kindName(other.kind), other.shown)
                                 : QStringLiteral("the %1 %2").arg(kindName(other.kind), other.shown);
        fail(QStringLiteral("%1 is a %2 field and cannot be compared with %3")
                 .arg(field.shown, kindName(field.kind), what),
             other.pos);
    }

    void bind(const QVariant& v) { values_.append(v); }

    // A number compared with a field must be one the field's column can hold: the same clear error
    // on both engines instead of the server's conversion error.
    void checkRange(const Operand& field, const Operand& value) const {
        if (value.source == Operand::Field || value.kind != ValueKind::Number)
            return;
        const QVariant& v = value.value;
        const bool whole = v.typeId() == QMetaType::LongLong;
        const double d = v.toDouble();
        bool fits = std::isfinite(d);
        if (fits && field.field.column.type == ColType::Integer && !value.fractional) {
            const bool big = field.field.column.precision > 10;
            const double low = big ? -9223372036854775808.0 : -2147483648.0;
            const double high = big ? 9223372036854775807.0 : 2147483647.0;
            fits = whole ? (big || (v.toLongLong() >= qint64(low) && v.toLongLong() <= qint64(high)))
                         : (d >= low && d <= high);
        } else if (fits && field.field.column.type == ColType::Decimal) {
            const Column& c = field.field.column;
            fits = std::fabs(d) < std::pow(10.0, c.precision - c.scale);
        }
        if (!fits)
            fail(QStringLiteral("the number %1 is out of range for %2").arg(value.shown, field.shown),
                 value.pos);
    }

    static QString column(const Operand& f, const Operand& value) {
        // An integer column compared with a fractional number compares as a real number.
        if (f.field.column.type == ColType::Integer && value.fractional)
            return QStringLiteral("CAST(%1 AS DOUBLE PRECISION)").arg(f.field.sql);
        return f.field.sql;
    }

    static bool isTimestamp(const Operand& f) { return f.field.column.type == ColType::Timestamp; }

    QString compare(Operand a, Tok op, Operand b) {
        if (a.source != Operand::Field && b.source != Operand::Field)
            fail(QStringLiteral("a comparison needs a field on one side"), a.pos);
        if (a.source != Operand::Field) {
            std::swap(a, b);
            op = mirrored(op);
        }
        checkKinds(a, b);
        checkRange(a, b);
        if (b.source == Operand::Field)
            return QStringLiteral("%1 %2 %3").arg(a.field.sql, sqlOperator(op), b.field.sql);
        if (a.kind == ValueKind::Date && isTimestamp(a)) {
            // A date against a date and time: the whole day counts.
            const QDate day = b.value.toDate();
            const QDate after = day.addDays(1);
            const QString& c = a.field.sql;
            // Values are bound in the order their "?" stand in the text.
            switch (op) {
            case Tok::Eq:
                bind(day);
                bind(after);
                return QStringLiteral("(%1 >= ? AND %1 < ?)").arg(c);
            case Tok::Ne:
                bind(day);
                bind(after);
                return QStringLiteral("(%1 < ? OR %1 >= ?)").arg(c);
            case Tok::Lt:
                bind(day);
                return QStringLiteral("%1 < ?").arg(c);
            case Tok::Le:
                bind(after);
                return QStringLiteral("%1 < ?").arg(c);
            case Tok::Gt:
                bind(after);
                return QStringLiteral("%1 >= ?").arg(c);
            default:
                bind(day);
                return QStringLiteral("%1 >= ?").arg(c);
            }
        }
        bind(b.value);
        return QStringLiteral("%1 %2 ?").arg(column(a, b), sqlOperator(op));
    }

    QString range(const Operand& f, const Operand& low, const Operand& high) {
        if (f.source != Operand::Field)
            fail(QStringLiteral("'in' needs a field before it"), f.pos);
        for (const Operand* bound : {&low, &high}) {
            if (bound->source == Operand::Field)
                fail(QStringLiteral("the limits of 'in ... to ...' are values"), bound->pos);
            checkKinds(f, *bound);
            checkRange(f, *bound);
        }
        if (isTimestamp(f)) {
            bind(low.value);
            bind(high.value.toDate().addDays(1));
            return QStringLiteral("(%1 >= ? AND %1 < ?)").arg(f.field.sql);
        }
        Operand either = low;
        either.fractional = low.fractional || high.fractional;
        bind(low.value);
        bind(high.value);
        return QStringLiteral("(%1 >= ? AND %1 <= ?)").arg(column(f, either));
    }

    DisplayTerm displayTerm() {
        const Token& t = peek();
        DisplayTerm term;
        switch (t.kind) {
        case Tok::Text:
            next();
            term.text = t.text;
            return term;
        case Tok::Number:
            next();
            term.text = t.text;
            return term;
        case Tok::Minus: {
            next();
            const Token& n = next();
            if (n.kind != Tok::Number)
                fail(QStringLiteral("a number is expected after '-'"), n.pos);
            term.text = QStringLiteral("-") + n.text;
            return term;
        }
        case Tok::Date:
            next();
            term.text = t.date.toString(QStringLiteral("dd/MM/yyyy"));
            return term;
        case Tok::Field: {
            const Operand o = operand();
            term.kind = DisplayTerm::Field;
            term.field = o.field;
            return term;
        }
        case Tok::Param:
            next();
            if (!scope_.parameter(t.text))
                fail(QStringLiteral("the report has no parameter %1").arg(t.text), t.pos);
            term.kind = DisplayTerm::Parameter;
            term.text = t.text;
            return term;
        case Tok::FormulaRef:
            fail(QStringLiteral("a formula field cannot show another formula field"), t.pos);
        case Tok::End:
            fail(QStringLiteral("the formula ends where a text, a value or a field is expected"), t.pos);
        default:
            break;
        }
        fail(QStringLiteral("a text, a value or a field is expected, not %1").arg(describe(t)), t.pos);
    }

    const QString& source_;
    const QString& context_;
    const FormulaScope& scope_;
    bool checkOnly_;
    Lexer lexer_;
    QVector<Token> tokens_;
    int index_ = 0;
    int depth_ = 0;
    QVariantList values_;
};

} // namespace

SqlFilter translateSelection(const QString& formula, const FormulaScope& scope, const QString& context,
                             bool checkOnly) {
    return Parser(formula, scope, context, checkOnly).selection();
}

QVector<DisplayTerm> compileDisplayFormula(const QString& formula, const FormulaScope& scope,
                                           const QString& context) {
    return Parser(formula, scope, context, true).display();
}

QString quoteText(const QString& value) {
    QString text = value;
    text.replace(u'\'', QStringLiteral("''"));
    return u'\'' + text + u'\'';
}

QVariant parameterValue(const QVariant& value, ValueKind kind, const QString& name) {
    if (!value.isValid() || value.isNull())
        return {};
    const QString text = value.toString().trimmed();
    switch (kind) {
    case ValueKind::Date: {
        if (value.typeId() == QMetaType::QDate)
            return value;
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().date();
        for (const char* format : {"yyyy-MM-dd", "dd/MM/yyyy", "d/M/yyyy"}) {
            const QDate d = QDate::fromString(text, QLatin1String(format));
            if (d.isValid())
                return d;
        }
        throw ReportError(
            QStringLiteral("The parameter %1 needs a date (yyyy-mm-dd), not \"%2\"").arg(name, text));
    }
    case ValueKind::Number: {
        bool ok = false;
        const qlonglong n = text.toLongLong(&ok);
        if (ok)
            return n;
        const double d = text.toDouble(&ok);
        if (ok)
            return d;
        throw ReportError(QStringLiteral("The parameter %1 needs a number, not \"%2\"").arg(name, text));
    }
    case ValueKind::Time:
    case ValueKind::Text:
        break;
    }
    return value.toString();
}

} // namespace wb::report
