#pragma once

#include "common/registerform.h"

#include <QVariant>
#include <memory>

namespace Ui {
class frm_Rate_List;
}

// The rate list: the tests that can be billed and their rates, shown and kept one service head at a
// time, and the test pick list of the slip screen (a pick hands back the test, its rate and its head).
class frm_Rate_List : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_Rate_List();
    ~frm_Rate_List() override;

    // Always the tests of the chosen head, whether or not a test is loaded.
    void cmdPrint_Click() override;

    // A new head chosen in the service combo: the title shows it and the grid lists its tests.
    void data_cmbo_ser_name_Change();
    // The combo's bound value: the chosen head's Row_no, or an invalid value when none is chosen.
    QVariant boundValue() const;

    // The service heads behind the combo, read once when the window loads.
    wb::Recordset* rsService() const { return rsService_.get(); }
    Ui::frm_Rate_List* ui() const { return ui_.get(); }

protected:
    void fillFixedLists() override;
    // The tests of the chosen head whose name contains the search text.
    QString searchQuery(const QString& criterion, QVariantList& params) const override;
    bool validate() override;
    void saveSteps(wb::Recordset& rs) override;
    void loadPicked(int row) override;
    void writePickVariables(int row) override;

private:
    std::unique_ptr<Ui::frm_Rate_List> ui_;
    std::unique_ptr<wb::Recordset> rsService_;
};
