#include "slipprint.h"

#include "common/printing.h"
#include "ui/msgbox.h"

#include <exception>

namespace wb::slips {

void printSlip(QWidget* owner, const QString& key) {
    if (key.isEmpty())
        return;
    common::printReport(owner, QStringLiteral("rpt_Pat_master_slip.rpt"),
                        QStringLiteral("{SLIPS_MASTER.Row_no} = ") + key, key);
}

QString failureOf(const std::function<void()>& print) {
    try {
        print();
        return {};
    } catch (const std::exception& e) {
        const QString text = QString::fromUtf8(e.what());
        return text.isEmpty() ? QStringLiteral("the report could not be made") : text;
    }
}

void tellNotPrinted(const QString& key, const QString& failure) {
    ui::MsgBox(
        QStringLiteral("Slip No. %1 is saved, but it could not be printed: %2\n\nOpen it from the slip "
                       "list and print it again once printing works.")
            .arg(key, failure),
        ui::vbExclamation);
}

} // namespace wb::slips
