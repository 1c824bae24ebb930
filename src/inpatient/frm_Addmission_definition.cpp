// The admission screen's definition: its table, required boxes, criteria, grid and key rules.
#include "frm_Addmission.h"

#include "data/connection.h"
#include "session/module1.h"
#include "ui/keyfilters.h"
#include "ui_frm_Addmission.h"

using namespace wb;
using Module1::Con;

namespace {

QString doctorName(const QString& column) {
    return QStringLiteral("(select doc_name from doc where doc.Row_no = a.%1)").arg(column);
}

} // namespace

// The grid's twenty columns serve every search and the date filter alike. Texts built by the query
// get names of their own, so that no column of Addmission lends them its type.
common::RegisterDefinition frm_Addmission::admissionDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Addmission");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("D");
    s.skipped = {QStringLiteral("txt_IPD_no")};
    s.required = {{QStringLiteral("txt_pat_name"), QStringLiteral("please select Patient Name")},
                  {QStringLiteral("txt_reg_no"), QStringLiteral("please enter Reg NO")},
                  {QStringLiteral("txt_room_no"), QStringLiteral("please enter Room No")},
                  {QStringLiteral("txt_Consultant"), QStringLiteral("please enter Consultant")},
                  {QStringLiteral("txt_duty_doc"), QStringLiteral("please enter Duty Doctor")},
                  {QStringLiteral("txt_reff_doc"), QStringLiteral("please enter Reff Doctor")},
                  {QStringLiteral("txt_age"), QStringLiteral("please enter Age")}};
    s.criteria = {{QStringLiteral("Reg No"), QStringLiteral("a.Reg_no")},
                  {QStringLiteral("Patient Name"), QStringLiteral("b.Pat_name")},
                  {QStringLiteral("Date"), QString()}};
    s.orderBy = QStringLiteral("a.Reg_no desc");
    const QString date = Con->dialect().dateAsDdMmYyyy(QStringLiteral("a.admdate"));
    s.grid = {
        {QStringLiteral("Row_no"), QStringLiteral("Code"), 0, QStringLiteral("a.Row_no")},
        {QStringLiteral("Ipd_code"), QStringLiteral("IPD Code"), 0, QStringLiteral("a.Ipd_code")},
        {QStringLiteral("Reg_no"), QStringLiteral("Reg No"), 1000, QStringLiteral("a.Reg_no")},
        {QStringLiteral("adm_date"), QStringLiteral("Date"), 1100, date},
        {QStringLiteral("Pat_name"), QStringLiteral("Patient Name"), 4000,
         QStringLiteral("(select Pat_name from Patient_Slips where Patient_Slips.Row_no = a.Pat_row_id)")},
        {QStringLiteral("Age"), QStringLiteral("Age"), 500, QStringLiteral("a.Age")},
        {QStringLiteral("Yr"), QStringLiteral("Year"), 500, QStringLiteral("a.Yr")},
        {QStringLiteral("Weight"), QStringLiteral("Wight"), 800, QStringLiteral("a.Weight")},
        {QStringLiteral("Mei_statue"), QStringLiteral("Marital Statue"), 1300,
         QStringLiteral("a.Mei_statue")},
        {QStringLiteral("Tel_no"), QStringLiteral("Telphone"), 3000, QStringLiteral("a.Tel_no")},
        {QStringLiteral("Room_no"), QStringLiteral("Room No"), 2000, QStringLiteral("a.Room_no")},
        {QStringLiteral("Addr"), QStringLiteral("Address"), 4000, QStringLiteral("a.Addr")},
        {QStringLiteral("Obser"), QStringLiteral("Observation"), 3000, QStringLiteral("a.Obser")},
        {QStringLiteral("Name_responsible"), QStringLiteral("Name Of Financial Responsible Person"), 4000,
         QStringLiteral("a.Name_responsible")},
        {QStringLiteral("Rel_pat"), QStringLiteral("Relation With Patient"), 3000,
         QStringLiteral("a.Rel_pat")},
        {QStringLiteral("consultant_name"), QStringLiteral("Consultant"), 3000,
         doctorName(QStringLiteral("consultant"))},
        {QStringLiteral("duty_name"), QStringLiteral("Duty Doctor"), 3000,
         doctorName(QStringLiteral("duty_doc"))},
        {QStringLiteral("reff_name"), QStringLiteral("Reffered Doctor"), 3000,
         doctorName(QStringLiteral("reff_doc"))},
        {QStringLiteral("Shift"), QStringLiteral("Shift"), 600, QStringLiteral("a.Shift")},
        {QStringLiteral("admtime"), QStringLiteral("Time"), 900, QStringLiteral("a.admtime")}};
    s.noun = QStringLiteral("admission");
    s.cancelEnables = QStringLiteral("txt_reg_no");
    s.pickTestsPickMode = false; // never a pick list: a pick always opens the admission
    s.unloadClearsPickMode = false;
    s.printTemplate = QStringLiteral("rpt_Admission.rpt");
    s.printFormulaPrefix = QStringLiteral("{Addmission.Row_no} = ");
    return s;
}

void frm_Addmission::installKeys() {
    namespace keys = ui::keys;
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->txt_pat_name, ui_->txt_father, ui_->txt_address_relative, ui_->txt_observation,
             ui_->txt_name_responsible, ui_->txt_room_no, ui_->txt_tel_no, ui_->txt_address,
             ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc, ui_->txt_s_val}) {
        keys::enterToTab(w);
        keys::upperCase(w);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->txt_contact, ui_->cmb_sex, ui_->cmb_year, ui_->cmb_shift,
                                         ui_->txt_age, ui_->txt_weight, ui_->txt_reg_no})
        keys::enterToTab(w);
    keys::digitsOnly(ui_->txt_age);
    keys::digitsOnly(ui_->txt_weight, {.allowPoint = true});
    keys::reject(ui_->txt_reg_no, [](QChar ch) { return ch == u' '; });
}
