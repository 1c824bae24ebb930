#include "slipamounts.h"

#include "money.h"
#include "ui/msgbox.h"

#include <QLineEdit>

namespace wb::slips {

using money::valueOf;

void SlipAmounts::showTotal(qint64 cents) const {
    if (discount->text().isEmpty())
        discount->setText(QStringLiteral("0"));
    amount->setText(money::text(cents));
    net->setText(money::text(valueOf(amount->text())));
}

void SlipAmounts::cashChanged() const {
    const auto netValue = [this] { return valueOf(net->text()); };
    const auto cashValue = [this] { return valueOf(cash->text()); };
    if (netValue() < cashValue()) {
        ui::MsgBox(QStringLiteral("cash amount Equal or less then net amount"), ui::vbInformation);
        cash->clear();
    }
    if (cashValue() > 0)
        discount->setText(money::text(netValue() - cashValue() - valueOf(balance->text())));
    else
        discount->clear();
    if (valueOf(discount->text()) < 0)
        discount->clear();
}

void SlipAmounts::balanceChanged() const {
    const qint64 netValue = valueOf(net->text());
    const qint64 cashValue = valueOf(cash->text());
    if (netValue - cashValue < valueOf(balance->text()))
        balance->clear();
    discount->setText(money::text(netValue - cashValue - valueOf(balance->text())));
    if (valueOf(discount->text()) < 0)
        discount->clear();
}

bool amountsAreNumbers(std::initializer_list<AmountBox> boxes) {
    for (const auto& b : boxes) {
        const QString text = b.box->text().trimmed();
        if (text.isEmpty() || money::isAmount(text))
            continue;
        ui::MsgBox(QStringLiteral("%1 must be a number, such as 500 or 500.50.").arg(QLatin1String(b.what)),
                   ui::vbInformation);
        b.box->setFocus();
        return false;
    }
    return true;
}

} // namespace wb::slips
