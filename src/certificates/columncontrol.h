#pragma once

#include <QString>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QWidget;

namespace wb {
class Recordset;
}

namespace wb::certificates {

// A control that the save writes into its column and a loaded row is read back into, beside the
// bound text boxes: a combo box (its text), a date picker (its date) or a masked box (its text with
// the mask's separators; Null when no digit is typed). The column is the control's designed
// DataField; a control without one is a programming error, raised when the window is built.
class ColumnControl {
public:
    ColumnControl(QComboBox* box);
    ColumnControl(QDateEdit* picker);
    ColumnControl(QLineEdit* maskedBox);

    const QString& column() const { return column_; }
    void write(Recordset& rs) const;
    // A Null or invalid date leaves the picker as it is.
    void read(Recordset& rs) const;

private:
    enum class Kind { Combo, Date, Masked };
    ColumnControl(QWidget* control, Kind kind);
    QWidget* control_;
    Kind kind_;
    QString column_;
};

} // namespace wb::certificates
