#pragma once

#include "connection.h"
#include "schema.h"

#include <QStringList>
#include <QVariant>
#include <QVector>

namespace wb {

// What a field of a record set is: its name, base table column and defined size or precision.
struct FieldInfo {
    QString name;
    ColType type = ColType::Text;
    int definedSize = 0; // text columns: the column size; others 0
    int precision = 0;   // numeric columns: their digits; text columns: the size
    int scale = 0;       // decimal columns: their places after the point
    bool fromSchema = false;
};

// A client-side copy of a query's rows: exact record count, moves, fields by name regardless of
// case, Null distinct from the empty text, and AddNew / field assignment / Update writing the
// base table (the first table after FROM) with bound parameters.
class Recordset {
public:
    static constexpr int adStateClosed = 0;
    static constexpr int adStateOpen = 1;

    void Open(const QString& sql, Connection& con, const QVariantList& params = {});
    void Close();
    int State() const { return con_ ? adStateOpen : adStateClosed; }

    int RecordCount() const { return static_cast<int>(rows_.size()); }
    bool isEOF() const { return pos_ >= rows_.size(); }
    bool isBOF() const { return pos_ < 0 || rows_.isEmpty(); }
    void MoveFirst() { pos_ = 0; }
    void MoveNext();
    void MoveLast() { pos_ = rows_.isEmpty() ? 0 : rows_.size() - 1; }
    void Move(int index) { pos_ = index; }
    int AbsolutePosition() const { return static_cast<int>(pos_); }

    int fieldCount() const { return static_cast<int>(fields_.size()); }
    const FieldInfo& fieldInfo(int index) const { return fields_.at(index); }
    const FieldInfo& fieldInfo(const QString& name) const;
    int fieldIndex(const QString& name) const; // -1 when the record set has no such field
    QStringList fieldNames() const;

    // Value of the current row (raises when at EOF/BOF or the field is unknown).
    QVariant Fields(const QString& name) const;
    QVariant value(int row, int column) const { return rows_.at(row).at(column); }
    // The rows' values, moved out: the record set keeps its fields and has no rows left.
    QVector<QVector<QVariant>> takeRows();
    // The value as the text a box shows: Null becomes the empty text, dates dd/MM/yyyy.
    QString text(const QString& name) const;
    // Assigns a field of the current row; a null QVariant stores Null.
    void setField(const QString& name, const QVariant& value);

    void AddNew();
    // Writes the current row: INSERT for a row added by AddNew, UPDATE of the changed fields otherwise.
    void Update();

    const QString& baseTable() const { return baseTable_; }
    Connection* connection() const { return con_; }

private:
    const Table* table() const;
    void requireCurrent() const;
    QVariant normalise(const FieldInfo& field, const QVariant& raw) const;
    QVariant toColumnValue(const FieldInfo& field, const QVariant& value) const;

    Connection* con_ = nullptr;
    QString baseTable_;
    QVector<FieldInfo> fields_;
    QVector<QVector<QVariant>> rows_;
    QVector<QVector<bool>> changed_;
    QVector<bool> isNewRow_;
    QVector<QVariant> originalKey_;
    qsizetype pos_ = 0;
};

} // namespace wb
