#pragma once

#include "certificateform.h"

#include <memory>

namespace Ui {
class Brith_Certificate;
}

// The birth certificates: one row per birth delivered in the hospital, with the duty doctor picked
// from the doctor register; listed in mother-name order, searched, and printed one by one or all
// together.
class Brith_Certificate : public wb::certificates::CertificateForm {
    Q_OBJECT
public:
    Brith_Certificate();
    ~Brith_Certificate() override;

    void FillGird(const QString& criterion) override;
    void SetMaxlength() override;

    void dtpFrom_Change();
    void dtpTo_Change();

    Ui::Brith_Certificate* ui() const { return ui_.get(); }

protected:
    QString searchQuery(const QString& criterion, QVariantList& params) const override;

private:
    std::unique_ptr<Ui::Brith_Certificate> ui_;
};
