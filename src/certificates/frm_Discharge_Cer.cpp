#include "frm_Discharge_Cer.h"

#include "session/module1.h"
#include "ui/keyfilters.h"
#include "ui_frm_Discharge_Cer.h"

using namespace wb;
using namespace wb::certificates;

namespace {

CertificateDefinition dischargeDefinition(const Dialect& d) {
    CertificateDefinition c;
    common::RegisterDefinition& s = c.reg;
    s.table = QStringLiteral("Discharge_Certificate");
    s.key = QStringLiteral("Row_no");
    s.skipped = {QStringLiteral("txt_ser_no")};
    s.codeColumn = QStringLiteral("Ser_No");
    s.codePrefix = QStringLiteral("DIS-");
    s.required = {{QStringLiteral("txt_pat_name"), QStringLiteral("please enter Patient Name")},
                  {QStringLiteral("txt_reg_no"), QStringLiteral("please enter Reg NO")},
                  {QStringLiteral("txt_Consultant"), QStringLiteral("please enter Consultant")}};
    // The issue date is matched as the grid shows it (dd/mm/yyyy).
    s.criteria = {{QStringLiteral("Serial No"), QStringLiteral("c.Ser_No")},
                  {QStringLiteral("Reg No"), QStringLiteral("c.Reg_No")},
                  {QStringLiteral("Issu Date"), dateAsTypedText(d, QStringLiteral("c.Issu_date"))}};
    s.orderBy = QStringLiteral("c.Pat_name");
    s.loadWithFirstCriterion = false;
    // The consultant's name in place of the key.
    const TableColumns field{QStringLiteral("c")};
    s.grid = {field("Row_no", "Code", 0),
              field("Ser_No", "Serial No", 1000),
              field("Reg_No", "Reg No", 1000),
              field("Date_of_Addmision", "Date of Addmission", 1800),
              field("Pat_name", "Patient Name", 4000),
              field("Sex", "Sex", 800),
              field("Age", "Age", 800),
              field("consultant_name", "Consultant", 4000, QStringLiteral("doc.doc_name")),
              field("Prin_Diag", "Principal Diagnosis", 4000),
              field("Assocai_Diag", "Associated Diagnosis", 4000),
              field("Condi_on_dis", "Condition On Discharge", 4000),
              field("Med_Given", "Medecine Given", 4000),
              field("Investi", "Investigations", 4000),
              field("Operat_note", "Operative Note", 4000),
              field("Med_on_dis", "Medecine On Discharge", 4000),
              field("F_up_Instru", "Follow Up Instructions", 4000),
              field("Issu_date", "Issu Date", 1000),
              field("Issu_time", "Issu Time", 1000)};
    s.noun = QStringLiteral("discharge certificate");
    s.limitLengths = false; // the boxes keep their designed lengths
    s.confirmDelete = false;
    s.pickTestsPickMode = false;
    s.unloadClearsPickMode = false;
    c.from = QStringLiteral("Discharge_Certificate c left join doc on doc.Row_no = c.Consul");
    c.confirmColumns = true;
    c.maximiseOnActivate = true;
    return c;
}

} // namespace

frm_Discharge_Cer::frm_Discharge_Cer()
    : CertificateForm(dischargeDefinition(Module1::Con->dialect())),
      ui_(std::make_unique<Ui::frm_Discharge_Cer>()) {
    ui_->setupUi(this);
    auto* u = ui_.get();
    auto c = certificateControls(*u, u->txt_Row_No, u->txt_pat_name);
    c.reg.cancel = nullptr; // "&CANCEL" does nothing on this certificate
    c.doctors = {{QStringLiteral("C"), u->txt_consul_code, u->txt_Consultant, u->cmd_find_con}};
    c.times = {{u->msk_issu_time, QStringLiteral("Issu Time"), QStringLiteral("Issu_time")}};
    c.columns = {u->cmb_sex, u->DTPicker1, u->DTPicker2};
    c.lists = {{u->cmb_sex, {QStringLiteral("Male"), QStringLiteral("Female")}}};
    c.searchBox = u->txt_s_val;
    c.find = u->cmdfind;
    c.showAll = u->cmdshowall;
    bindCertificate(c);

    for (QWidget* w : std::initializer_list<QWidget*>{
             u->cmb_sex, u->DTPicker1, u->DTPicker2, u->txt_pat_name, u->txt_reg_no, u->txt_Consultant,
             u->txt_prin_diagnosis, u->txt_ass_diagno, u->txt_con_discharge, u->txt_med_given, u->txt_investi,
             u->txt_operat_note, u->txt_med_discharge, u->txt_age})
        ui::keys::enterToTab(w);
    ui::keys::digitsOnly(u->txt_age);
    ui::keys::onEnter(u->txt_follow_instru, [u] {
        ui::keys::sendTab(u->txt_follow_instru);
        u->txt_reg_no->setFocus();
    });
}

frm_Discharge_Cer::~frm_Discharge_Cer() = default;
