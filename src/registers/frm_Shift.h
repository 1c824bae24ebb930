#pragma once

#include "common/registerform.h"

#include <memory>

namespace Ui {
class frm_Shift;
}

// The shift register: each shift's name and the times of day at which it starts and ends, listed
// in a plain grid. The slip screen reads the shifts to find the current one.
class frm_Shift : public wb::common::RegisterForm {
    Q_OBJECT
public:
    frm_Shift();
    ~frm_Shift() override;

    // The grid is filled cell by cell: the code column is read but not shown.
    void FillGird(const QString& criterion = QString()) override;

    Ui::frm_Shift* ui() const { return ui_.get(); }

    // The time a masked time box holds as zero-padded "HH:MM", or an empty text when the box is
    // incomplete or the hour or minutes are out of range.
    static QString checkedTime(const QString& boxText);

protected:
    void fillFixedLists() override;
    void clearExtra() override;
    bool validate() override;
    void saveSteps(wb::Recordset& rs) override;
    void loadPicked(int row) override;
    void afterStore() override;

private:
    std::unique_ptr<Ui::frm_Shift> ui_;
};
