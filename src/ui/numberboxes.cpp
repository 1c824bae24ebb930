#include "numberboxes.h"

#include "binding.h"
#include "data/dberror.h"
#include "data/numbercheck.h"
#include "data/schema.h"
#include "errortext.h"
#include "msgbox.h"

#include <QLineEdit>

namespace wb::ui {

bool numbersFit(const QWidget* window, const QList<QLineEdit*>& boxes, const QString& table) {
    const Table* t = Schema::table(table);
    if (!t)
        return true;
    for (QLineEdit* box : boxes) {
        const Column* c = t->column(dataField(box));
        if (!c || (c->type != ColType::Integer && c->type != ColType::Decimal && c->type != ColType::Double))
            continue;
        try {
            columnNumber(*c, box->text());
        } catch (const DbError& e) {
            MsgBox(userText(e, window), vbInformation);
            box->setFocus();
            return false;
        }
    }
    return true;
}

} // namespace wb::ui
