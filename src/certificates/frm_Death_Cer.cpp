#include "frm_Death_Cer.h"

#include "followingclock.h"
#include "session/module1.h"
#include "ui/keyfilters.h"
#include "ui_frm_Death_Cer.h"

#include <QTimer>

using namespace wb;
using namespace wb::certificates;

namespace {

CertificateDefinition deathDefinition(const Dialect& d) {
    CertificateDefinition c;
    common::RegisterDefinition& s = c.reg;
    s.table = QStringLiteral("Death_Certificate");
    s.key = QStringLiteral("Row_no");
    s.skipped = {QStringLiteral("txt_ser_no")};
    s.codeColumn = QStringLiteral("Ser_no");
    s.codePrefix = QStringLiteral("DC-");
    s.required = {{QStringLiteral("txt_Add_no"), QStringLiteral("please enter Addmission No")},
                  {QStringLiteral("txt_place_of_death"), QStringLiteral("please enter Place of Death")}};
    // The two criteria of the list first; the admission number and the doctors' names besides.
    // The issue date is matched as the grid shows it (dd/mm/yyyy).
    s.criteria = {{QStringLiteral("Serial No"), QStringLiteral("d.Ser_no")},
                  {QStringLiteral("Issu Date"), dateAsTypedText(d, QStringLiteral("d.Issu_date"))},
                  {QStringLiteral("Addmission No"), QStringLiteral("d.Add_no")},
                  {QStringLiteral("Consultant"), QStringLiteral("c.doc_name")},
                  {QStringLiteral("Duty Doctor"), QStringLiteral("u.doc_name")}};
    s.orderBy = QStringLiteral("d.Add_no");
    s.loadWithFirstCriterion = false;
    // The doctors' names in place of their keys.
    const TableColumns field{QStringLiteral("d")};
    s.grid = {field("Row_no", "Code", 0),
              field("Ser_no", "Serial No", 1000),
              field("Add_no", "Admission No", 1000),
              field("Del_no", "Delivery No", 1000),
              field("Date_of_Add", "Date Of Admission", 1000),
              field("Date_of_Death", "Date Of Death", 1000),
              field("Place_of_death", "Place Of Death", 1300),
              field("Time_of_brith", "Time Of Brith", 1300),
              field("consultant_name", "Consultant", 3000, QStringLiteral("c.doc_name")),
              field("Sex", "Sex", 800),
              field("Age", "Age", 800),
              field("Operation", "Opeartions", 4000),
              field("Cause_of_death", "Cause Of Death", 4000),
              field("Cer_that", "This is to Certify That", 4000),
              field("Resi_of", "Resident Of", 4000),
              field("Due_to", "Due To", 3000),
              field("Con_no", "Contact No", 3000),
              field("NIC_no", "N.I.C No", 2500),
              field("duty_name", "Duty Doctor", 3000, QStringLiteral("u.doc_name")),
              field("Issu_date", "Issu Date", 1100),
              field("Issu_time", "Issu Time", 1100)};
    s.noun = QStringLiteral("death certificate");
    s.cancelEnables = QStringLiteral("txt_ser_no"); // its text is never saved
    s.confirmDelete = false;
    s.pickTestsPickMode = false;
    s.unloadClearsPickMode = false;
    c.from = QStringLiteral("Death_Certificate d left join doc c on c.Row_no = d.Consultant "
                            "left join doc u on u.Row_no = d.Duty_doc");
    c.showAllOnClock = false; // the full listing shows the times on the 12-hour clock, Show all as stored
    c.maximiseOnActivate = true;
    return c;
}

} // namespace

frm_Death_Cer::frm_Death_Cer()
    : CertificateForm(deathDefinition(Module1::Con->dialect())), ui_(std::make_unique<Ui::frm_Death_Cer>()) {
    ui_->setupUi(this);
    auto* u = ui_.get();
    auto c = certificateControls(*u, u->txt_row_no, u->txt_Add_no);
    c.doctors = {{QStringLiteral("C"), u->txt_consul_code, u->txt_Consultant, u->cmd_find_con},
                 {QStringLiteral("D"), u->txt_duty_code, u->txt_duty_doc, u->cmd_find_duty_doc}};
    c.times = {{u->msk_time_brith, QStringLiteral("Time of Birth"), QStringLiteral("Time_of_brith")},
               {u->msktime, QStringLiteral("Issu Time"), QStringLiteral("Issu_time")}};
    // The NIC number keeps its mask's separators; Null when no digit is typed.
    c.columns = {u->cmb_sex, u->DTP_date_of_death, u->DTP_issu_date, u->DTP_date_of_add, u->msk_Nic_no};
    c.lists = {{u->cmb_sex, {QStringLiteral("Male"), QStringLiteral("Female")}}};
    c.searchBox = u->txt_s_val;
    c.find = u->cmdfind;
    c.showAll = u->cmdshowall;
    bindCertificate(c);

    for (QWidget* w : std::initializer_list<QWidget*>{u->txt_Add_no, u->txt_Del_no, u->txt_place_of_death,
                                                      u->txt_this_cer_that, u->txt_res_of, u->txt_C_of_Death,
                                                      u->txt_Oper, u->txt_due_to, u->txt_con_no, u->cmb_sex,
                                                      u->DTP_date_of_death, u->msk_Nic_no, u->txt_age})
        ui::keys::enterToTab(w);
    ui::keys::digitsOnly(u->txt_age);

    clock_ = new FollowingClock(this, u->txt_row_no, {u->msktime, u->msk_time_brith});
    Timer1 = clock_->timer();
}

frm_Death_Cer::~frm_Death_Cer() = default;

void frm_Death_Cer::Form_Load() {
    setWidthTw(13230);
    setHeightTw(10440);
    setTopTw(400);
    setLeftTw(2000);
    doctors()->discardEarlierPick();
    CertificateForm::Form_Load(); // lists, every certificate, lengths
    Timer1_Timer();
    Timer1->start();
}

void frm_Death_Cer::Timer1_Timer() {
    clock_->tick();
}

void frm_Death_Cer::clearExtra() {
    CertificateForm::clearExtra();
    clock_->forgetTyped();
}
