#pragma once

#include <QtGlobal>

class QLineEdit;

// The money boxes of a slip: the total bill, the net amount (equal to it), the cash received, the
// balance left unpaid and the discount, which is whatever part of the net amount is neither received
// nor left as balance. Amounts are exact to the cent (see money.h).
namespace wb::slips {

struct SlipAmounts {
    QLineEdit* amount;
    QLineEdit* discount;
    QLineEdit* net;
    QLineEdit* cash;
    QLineEdit* balance;

    // Shows the total of the lines as total bill and net amount; an empty discount becomes "0". The
    // cash and the balance typed so far are then held against the new net by their own rules.
    void showTotal(qint64 cents) const;
    // After the cash changed: more than the net amount is refused with a message and emptied; the
    // discount follows (empty without cash, or when it would be negative).
    void cashChanged() const;
    // After the balance changed: more than is left after the cash is emptied silently; the discount
    // follows (empty when it would be negative).
    void balanceChanged() const;
    // Before a save: cash and balance together above the net amount are refused with the cash
    // message (the focus to the cash box, false); otherwise the discount becomes what is neither
    // received nor left as balance, so that the stored slip adds up.
    bool settle() const;
};

} // namespace wb::slips
