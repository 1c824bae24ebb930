#include "certificateform.h"

#include "columnnames.h"
#include "data/recordset.h"
#include "session/module1.h"
#include "timeofday.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"

#include <QLineEdit>
#include <QMdiSubWindow>

namespace wb::certificates {

CertificateForm::CertificateForm(common::RegisterDefinition definition)
    : RegisterForm(std::move(definition)), doctors_(std::make_unique<DoctorPick>(QList<DoctorRole>{})) {}

void CertificateForm::setDoctorRoles(QList<DoctorRole> roles) {
    doctors_ = std::make_unique<DoctorPick>(std::move(roles));
}

void CertificateForm::bindSearchBox(QLineEdit* box, std::function<void()> onChange) {
    txt_s_value = box;
    connect(box, &QLineEdit::textChanged, this, ui::handler(std::move(onChange)));
}

void CertificateForm::Form_Activate() {
    if (maximise_ && subWindow() && !subWindow()->isMaximized())
        subWindow()->showMaximized();
    doctors_->take();
}

bool CertificateForm::validate() {
    // Every time is checked before the first message box of the save, so that a refused time
    // writes nothing and asks nothing.
    timeValues_.clear();
    for (const TimeField& t : times_) {
        QVariant value;
        if (!readTime(t.box, t.caption, value))
            return false;
        timeValues_.insert(t.column, value);
    }
    if (confirmColumns_) {
        const bool isNew = !keyBox || keyBox->text().isEmpty();
        confirmColumnNames(boundBoxes(), definition().skipped, keyBox, isNew);
    }
    return true;
}

void CertificateForm::saveSteps(Recordset& rs) {
    for (auto it = timeValues_.cbegin(); it != timeValues_.cend(); ++it)
        rs.setField(it.key(), it.value());
}

void CertificateForm::clearExtra() {
    doctors_->clearNames();
}

void CertificateForm::readTimes(Recordset& rs) {
    for (const TimeField& t : times_)
        showTime(t.box, rs.Fields(t.column).toTime());
}

QString CertificateForm::selectListWithClockTimes() const {
    const Dialect& d = Module1::Con->dialect();
    QStringList parts;
    for (const auto& c : definition().grid) {
        const QString expression = c.expression.isEmpty() ? c.field : c.expression;
        bool isTime = false;
        for (const TimeField& t : times_)
            isTime = isTime || t.column.compare(c.field, Qt::CaseInsensitive) == 0;
        // A clock text under the column's own name would be read back as a time: it gets a name of its own.
        parts << (isTime ? d.timeAsHourMinuteAmPm(expression) + QStringLiteral(" AS clock_") + c.field
                         : expression + QStringLiteral(" AS ") + c.field);
    }
    return parts.join(QLatin1Char(','));
}

void CertificateForm::bindListing(const QString& sql, const QVariantList& params) {
    Module1::OpenRs(sql, params);
    Msh->Clear();
    Msh->setRedraw(false);
    Msh->bind(*Module1::Rs);
    Msh->setRedraw(true);
    setGrid();
}

} // namespace wb::certificates
