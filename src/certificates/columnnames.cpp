#include "columnnames.h"

#include "ui/binding.h"
#include "ui/msgbox.h"

#include <QLineEdit>

namespace wb::certificates {

void confirmColumnNames(const QList<QLineEdit*>& boxes, const QStringList& skipped, const QLineEdit* keyBox,
                        bool isNew) {
    for (const QLineEdit* b : boxes) {
        if (skipped.contains(b->objectName(), Qt::CaseInsensitive))
            continue;
        if (!b->text().isEmpty() || (isNew && b == keyBox))
            ui::MsgBox(ui::dataField(b), ui::vbOKOnly);
    }
}

} // namespace wb::certificates
