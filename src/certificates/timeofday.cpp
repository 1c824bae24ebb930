#include "timeofday.h"

#include "ui/msgbox.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace wb::certificates {

void setUpTimeBox(QLineEdit* box) {
    box->setInputMask(QStringLiteral("99:99:99;_"));
}

void showTime(QLineEdit* box, const QTime& time) {
    box->setText(time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")) : QString());
}

bool readTime(QLineEdit* box, const QString& caption, QVariant& time) {
    const QString shown = box->displayText();
    if (!shown.contains(QRegularExpression(QStringLiteral("[0-9]")))) {
        time = QVariant();
        return true;
    }
    const QTime t = QTime::fromString(shown, QStringLiteral("HH:mm:ss"));
    if (!t.isValid()) {
        ui::MsgBox(QStringLiteral("%1 \"%2\" is not a time of day: type hours, minutes and seconds "
                                  "(00:00:00 to 23:59:59).")
                       .arg(caption, shown),
                   ui::vbInformation);
        box->setFocus();
        return false;
    }
    time = t;
    return true;
}

} // namespace wb::certificates
