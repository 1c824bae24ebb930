// The observation screen's search page: the rows by registration number, patient name or day.
#include "frm_Observation.h"

#include "data/connection.h"
#include "data/recordset.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui_frm_Observation.h"

using namespace wb;
using Module1::Con;
using Module1::Rs;

QString frm_Observation::searchQuery(const QString& criterion, QVariantList& params) const {
    const QString text = ui_->txt_s_val->text();
    if (criterion == QLatin1String("Reg No")) {
        params << likeContains(text);
        return selectList() + QStringLiteral(" where ") +
               Con->dialect().containsCI(QStringLiteral("a.Reg_no")) + QStringLiteral(" order by Pat_name");
    }
    if (criterion == QLatin1String("Patient Name")) {
        params << likeContains(text);
        return selectList() + patientNameFilter();
    }
    return selectList() + QStringLiteral(" order by Pat_name"); // "Date": every row
}

void frm_Observation::listRows(const QString& sql, const QVariantList& params) {
    Module1::OpenRs(sql, params);
    Msh->Clear();
    Msh->setRedraw(false);
    Msh->bind(*Rs);
    Msh->setRedraw(true);
    setGrid();
}

void frm_Observation::FillGird(const QString&) {
    // The criterion is always the list's own.
    RegisterForm::FillGird(ui_->cmb_s_cri->currentText());
}

void frm_Observation::txt_s_val_Change() {
    FillGird();
}

void frm_Observation::cmdfind_Click() {
    FillGird();
}

void frm_Observation::cmdshowall_Click() {
    listRows(selectList() + patientNameFilter(), {likeContains(ui_->txt_s_val->text())});
}

void frm_Observation::listDay(const QDate& day) {
    listRows(selectList() + QStringLiteral(" where a.admdate = ? order by Pat_name"), {day});
}

void frm_Observation::DTPicker2_Change() {
    listDay(ui_->DTPicker2->date());
}

void frm_Observation::DTPicker3_Change() {
    listDay(ui_->DTPicker3->date());
}

void frm_Observation::cmds_cancel_Click() {
    SSTab1->setCurrentIndex(0);
}
