#pragma once

#include <QString>

class QListWidget;

namespace wb::slips {

// The service heads as a list to choose from, for the head-wise report: each item shows a head's
// s_Name and keeps its row_no, in name order. Without any head the list is left as it is. Reads the
// shared record set.
void fillServiceHeads(QListWidget& list);

// The selection over the chosen heads, in list order: "{field} = 3 or {field} = 7" (no parentheses);
// empty when no head is chosen.
QString chosenHeadsFormula(const QListWidget& list, const QString& field);

} // namespace wb::slips
