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

    void Form_Load() override;
    void FillGird(const QString& criterion = QString()) override;
    void setShitGrid();
    void cmdPrint_Click() override;
    void MshShift_DblClick();

    Ui::frm_Shift* ui() const { return ui_.get(); }

    // The time a masked time box holds as zero-padded "HH:MM", or an empty text when the box is
    // incomplete or the hour or minutes are out of range.
    static QString checkedTime(const QString& boxText);

protected:
    void clearExtra() override;
    bool validate() override;
    void writeExplicit(wb::Recordset& rs) override;
    void afterSave() override;
    QWidget* firstEntryBox() const override;
    QString vanishedMessage() const override;

private:
    std::unique_ptr<Ui::frm_Shift> ui_;
};
