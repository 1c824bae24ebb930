#pragma once

#include "common/picker.h"

#include <QList>
#include <QString>
#include <QVariant>

class QLineEdit;
class QPushButton;

namespace wb {
class Recordset;
}

namespace wb::certificates {

// The doctor boxes of a certificate window: per role letter ("C" consultant, "D" duty doctor) the
// hidden bound box that keeps the doctor's Row_no (its DataField names the column), the locked box
// that shows the name, and the Find button that asks for a doctor.
struct DoctorRole {
    QString letter;
    QLineEdit* code = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* find = nullptr;
};

// The taker side of the doctor pick for one window. Find opens the doctor register as a pick list
// for a role; when the window becomes active again it takes the picked doctor only when that pick
// answers its own last Find, for the role it asked, and consumes it. A doctor left in the shared
// variables by another screen or by editing in the doctor register never replaces the doctor of the
// certificate that is open, and a Find that ended without a pick leaves nothing to take.
class DoctorPick {
public:
    explicit DoctorPick(QList<DoctorRole> roles) : roles_(std::move(roles)) {}

    // Opens the doctor register on its search page at top 500, left 2200 twips (an open one is
    // shown as it is).
    void find(const QString& letter);
    // Form_Activate: takes a pending pick into its role's boxes.
    void take();
    // Shows a stored doctor: the key into the code box, the name looked up in doc (both empty for Null).
    void show(const QString& letter, const QVariant& doctorKey);
    // Shows the stored doctor of every role from the loaded row.
    void showStored(Recordset& rs);
    // A doctor picked for one of the roles before the window opened is no pick for it: the shared
    // variables are emptied.
    void discardEarlierPick();
    // Empties every name box (the code boxes are bound boxes, emptied with the others); a Find
    // still open is over.
    void clearNames();
    const QList<DoctorRole>& roles() const { return roles_; }

private:
    const DoctorRole* role(const QString& letter) const;
    QList<DoctorRole> roles_;
    common::PickRequests asked_;
};

} // namespace wb::certificates
