#include "slipprint.h"

#include "common/printing.h"
#include "data/dberror.h"
#include "ui/errortext.h"
#include "ui/msgbox.h"

#include <exception>

namespace wb::slips {

void printSlip(QWidget* owner, const QString& key) {
    if (key.isEmpty())
        return;
    common::printReport(owner, QStringLiteral("rpt_Pat_master_slip.rpt"),
                        QStringLiteral("{SLIPS_MASTER.Row_no} = ") + key, key);
}

namespace {

// Runs `f`; the text of what went wrong (empty when it succeeded), and whether the database said it.
QString failureOf(const std::function<void()>& f, bool& fromDatabase) {
    fromDatabase = false;
    try {
        f();
        return {};
    } catch (const DbError& e) {
        fromDatabase = true;
        return ui::userText(e, ui::workingWindow());
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

} // namespace

void printThenRefresh(QWidget* owner, const QString& key, const std::function<void()>& refresh) {
    bool printByDatabase = false, refreshByDatabase = false;
    const QString printFailure = failureOf([&] { printSlip(owner, key); }, printByDatabase);
    const QString refreshFailure = failureOf(refresh, refreshByDatabase);
    if (!printFailure.isEmpty()) {
        if (printByDatabase)
            ui::MsgBox(printFailure, ui::vbCritical);
        else
            tellNotPrinted(key, printFailure);
    }
    if (!refreshFailure.isEmpty() && refreshFailure != printFailure)
        ui::MsgBox(refreshFailure, ui::vbCritical);
}

} // namespace wb::slips
