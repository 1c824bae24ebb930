// The observation screen's search page: the rows by registration number, patient name or day.
#include "frm_Observation.h"

#include "data/connection.h"
#include "data/textsearch.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui_frm_Observation.h"

using namespace wb;
using Module1::Con;

namespace {

// A patient walked in the list's order costs about two thirds of an admission found through the
// trigram index and put in order (each one's admissions are looked up in their index): the walk
// pays while it reads up to the square root of three halves of the rows a plain walk would.
constexpr double WalkReach = 1.25;

} // namespace

QString frm_Observation::searchQuery(const QString& criterion, QVariantList& params) const {
    const QString text = ui_->txt_s_val->text();
    if (criterion == QLatin1String("Reg No")) {
        // Text that many registration numbers hold (one or two characters are in most): the list is
        // walked in its order, which has nothing to do with the numbers.
        const bool many =
            text.size() < 3 || TextSearch::manyMatches(*Con, QStringLiteral("Addmission"),
                                                       QStringLiteral("Reg_no"), text, WalkReach);
        QVariantList values;
        QString filter;
        if (many && text.size() >= 3 && Con->engine() == Engine::Sqlite) {
            // The index would hand the engine a set of rows to sort, not a walk.
            filter = Con->dialect().containsCI(QStringLiteral("a.Reg_no"));
            values << likeContains(text);
        } else {
            filter = TextSearch::contains(*Con, QStringLiteral("Addmission"), QStringLiteral("Reg_no"), text,
                                          values, QStringLiteral("a"));
        }
        return byName(filter, values, params, many);
    }
    if (criterion == QLatin1String("Patient Name"))
        return selectList() + patientNameFilter(text, params);
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
    const QString filter = patientNameFilter(ui_->txt_s_val->text(), params);
    listInGrid(selectList() + filter, params);
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
