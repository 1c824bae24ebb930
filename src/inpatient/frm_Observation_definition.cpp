// The observation screen's definition: its table, required boxes, criteria, grid, the queries of
// its search page and its key rules.
#include "frm_Observation.h"

#include "data/connection.h"
#include "data/textsearch.h"
#include "session/module1.h"
#include "ui/keyfilters.h"
#include "ui_frm_Observation.h"

#include <QRegularExpressionValidator>

using namespace wb;
using Module1::Con;

common::RegisterDefinition frm_Observation::observationDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Addmission");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("D");
    s.skipped = {QStringLiteral("txt_IPD_no")};
    s.required = {
        {QStringLiteral("txt_Pat_Row_no"), QStringLiteral("please select Patient Name")},
        {QStringLiteral("txt_father"), QStringLiteral("please enter Father Name")},
        {QStringLiteral("txt_reg_no"), QStringLiteral("please enter Reg NO")},
        {QStringLiteral("Text1"), QStringLiteral("please enter Room No")},
        {QStringLiteral("txt_address_relative"), QStringLiteral("please enter Patient Relative Address ")},
        {QStringLiteral("txt_Consultant"), QStringLiteral("please enter Consultant")},
        {QStringLiteral("txt_duty_doc"), QStringLiteral("please enter Duty Doctor")},
        {QStringLiteral("txt_reff_doc"), QStringLiteral("please enter Reff Doctor")}};
    s.criteria = {{QStringLiteral("Reg No"), QString()},
                  {QStringLiteral("Patient Name"), QString()},
                  {QStringLiteral("Date"), QString()}};
    // The grid's eighteen columns; the search queries name them so (see selectList below).
    const auto col = [](const char* field, const char* header, int width) {
        return common::RegisterDefinition::GridColumn{QString::fromLatin1(field), QString::fromLatin1(header),
                                                      width};
    };
    s.grid = {col("Row_no", "Code", 0),
              col("Ipd_code", "IPD Code", 0),
              col("Reg_no", "Reg No", 1000),
              col("adm_date", "Date", 1100),
              col("Pat_name", "Patient Name", 4000),
              col("Weight", "Wight", 800),
              col("Mei_statue", "Marital Statue", 2000),
              col("Tel_no", "Telphone", 2000),
              col("Room_no", "Room No", 2000),
              col("Addr", "Address", 4000),
              col("Obser", "Observation", 3000),
              col("Name_responsible", "Name Of Financial Responsible Person", 4000),
              col("Rel_pat", "Relation With Patient", 3000),
              col("consultant_name", "Consultant", 3000),
              col("duty_name", "Duty Doctor", 3000),
              col("reff_name", "Reffered Doctor", 3000),
              col("Shift", "Shift", 1000),
              col("admtime", "Time", 1000)};
    s.emptyGrid = common::RegisterDefinition::EmptyGrid::HeaderOnly;
    s.noun = QStringLiteral("observation");
    s.cancelEnables = QStringLiteral("txt_reg_no");
    s.limitLengths = false; // SetMaxLenght has a rule of its own
    s.unloadClearsPickMode = false;
    s.printTemplate = QStringLiteral("rpt_Observation.rpt");
    s.printFormulaPrefix = QStringLiteral("{Observation_from.Row_no} = ");
    return s;
}

namespace {

QString doctorName(const QString& row, const QString& column) {
    return QStringLiteral("(select doc_name from doc where doc.Row_no = %1.%2)").arg(row, column);
}

} // namespace

// The grid's eighteen columns from the admission `a` (or the list `x` of byName below) and the
// patient's name.
QString frm_Observation::columns(const QString& row, const QString& name) {
    return QStringLiteral(
               "select %1.Row_no,%1.Ipd_code,%1.Reg_no,%2 as adm_date,%3 as Pat_name,"
               "%1.Weight,%1.Mei_statue,%1.Tel_no,%1.Room_no,%1.Addr,%1.Obser,%1.Name_responsible,"
               "%1.Rel_pat,%4 as consultant_name,%5 as duty_name,%6 as reff_name,%1.Shift,%1.admtime ")
        .arg(row, Con->dialect().dateAsDdMmYyyy(row + QStringLiteral(".admdate")), name,
             doctorName(row, QStringLiteral("consultant")), doctorName(row, QStringLiteral("duty_doc")),
             doctorName(row, QStringLiteral("reff_doc")));
}

QString frm_Observation::selectList() {
    return columns(QStringLiteral("a"), QStringLiteral("p.Pat_name")) +
           QStringLiteral("from Addmission a left join Patient_Slips p on p.Row_no = a.Pat_row_id");
}

// In the patient's name order (ties by the patient's key, then the admission's), with the admissions
// whose patient row is missing where the engine puts a Null name. A filter that keeps a few rows
// finds them first and puts them in order; otherwise the admissions' list in that order
// (`Addmission_by_name`, kept in step with both tables) is walked, so the first screenful is read
// without the rest.
QString frm_Observation::byName(const QString& filter, const QVariantList& filterParams, QVariantList& params,
                                bool many) {
    params += filterParams;
    if (!filter.isEmpty() && !many)
        return selectList() + QStringLiteral(" where %1 order by p.Pat_name, p.Row_no, a.Row_no").arg(filter);
    return columns(QStringLiteral("a"), QStringLiteral("n.Pat_name")) + fromListByName() +
           QStringLiteral("%1 order by n.Pat_name, n.Pat_key, n.Row_no")
               .arg(filter.isEmpty() ? QString() : QStringLiteral(" where ") + filter);
}

// The admissions' list by name `n`, each listed admission `a` read by its key (on the server written
// so, since its guess of a filter's share could have it read every admission to join them).
QString frm_Observation::fromListByName() {
    return Con->engine() == Engine::Sqlite
               ? QStringLiteral("from Addmission_by_name n join Addmission a on a.Row_no = n.Row_no")
               : QStringLiteral("from Addmission_by_name n cross join lateral (select * from Addmission x "
                                "where x.Row_no = n.Row_no offset 0) a");
}

QString frm_Observation::byPatientName(const QString& text, QVariantList& params) {
    // The admissions of the patients whose name contains the text, in the order of their keys. A
    // name many patients hold: the admissions are walked in that order and each name tested in
    // their list by name; otherwise the patients are found first, then their admissions put in order.
    if (TextSearch::manyMatches(*Con, QStringLiteral("Patient_Slips"), QStringLiteral("Pat_name"), text,
                                TextSearch::CoveredReach)) {
        params << likeContains(text);
        return columns(QStringLiteral("a"), QStringLiteral("n.Pat_name")) + fromListByName() +
               QStringLiteral(" where %1 order by n.Row_no")
                   .arg(Con->dialect().containsCI(QStringLiteral("n.Pat_name")));
    }
    return selectList() +
           QStringLiteral(" where %1 order by a.Row_no")
               .arg(TextSearch::contains(*Con, QStringLiteral("Patient_Slips"), QStringLiteral("Pat_name"),
                                         text, params, QStringLiteral("p")));
}

void frm_Observation::installKeys() {
    namespace keys = ui::keys;
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->txt_pat_name, ui_->txt_father, ui_->txt_address_relative, ui_->txt_observation,
             ui_->txt_name_responsible, ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc,
             ui_->txt_s_val, ui_->txt_age, ui_->txt_weight}) {
        keys::enterToTab(w);
        keys::upperCase(w);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_contact, ui_->cmb_sex, ui_->cmb_year,
                                                      ui_->cmb_shift, ui_->DTPicker1, ui_->txt_reg_no})
        keys::enterToTab(w);
    keys::digitsOnly(ui_->txt_age);
    keys::digitsOnly(ui_->txt_weight, {.allowPoint = true});
    // The doctors come from the doctor register only, as on the admission screen.
    for (QLineEdit* b : {ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc})
        b->setReadOnly(true);
    // No blank in a registration number.
    ui_->txt_reg_no->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^ ]*")), ui_->txt_reg_no));
}
