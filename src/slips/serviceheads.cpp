#include "serviceheads.h"

#include "data/recordset.h"
#include "session/module1.h"

#include <QListWidget>

namespace wb::slips {

using Module1::Rs;

void fillServiceHeads(QListWidget& list) {
    Module1::OpenRs(QStringLiteral("Select row_no,s_Name From Services Order By s_Name "));
    if (Rs->RecordCount() <= 0)
        return;
    list.clear();
    for (Rs->MoveFirst(); !Rs->isEOF(); Rs->MoveNext()) {
        auto* item = new QListWidgetItem(Rs->text(QStringLiteral("s_Name")), &list);
        item->setData(Qt::UserRole, Rs->Fields(QStringLiteral("row_no")).toLongLong());
    }
}

QString chosenHeadsFormula(const QListWidget& list, const QString& field) {
    QString formula;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem* item = list.item(i);
        if (!item->isSelected())
            continue;
        if (!formula.isEmpty())
            formula += QStringLiteral(" or ");
        formula += field + QStringLiteral(" = ") + QString::number(item->data(Qt::UserRole).toLongLong());
    }
    return formula;
}

} // namespace wb::slips
