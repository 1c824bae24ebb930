// The observation screen's search page: the rows by registration number, patient name or day.
#include "frm_Observation.h"

#include "data/connection.h"
#include "data/textsearch.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui_frm_Observation.h"

using namespace wb;
using Module1::Con;

QString frm_Observation::searchQuery(const QString& criterion, QVariantList& params) const {
    const QString text = ui_->txt_s_val->text();
    if (criterion == QLatin1String("Reg No")) {
        // Text that many registration numbers hold: the list is walked in its order, which has
        // nothing to do with the numbers, and each number tested in the list's own index.
        QVariantList values;
        if (TextSearch::manyMatches(*Con, QStringLiteral("Addmission"), QStringLiteral("Reg_no"), text,
                                    TextSearch::CoveredReach)) {
            values << likeContains(text);
            return byName(Con->dialect().containsCI(QStringLiteral("n.Reg_no")), values, params, true);
        }
        const QString filter = TextSearch::contains(
            *Con, QStringLiteral("Addmission"), QStringLiteral("Reg_no"), text, values, QStringLiteral("a"));
        return byName(filter, values, params);
    }
    if (criterion == QLatin1String("Patient Name"))
        return byPatientName(text, params);
    return byName({}, {}, params); // "Date": every row
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
    QVariantList params;
    const QString sql = byPatientName(ui_->txt_s_val->text(), params);
    listInGrid(sql, params);
}

void frm_Observation::listDay(const QDate& day) {
    QVariantList params;
    const QString sql = byName(QStringLiteral("a.admdate = ?"), {day}, params);
    listInGrid(sql, params);
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
