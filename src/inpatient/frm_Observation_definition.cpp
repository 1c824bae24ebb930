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

QString doctorName(const QString& column) {
    return QStringLiteral("(select doc_name from doc where doc.Row_no = a.%1)").arg(column);
}

} // namespace

// The grid's eighteen columns, the same for every query of the search page. The patient's name
// comes from a join, so a list in its order reads the first screenful without the rest.
QString frm_Observation::selectList() {
    return QStringLiteral(
               "select a.Row_no,a.Ipd_code,a.Reg_no,%1 as adm_date,p.Pat_name as Pat_name,"
               "a.Weight,a.Mei_statue,a.Tel_no,a.Room_no,a.Addr,a.Obser,a.Name_responsible,a.Rel_pat,"
               "%2 as consultant_name,%3 as duty_name,%4 as reff_name,a.Shift,a.admtime "
               "from Addmission a left join Patient_Slips p on p.Row_no = a.Pat_row_id")
        .arg(Con->dialect().dateAsDdMmYyyy(QStringLiteral("a.admdate")),
             doctorName(QStringLiteral("consultant")), doctorName(QStringLiteral("duty_doc")),
             doctorName(QStringLiteral("reff_doc")));
}

QString frm_Observation::patientNameFilter(const QString& text, QVariantList& params) {
    // Rows of the patients whose name contains the text, in the order of their keys.
    return QStringLiteral(" where %1 order by a.Row_no")
        .arg(TextSearch::contains(*Con, QStringLiteral("Patient_Slips"), QStringLiteral("Pat_name"), text,
                                  params, QStringLiteral("p")));
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
