#include "frm_patient_detail.h"

#include "common/picker.h"
#include "data/recordset.h"
#include "session/module1.h"
#include "ui/clock.h"
#include "ui/keyfilters.h"
#include "ui_frm_patient_detail.h"

using namespace wb;

namespace {

common::RegisterDefinition patientDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Patient_Slips");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("M");
    s.skipped = {QStringLiteral("txt_code_no")};
    s.codeColumn = QStringLiteral("Code_no");
    s.codePrefix = QStringLiteral("PAT-");
    s.required = {{QStringLiteral("txt_pat_name"), QStringLiteral("please enter Patient Name")},
                  {QStringLiteral("txt_F_name"), QStringLiteral("please enter Father Name")}};
    s.criteria = {{QStringLiteral("Patient Name"), QStringLiteral("Pat_name")},
                  {QStringLiteral("Patient Code"), QStringLiteral("Code_no")},
                  {QStringLiteral("Telephone No"), QStringLiteral("Tel_no")}};
    s.orderBy = QStringLiteral("Code_no desc");
    s.loadWithFirstCriterion = false;
    s.grid = {{QStringLiteral("Row_no"), QStringLiteral("Pat ID")},
              {QStringLiteral("Code_no"), QString(), 0},
              {QStringLiteral("Card_no"), QStringLiteral("Card No"), 1000},
              {QStringLiteral("Pat_name"), QStringLiteral("Patient Name"), 4000},
              {QStringLiteral("Tel_no"), QStringLiteral("Telephone No"), 3000},
              {QStringLiteral("Fat_name"), QStringLiteral("Father Name"), 4000},
              {QStringLiteral("Sex"), QStringLiteral("Sex"), 800},
              {QStringLiteral("Pat_date"), QStringLiteral("Date"), 1100},
              {QStringLiteral("Addr"), QStringLiteral("Address"), 5000}};
    s.noun = QStringLiteral("patient");
    s.cancelEnables = QStringLiteral("txt_code_no");
    s.unloadAppliesMenuRights = true;
    s.printTemplate = QStringLiteral("rpt_patient_slips.rpt");
    s.printFormulaPrefix = QStringLiteral("{Patient_Slips.Row_no} = ");
    return s;
}

} // namespace

frm_patient_detail::frm_patient_detail()
    : RegisterForm(patientDefinition()), ui_(std::make_unique<Ui::frm_patient_detail>()) {
    ui_->setupUi(this);
    auto c = common::searchPageControls(*ui_);
    c.firstEntry = ui_->txt_pat_name;
    bindControls(c);
    // A new patient's date starts at today, not at the designed date.
    ui_->DTPicker1->setDate(ui::Clock::now().date());
    ui::keys::upperCaseAndTab(
        {ui_->txt_pat_name, ui_->txt_F_name, ui_->txt_tel_no, ui_->txt_Add, ui_->txt_s_value, ui_->cmb_sex});
    ui::keys::enterToTab(ui_->txt_Row_No);
    ui::keys::enterToTab(ui_->txt_code_no);
    ui::keys::discardKeys(ui_->cmb_s_cri);
}

frm_patient_detail::~frm_patient_detail() = default;

void frm_patient_detail::fillFixedLists() {
    ui_->cmb_sex->addItem(QStringLiteral("M"));
    ui_->cmb_sex->addItem(QStringLiteral("F"));
    ui_->cmb_sex->setCurrentIndex(0);
    ui_->cmb_s_cri->setCurrentIndex(0);
}

void frm_patient_detail::saveSteps(Recordset& rs) {
    rs.setField(QStringLiteral("Sex"), ui_->cmb_sex->currentText());
    rs.setField(QStringLiteral("Pat_date"), ui_->DTPicker1->date());
}

void frm_patient_detail::writePickVariables(int row) {
    Module1::PickedPatientRowNo = cell(row, QStringLiteral("Row_no")).toLong();
    Module1::SelPatId = cell(row, QStringLiteral("Row_no")).toLong();
    Module1::SelPatCard = cell(row, QStringLiteral("Card_no"));
    Module1::SelPatName = cell(row, QStringLiteral("Pat_name"));
    Module1::SelPatFather = cell(row, QStringLiteral("Fat_name"));
    Module1::SelPatTel = cell(row, QStringLiteral("Tel_no"));
    Module1::SelPatSex = cell(row, QStringLiteral("Sex"));
}

void frm_patient_detail::loadPicked(int row) {
    ui_->txt_Row_No->setText(cell(row, QStringLiteral("Row_no")));
    ui_->txt_cardno->setText(cell(row, QStringLiteral("Card_no")));
    ui_->txt_pat_name->setText(cell(row, QStringLiteral("Pat_name")));
    ui_->txt_tel_no->setText(cell(row, QStringLiteral("Tel_no")));
    ui_->txt_F_name->setText(cell(row, QStringLiteral("Fat_name")));
    ui_->cmb_sex->setCurrentText(cell(row, QStringLiteral("Sex")));
    const QDate date = QDate::fromString(cell(row, QStringLiteral("Pat_date")), QStringLiteral("dd/MM/yyyy"));
    if (date.isValid())
        ui_->DTPicker1->setDate(date);
    ui_->txt_Add->setText(cell(row, QStringLiteral("Addr")));
}

void frm_patient_detail::Msh_KeyPress(int keyAscii) {
    if (keyAscii != 13)
        return;
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        return;
    // Enter hands back the same patient a double-click does, then closes in every case.
    writePickVariables(row);
    common::picks::answer(this);
    unload();
}
