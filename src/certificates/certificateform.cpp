#include "certificateform.h"

#include "columnnames.h"
#include "data/recordset.h"
#include "timeofday.h"
#include "ui/clock.h"
#include "ui/guard.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

namespace wb::certificates {

// The register part of the definition goes to the pattern; the rest stays here.
CertificateForm::CertificateForm(CertificateDefinition definition)
    : RegisterForm(std::move(definition.reg)), cert_(std::move(definition)),
      doctors_(std::make_unique<DoctorPick>(QList<DoctorRole>{})) {}

void CertificateForm::bindCertificate(const CertificateControls& c) {
    bindControls(c.reg);
    doctors_ = std::make_unique<DoctorPick>(c.doctors);
    for (const DoctorRole& r : c.doctors)
        connect(r.find, &QPushButton::clicked, this,
                ui::handler([this, l = r.letter] { doctors_->find(l); }));
    times_ = c.times;
    for (const TimeField& t : times_)
        setUpTimeBox(t.box);
    columns_ = c.columns;
    lists_ = c.lists;
    const QDate today = ui::Clock::now().date();
    for (QDateEdit* d : findChildren<QDateEdit*>())
        d->setDate(today);

    const auto on = [this](QPushButton* b, void (CertificateForm::*slot)()) {
        if (b)
            connect(b, &QPushButton::clicked, this, ui::handler([this, slot] { (this->*slot)(); }));
    };
    on(c.find, &CertificateForm::cmdfind_Click);
    on(c.showAll, &CertificateForm::cmdshowall_Click);
    on(c.searchCancel, &CertificateForm::cmds_cancel_Click);
    if (c.searchBox) {
        txt_s_value = c.searchBox;
        connect(c.searchBox, &QLineEdit::textChanged, this, ui::handler([this] { txt_s_val_Change(); }));
    }
}

void CertificateForm::Form_Activate() {
    if (cert_.maximiseOnActivate && subWindow() && !subWindow()->isMaximized())
        subWindow()->showMaximized();
    doctors_->take();
}

void CertificateForm::fillFixedLists() {
    for (const FixedList& l : lists_) {
        l.box->addItems(l.items);
        l.box->setCurrentIndex(0);
    }
    if (cert_.timesAtOpening)
        for (const TimeField& t : times_)
            showTime(t.box, ui::Clock::now().time());
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
    if (cert_.confirmColumns) {
        const bool isNew = !keyBox || keyBox->text().isEmpty();
        confirmColumnNames(boundBoxes(), definition().skipped, keyBox, isNew);
    }
    return true;
}

void CertificateForm::saveSteps(Recordset& rs) {
    for (auto it = timeValues_.cbegin(); it != timeValues_.cend(); ++it)
        rs.setField(it.key(), it.value());
    for (const ColumnControl& c : columns_)
        c.write(rs);
}

void CertificateForm::readExplicit(Recordset& rs) {
    for (const ColumnControl& c : columns_)
        c.read(rs);
    for (const TimeField& t : times_)
        showTime(t.box, rs.Fields(t.column).toTime());
    doctors_->showStored(rs);
}

void CertificateForm::clearExtra() {
    doctors_->clearNames();
}

} // namespace wb::certificates
