#pragma once

#include "common/registerform.h"
#include "doctorpick.h"

#include <QMap>
#include <QVariant>

class QLineEdit;

namespace wb::certificates {

// A time box of a certificate, the caption its message names and the column it is written to.
struct TimeField {
    QLineEdit* box = nullptr;
    QString caption;
    QString column;
};

// What the three certificate windows share on top of the register pattern: the doctor boxes
// filled through the doctor pick, the time-of-day boxes checked before anything is written, the
// save's column-name message boxes (birth and discharge), the listings bound to the grid even when
// empty, and the windows that maximise whenever they become active (death and discharge).
class CertificateForm : public common::RegisterForm {
    Q_OBJECT
public:
    explicit CertificateForm(common::RegisterDefinition definition);

    void Form_Activate() override;

    DoctorPick* doctors() { return doctors_.get(); }

protected:
    // Set by the window's constructor, after setupUi.
    void setDoctorRoles(QList<DoctorRole> roles);
    void setTimeFields(QList<TimeField> fields) { times_ = std::move(fields); }
    void setConfirmColumns(bool on) { confirmColumns_ = on; }
    void setMaximiseOnActivate(bool on) { maximise_ = on; }
    // Connects the search box (the certificates call it txt_s_val) to a handler.
    void bindSearchBox(QLineEdit* box, std::function<void()> onChange);

    bool validate() override;
    // Writes the checked times; a window's own fields follow in its override.
    void saveSteps(Recordset& rs) override;
    void clearExtra() override;
    // Shows the stored times of a loaded certificate in their boxes.
    void readTimes(Recordset& rs);

    // Runs a listing and binds its rows to the grid, an empty result included (header only).
    void bindListing(const QString& sql, const QVariantList& params = {});
    // The grid's select list with the time columns shown on the 12-hour clock (" 9:05AM").
    QString selectListWithClockTimes() const;

private:
    std::unique_ptr<DoctorPick> doctors_;
    QList<TimeField> times_;
    QMap<QString, QVariant> timeValues_;
    bool confirmColumns_ = false;
    bool maximise_ = false;
};

} // namespace wb::certificates
