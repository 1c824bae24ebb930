#pragma once

#include <QVariantMap>

class QWidget;

namespace wb {
class Recordset;
}

// The slip header's boxes: the text boxes and combos of the slip screen designed with Tag "M", each
// bound to the SLIPS_MASTER column of its DataField.
namespace wb::slips {

// The header values by column, as the save writes them: an empty box is Null, a combo its text (an
// empty combo the empty text, not Null).
QVariantMap masterValues(const QWidget* root);
// Shows the header row the record set stands on in the boxes and combos, without running the boxes'
// change handlers.
void showMaster(const QWidget* root, const Recordset& rs);
// Reads the slip `key` with its doctors' and panel's names into the shared record set, on its row;
// false when there is no such slip.
bool readSlip(qint64 key);

} // namespace wb::slips
