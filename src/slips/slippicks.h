#pragma once

#include <QString>

namespace Ui {
class frm_Test_Slips;
}

namespace wb::common {
class PickRequests;
}

// The slip screen's side of the pick protocol: what the pick lists hand back through Module1.
namespace wb::slips {

// On each activation, in this order: a rate-list test with its service head and rate, a checkup
// ("O") or referring ("R") doctor, an employee, a registered patient, an admission, each only when
// it answers the screen's own last Find of that list (`asked`). Each pick is consumed.
// A referring doctor's panel status goes to `referrerStatus` and shows or hides the employee frame
// (hiding it empties its boxes).
void takePicks(Ui::frm_Test_Slips& u, QString& referrerStatus, common::PickRequests& asked);

} // namespace wb::slips
