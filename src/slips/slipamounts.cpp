#include "slipamounts.h"

#include "money.h"
#include "ui/msgbox.h"

#include <QLineEdit>

namespace wb::slips {

using money::valueOf;

namespace {

const QString tooMuch = QStringLiteral("cash amount Equal or less then net amount");

} // namespace

void SlipAmounts::showTotal(qint64 cents) const {
    if (discount->text().isEmpty())
        discount->setText(QStringLiteral("0"));
    amount->setText(money::text(cents));
    net->setText(money::text(valueOf(amount->text())));
    if (!cash->text().isEmpty())
        cashChanged();
    if (!balance->text().isEmpty())
        balanceChanged();
}

void SlipAmounts::cashChanged() const {
    const auto netValue = [this] { return valueOf(net->text()); };
    const auto cashValue = [this] { return valueOf(cash->text()); };
    if (netValue() < cashValue()) {
        ui::MsgBox(tooMuch, ui::vbInformation);
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

bool SlipAmounts::settle() const {
    const qint64 netValue = valueOf(net->text());
    const qint64 received = valueOf(cash->text());
    const qint64 left = valueOf(balance->text());
    if (received + left > netValue) {
        ui::MsgBox(tooMuch, ui::vbInformation);
        cash->setFocus();
        return false;
    }
    discount->setText(money::text(netValue - received - left));
    return true;
}

} // namespace wb::slips
