#pragma once

#include "common/registerform.h"

#include <memory>

class QLineEdit;

namespace Ui {
class frmCompany;
}

// The company profile: the companies under whose name the accounts are printed, and which one of
// them is the active company the account reports select.
class frmCompany : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frmCompany();
    ~frmCompany() override;

    void Form_Load() override;
    void FillGird(const QString& criterion) override;
    void FillGrid() { FillGird(QString()); }

    void cmdNew_Click();
    void cmdDelete_Click() override;
    void cmdCancel_Click() override;
    void Msh_DblClick() override;

    Ui::frmCompany* ui() const { return ui_.get(); }

protected:
    void clearExtra() override;
    QString searchQuery(const QString& criterion, QVariantList& params) const override;
    QWidget* firstEntryBox() const override;

private:
    // Checks a tax box: an empty box or a complete number passes; a number with digits missing
    // is refused with its message and the focus goes to the box.
    bool taxNumberComplete(QLineEdit* box, const QString& name);
    void saveCompany();

    std::unique_ptr<Ui::frmCompany> ui_;
};
