#pragma once

#include "common/registerform.h"

#include <memory>

namespace Ui {
class frm_Doc_Infor;
}

// The doctor register: doctors and panel doctors in one table, told apart by their status. The
// Doctors/Panels options switch the entry page between the full doctor layout and the name-only
// panel layout. The window is also the doctor pick list of the slip, admission, observation,
// operation, account-report and certificate screens.
class frm_Doc_Infor : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_Doc_Infor();
    ~frm_Doc_Infor() override;

    void Form_Load() override;
    void Form_Activate() override;
    void FillGird(const QString& criterion = QString()) override;

    void cmb_s_cri_Change() override;

    // Whether the grid holds the panel query's rows (key, name, status) rather than the doctor
    // column list.
    bool gridHoldsPanels() const { return gridHoldsPanels_; }

    Ui::frm_Doc_Infor* ui() const { return ui_.get(); }

protected:
    const QList<wb::common::RegisterDefinition::GridColumn>& gridColumns() const override;
    void saveSteps(wb::Recordset& rs) override;
    void readExplicit(wb::Recordset& rs) override;
    void writePickVariables(int row) override;

private:
    // The Doctors/Panels options: the doctor layout or the name-only panel layout.
    void switchLayout(bool doctors);

    std::unique_ptr<Ui::frm_Doc_Infor> ui_;
    bool gridHoldsPanels_ = false;
};
