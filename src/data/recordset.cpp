#include "recordset.h"

#include "numbercheck.h"
#include "textcheck.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>
#include <QTime>

namespace wb {

namespace {

QString findBaseTable(const QString& sql) {
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = from.match(sql);
    return m.hasMatch() ? m.captured(1) : QString();
}

ColType typeOfValue(const QVariant& v) {
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return ColType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return ColType::Double;
    case QMetaType::QDate:
        return ColType::Date;
    case QMetaType::QTime:
        return ColType::Time;
    case QMetaType::QDateTime:
        return ColType::Timestamp;
    default:
        return ColType::Text;
    }
}

// The digits of s[from, from + n) as a number; -1 when one of them is not a digit.
int digits(const QString& s, int from, int n) {
    int v = 0;
    for (int i = from; i < from + n; ++i) {
        const char16_t ch = s.at(i).unicode();
        if (ch < u'0' || ch > u'9')
            return -1;
        v = v * 10 + (ch - u'0');
    }
    return v;
}

// The engine's own form "yyyy-MM-dd" (what the embedded database keeps), read without a format
// parser; an invalid date when the text has another form.
QDate isoDate(const QString& s) {
    if (s.size() < 10 || s.at(4) != u'-' || s.at(7) != u'-')
        return {};
    const int y = digits(s, 0, 4);
    const int m = digits(s, 5, 2);
    const int d = digits(s, 8, 2);
    return y < 0 || m < 0 || d < 0 ? QDate() : QDate(y, m, d);
}

// "HH:mm:ss" from position `from`, with an optional ".zzz" after it; invalid for any other form.
QTime isoTime(const QString& s, int from) {
    const int n = static_cast<int>(s.size()) - from;
    if (n != 8 && n != 12)
        return {};
    if (s.at(from + 2) != u':' || s.at(from + 5) != u':' || (n == 12 && s.at(from + 8) != u'.'))
        return {};
    const int h = digits(s, from, 2);
    const int m = digits(s, from + 3, 2);
    const int sec = digits(s, from + 6, 2);
    const int ms = n == 12 ? digits(s, from + 9, 3) : 0;
    return h < 0 || m < 0 || sec < 0 || ms < 0 ? QTime() : QTime(h, m, sec, ms);
}

QDate parseDate(const QString& s) {
    if (s.size() == 10) {
        const QDate iso = isoDate(s);
        if (iso.isValid())
            return iso;
    }
    const QString t = s.trimmed();
    for (const char* format : {"dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-dd", "dd-MM-yyyy"}) {
        const QDate d = QDate::fromString(t, QLatin1String(format));
        if (d.isValid())
            return d;
    }
    const QDateTime dt = QDateTime::fromString(t, Qt::ISODate);
    return dt.isValid() ? dt.date() : QDate();
}

QTime parseTime(const QString& s) {
    const QTime iso = isoTime(s, 0);
    if (iso.isValid())
        return iso;
    const QString t = s.trimmed();
    for (const char* format : {"HH:mm:ss", "HH:mm", "H:mm", "HH:mm:ss.zzz"}) {
        const QTime time = QTime::fromString(t, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    return {};
}

QDateTime parseTimestamp(const QString& s) {
    if (s.size() >= 19 && (s.at(10) == u'T' || s.at(10) == u' ')) {
        const QDate date = isoDate(s);
        const QTime time = isoTime(s, 11);
        if (date.isValid() && time.isValid())
            return QDateTime(date, time);
    }
    const QString t = s.trimmed();
    QDateTime dt = QDateTime::fromString(t, Qt::ISODate);
    if (!dt.isValid())
        dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(t, QStringLiteral("dd/MM/yyyy hh:mm:ss AP"));
    if (!dt.isValid())
        dt = QDateTime::fromString(t, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    return dt;
}

} // namespace

void Recordset::Open(const QString& sql, Connection& con, const QVariantList& params) {
    Close();
    QSqlQuery q = con.query(sql, params);
    baseTable_ = findBaseTable(sql);
    const Table* t = Schema::table(baseTable_);
    if (t)
        baseTable_ = t->name;
    const QSqlRecord record = q.record();
    fields_.resize(record.count());
    for (int i = 0; i < record.count(); ++i) {
        FieldInfo& f = fields_[i];
        f.name = record.fieldName(i);
        const Column* c = t ? t->column(f.name) : nullptr;
        if (c) {
            f.type = c->type;
            f.definedSize = c->type == ColType::Text ? c->size : 0;
            f.precision = c->precision;
            f.scale = c->scale;
            f.fromSchema = true;
        } else {
            f.type = typeOfValue(QVariant(record.field(i).metaType()));
            f.precision = 0;
        }
    }
    while (q.next()) {
        QVector<QVariant> row(record.count());
        for (int i = 0; i < record.count(); ++i)
            row[i] = normalise(fields_[i], q.value(i));
        rows_.append(std::move(row));
    }
    q.finish();
    changed_.fill(QVector<bool>(fields_.size(), false), rows_.size());
    isNewRow_.fill(false, rows_.size());
    originalKey_.resize(rows_.size());
    if (t && !t->key.isEmpty()) {
        const int k = fieldIndex(t->key);
        if (k >= 0)
            for (qsizetype r = 0; r < rows_.size(); ++r)
                originalKey_[r] = rows_[r][k];
    }
    pos_ = 0;
    con_ = &con;
}

QVector<QVector<QVariant>> Recordset::takeRows() {
    QVector<QVector<QVariant>> rows = std::move(rows_);
    rows_.clear();
    changed_.clear();
    isNewRow_.clear();
    originalKey_.clear();
    pos_ = 0;
    return rows;
}

void Recordset::Close() {
    con_ = nullptr;
    baseTable_.clear();
    fields_.clear();
    rows_.clear();
    changed_.clear();
    isNewRow_.clear();
    originalKey_.clear();
    pos_ = 0;
}

void Recordset::MoveNext() {
    if (isEOF())
        throw DbError(QStringLiteral("There is no current record: the end of the rows was reached."));
    ++pos_;
}

int Recordset::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FieldInfo& Recordset::fieldInfo(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("The record set has no field \"%1\".").arg(name));
    return fields_[i];
}

QStringList Recordset::fieldNames() const {
    QStringList names;
    for (const auto& f : fields_)
        names << f.name;
    return names;
}

void Recordset::requireCurrent() const {
    if (!con_)
        throw DbError(QStringLiteral("The record set is closed."));
    if (pos_ < 0 || pos_ >= rows_.size())
        throw DbError(
            QStringLiteral("There is no current record (the row may have been deleted by another user)."),
            DbError::Kind::NotFound);
}

QVariant Recordset::Fields(const QString& name) const {
    requireCurrent();
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("The record set has no field \"%1\".").arg(name));
    return rows_[pos_][i];
}

QString Recordset::text(const QString& name) const {
    const QVariant v = Fields(name);
    if (v.isNull())
        return {};
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss AP"));
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

QVariant Recordset::normalise(const FieldInfo& field, const QVariant& raw) const {
    if (raw.isNull())
        return {};
    if (!field.fromSchema) {
        if (raw.metaType().id() == QMetaType::Int || raw.metaType().id() == QMetaType::LongLong)
            return raw.toLongLong();
        return raw;
    }
    switch (field.type) {
    case ColType::Integer:
        return raw.toLongLong();
    case ColType::Decimal:
    case ColType::Double:
        return raw.toDouble();
    case ColType::Date:
        return raw.metaType().id() == QMetaType::QDate ? raw : QVariant(parseDate(raw.toString()));
    case ColType::Time:
        return raw.metaType().id() == QMetaType::QTime ? raw : QVariant(parseTime(raw.toString()));
    case ColType::Timestamp:
        return raw.metaType().id() == QMetaType::QDateTime ? raw : QVariant(parseTimestamp(raw.toString()));
    case ColType::Text:
        return raw.toString();
    }
    return raw;
}

QVariant Recordset::toColumnValue(const FieldInfo& field, const QVariant& value) const {
    if (value.isNull() || !value.isValid())
        return {};
    if (!field.fromSchema)
        return value;
    const QString text = value.toString();
    switch (field.type) {
    case ColType::Integer:
    case ColType::Decimal:
    case ColType::Double:
        return columnNumber(Column{field.name, field.type, 0, field.precision, field.scale}, value);
    case ColType::Date: {
        const QDate d = value.metaType().id() == QMetaType::QDate       ? value.toDate()
                        : value.metaType().id() == QMetaType::QDateTime ? value.toDateTime().date()
                                                                        : parseDate(text);
        if (!d.isValid())
            throw DbError(QStringLiteral("\"%1\" is not a date: choose the date again and save.").arg(text));
        return d;
    }
    case ColType::Time: {
        const QTime t = value.metaType().id() == QMetaType::QTime ? value.toTime() : parseTime(text);
        if (!t.isValid())
            throw DbError(
                QStringLiteral("\"%1\" is not a time of day: type hours and minutes, then save again.")
                    .arg(text));
        return t;
    }
    case ColType::Timestamp: {
        const QDateTime dt =
            value.metaType().id() == QMetaType::QDateTime ? value.toDateTime() : parseTimestamp(text);
        if (!dt.isValid())
            throw DbError(
                QStringLiteral("\"%1\" is not a date and time: correct it, then save again.").arg(text));
        return dt;
    }
    case ColType::Text:
        refuseUnstorableText(text);
        if (field.definedSize > 0 && characterCount(text) > field.definedSize)
            throw DbError(QStringLiteral("A text is too long: at most %1 characters. Shorten it, then "
                                         "save again.")
                              .arg(field.definedSize),
                          DbError::Kind::TooLong)
                .tooLongFor(field.name, field.definedSize);
        return text;
    }
    return value;
}

void Recordset::setField(const QString& name, const QVariant& value) {
    requireCurrent();
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("The record set has no field \"%1\".").arg(name));
    rows_[pos_][i] = toColumnValue(fields_[i], value);
    changed_[pos_][i] = true;
}

void Recordset::AddNew() {
    if (!con_)
        throw DbError(QStringLiteral("The record set is closed."));
    rows_.append(QVector<QVariant>(fields_.size()));
    changed_.append(QVector<bool>(fields_.size(), false));
    isNewRow_.append(true);
    originalKey_.append(QVariant());
    pos_ = rows_.size() - 1;
}

const Table* Recordset::table() const {
    return Schema::table(baseTable_);
}

void Recordset::Update() {
    requireCurrent();
    const Table* t = table();
    if (!t)
        throw DbError(QStringLiteral("The rows of this query cannot be written (no table)."));
    QVector<QVariant>& row = rows_[pos_];
    QVector<bool>& changed = changed_[pos_];
    const int keyIndex = t->key.isEmpty() ? -1 : fieldIndex(t->key);

    // Column names as the schema spells them; bound values in the same order.
    QStringList columns;
    QVariantList values;
    for (int i = 0; i < fields_.size(); ++i) {
        if (!changed[i])
            continue;
        if (isNewRow_[pos_] && t->keyByDatabase && i == keyIndex)
            continue;
        const Column* c = t->column(fields_[i].name);
        if (!c)
            throw DbError(QStringLiteral("\"%1\" is not a column of %2.").arg(fields_[i].name, t->name));
        columns << c->name;
        values << row[i];
    }

    if (isNewRow_[pos_]) {
        QString sql;
        if (columns.isEmpty() && t->keyByDatabase)
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(t->name);
        else
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(t->name, columns.join(','),
                           QStringList(columns.size(), QStringLiteral("?")).join(','));
        if (t->keyByDatabase) {
            sql += QStringLiteral(" RETURNING ") + t->key;
            const QVariant key = con_->scalar(sql, values);
            if (keyIndex >= 0)
                row[keyIndex] = key.toLongLong();
            originalKey_[pos_] = key.toLongLong();
        } else {
            con_->Execute(sql, values);
            if (keyIndex >= 0)
                originalKey_[pos_] = row[keyIndex];
        }
    } else if (!columns.isEmpty()) {
        if (t->key.isEmpty() || keyIndex < 0)
            throw DbError(
                QStringLiteral("The row of %1 cannot be changed: its key was not read.").arg(t->name));
        QStringList sets;
        for (const QString& c : columns)
            sets << c + QStringLiteral(" = ?");
        values << originalKey_[pos_];
        const int affected = con_->Execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                                               .arg(t->name, sets.join(QStringLiteral(", ")), t->key),
                                           values);
        if (affected == 0)
            throw DbError(QStringLiteral("The row was not found: another user may have deleted it."),
                          DbError::Kind::NotFound);
        originalKey_[pos_] = row[keyIndex];
    }
    changed.fill(false);
    isNewRow_[pos_] = false;
}

} // namespace wb
