#include "shiftlist.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "shiftrule.h"

#include <QComboBox>
#include <QTreeWidget>

namespace wb::slips {

void loadShifts(QTreeWidget* list) {
    list->clear();
    Module1::OpenRs(QStringLiteral("Select Shift,time_from,time_to from shift order by row_no"));
    auto& rs = *Module1::Rs;
    for (int r = 0; r < rs.RecordCount(); ++r) {
        rs.Move(r);
        auto* item = new QTreeWidgetItem(list);
        item->setText(0, rs.text(QStringLiteral("Shift")));
        item->setText(1, rs.text(QStringLiteral("time_from")));
        item->setText(2, rs.text(QStringLiteral("time_to")));
    }
}

void followShift(const QTreeWidget* list, QComboBox* shift, const QTime& now) {
    QList<ShiftTimes> shifts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        shifts.append({item->text(0), item->text(1), item->text(2)});
    }
    const QString letter = currentShift(shifts, now);
    if (!letter.isEmpty() && shift->currentText() != letter)
        shift->setEditText(letter);
}

} // namespace wb::slips
