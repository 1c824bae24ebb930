#include "inpatientboxes.h"

#include "session/module1.h"
#include "ui/binding.h"
#include "ui/guard.h"

#include <QTimer>

namespace wb::inpatient {

void fillList(QComboBox* combo, const QStringList& items) {
    combo->addItems(items);
    combo->setCurrentIndex(0);
}

QTimer* everySecond(QObject* owner, const std::function<void()>& tick) {
    auto* timer = new QTimer(owner);
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, owner, ui::handler(tick));
    timer->start();
    return timer;
}

bool timeBoxIsComplete(QLineEdit* timeBox) {
    if (timeOfBox(timeBox->text()).isValid())
        return true;
    ui::MsgBox(QStringLiteral("please enter Time as HH:MM:SS"), ui::vbInformation);
    timeBox->setFocus();
    return false;
}

void limitToColumns(const QList<QLineEdit*>& boxes, QLineEdit* ageBox) {
    Module1::OpenRs(QStringLiteral("select * from Addmission where 0 = 1"));
    const auto& rs = *Module1::Rs;
    const auto limit = [](QLineEdit* b, const FieldInfo& f) {
        const int length = f.type == ColType::Text ? f.definedSize : f.precision;
        if (length > 0)
            b->setMaxLength(length);
    };
    for (QLineEdit* b : boxes) {
        const int i = rs.fieldIndex(ui::dataField(b));
        if (i >= 0)
            limit(b, rs.fieldInfo(i));
    }
    const int age = rs.fieldIndex(QStringLiteral("Age"));
    if (age >= 0)
        limit(ageBox, rs.fieldInfo(age));
}

} // namespace wb::inpatient
