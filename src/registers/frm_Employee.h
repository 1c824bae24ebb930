#pragma once

#include "common/registerform.h"

#include <memory>

namespace Ui {
class frm_Employee;
}

// The employee register: the hospital's employees with their relation, and the employee pick list
// of the slip screen.
class frm_Employee : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_Employee();
    ~frm_Employee() override;

    Ui::frm_Employee* ui() const { return ui_.get(); }

    // The seven relations of the relation list, in their order.
    static const QStringList& relations();

protected:
    void fillFixedLists() override;
    bool validate() override;
    void saveSteps(wb::Recordset& rs) override;
    void readExplicit(wb::Recordset& rs) override;
    void loadPicked(int row) override;
    void writePickVariables(int row) override;

private:
    std::unique_ptr<Ui::frm_Employee> ui_;
};
