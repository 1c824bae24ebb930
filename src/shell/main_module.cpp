#include "module1.h"

#include <QLabel>

namespace Module1 {

void Main() {
    CreateShared();
    auto* placeholder = new QLabel(QStringLiteral("Wardbook"));
    placeholder->setAttribute(Qt::WA_DeleteOnClose);
    placeholder->show();
}

void ApplyMenuRights() {}

} // namespace Module1
