#include "columncontrol.h"

#include "data/recordset.h"
#include "ui/binding.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRegularExpression>
#include <stdexcept>

namespace wb::certificates {

ColumnControl::ColumnControl(QComboBox* box) : ColumnControl(box, Kind::Combo) {}
ColumnControl::ColumnControl(QDateEdit* picker) : ColumnControl(picker, Kind::Date) {}
ColumnControl::ColumnControl(QLineEdit* maskedBox) : ColumnControl(maskedBox, Kind::Masked) {}

ColumnControl::ColumnControl(QWidget* control, Kind kind)
    : control_(control), kind_(kind), column_(control ? ui::dataField(control) : QString()) {
    if (column_.isEmpty())
        throw std::logic_error(QStringLiteral("%1 has no DataField to be written to")
                                   .arg(control ? control->objectName() : QStringLiteral("a missing control"))
                                   .toStdString());
}

void ColumnControl::write(Recordset& rs) const {
    switch (kind_) {
    case Kind::Combo:
        rs.setField(column_, static_cast<QComboBox*>(control_)->currentText());
        break;
    case Kind::Date:
        rs.setField(column_, static_cast<QDateEdit*>(control_)->date());
        break;
    case Kind::Masked: {
        const QString text = static_cast<QLineEdit*>(control_)->text();
        rs.setField(column_,
                    text.contains(QRegularExpression(QStringLiteral("[0-9]"))) ? QVariant(text) : QVariant());
        break;
    }
    }
}

void ColumnControl::read(Recordset& rs) const {
    switch (kind_) {
    case Kind::Combo:
        static_cast<QComboBox*>(control_)->setCurrentText(rs.text(column_));
        break;
    case Kind::Date:
        if (const QDate d = rs.Fields(column_).toDate(); d.isValid())
            static_cast<QDateEdit*>(control_)->setDate(d);
        break;
    case Kind::Masked:
        static_cast<QLineEdit*>(control_)->setText(rs.text(column_));
        break;
    }
}

} // namespace wb::certificates
