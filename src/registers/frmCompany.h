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

    // A pick on an empty row forgets the loaded company: the next save adds a new one.
    void Msh_DblClick() override;

    Ui::frmCompany* ui() const { return ui_.get(); }

protected:
    void clearExtra() override;
    // The companies whose name contains the search text (all of them for an empty text).
    QString searchQuery(const QString& criterion, QVariantList& params) const override;
    bool validate() override;
    void saveSteps(wb::Recordset& rs) override;
    void loadPicked(int row) override;

private:
    // Checks a tax box: an empty box or a complete number passes; a number with digits missing
    // is refused with its message and the focus goes to the box.
    bool taxNumberComplete(QLineEdit* box, const QString& name);

    std::unique_ptr<Ui::frmCompany> ui_;
};
