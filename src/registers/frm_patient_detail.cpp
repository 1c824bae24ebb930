#include "frm_patient_detail.h"

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
    s.selectList = QStringLiteral("Row_no,Code_no,Card_no,Pat_name,Tel_no,Fat_name,Sex,Pat_date,Addr");
    s.orderBy = QStringLiteral("Code_no desc");
    s.loadWithFirstCriterion = false;
    s.grid = {{QStringLiteral("Pat ID"), -1},         {QString(), 0},
              {QStringLiteral("Card No"), 1000},      {QStringLiteral("Patient Name"), 4000},
              {QStringLiteral("Telephone No"), 3000}, {QStringLiteral("Father Name"), 4000},
              {QStringLiteral("Sex"), 800},           {QStringLiteral("Date"), 1100},
              {QStringLiteral("Address"), 5000}};
    s.unloadAppliesMenuRights = true;
    s.printTemplate = QStringLiteral("rpt_patient_slips.rpt");
    s.printFormulaPrefix = QStringLiteral("{Patient_Slips.Row_no} = ");
    return s;
}

} // namespace

frm_patient_detail::frm_patient_detail()
    : RegisterForm(patientDefinition()), ui_(std::make_unique<Ui::frm_patient_detail>()) {
    ui_->setupUi(this);
    bindControls();
    // A new patient's date starts at today, not at the designed date.
    ui_->DTPicker1->setDate(ui::Clock::now().date());
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_pat_name, ui_->txt_F_name, ui_->txt_tel_no,
                                                      ui_->txt_Add, ui_->txt_s_value, ui_->cmb_sex}) {
        ui::keys::upperCase(w);
        ui::keys::enterToTab(w);
    }
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

void frm_patient_detail::writeExplicit(Recordset& rs) {
    rs.setField(QStringLiteral("Sex"), ui_->cmb_sex->currentText());
    rs.setField(QStringLiteral("Pat_date"), ui_->DTPicker1->date());
    RegisterForm::writeExplicit(rs); // Code_no = "PAT-" & key, on every save
}

void frm_patient_detail::writePickVariables(int row) {
    Module1::PickedPatientRowNo = Msh->TextMatrix(row, 0).toLong();
    Module1::SelPatId = Msh->TextMatrix(row, 0).toLong();
    Module1::SelPatCard = Msh->TextMatrix(row, 2);
    Module1::SelPatName = Msh->TextMatrix(row, 3);
    Module1::SelPatFather = Msh->TextMatrix(row, 5);
    Module1::SelPatTel = Msh->TextMatrix(row, 4);
    Module1::SelPatSex = Msh->TextMatrix(row, 6);
}

void frm_patient_detail::loadPicked(int row) {
    ui_->txt_Row_No->setText(Msh->TextMatrix(row, 0));
    ui_->txt_cardno->setText(Msh->TextMatrix(row, 2));
    ui_->txt_pat_name->setText(Msh->TextMatrix(row, 3));
    ui_->txt_tel_no->setText(Msh->TextMatrix(row, 4));
    ui_->txt_F_name->setText(Msh->TextMatrix(row, 5));
    ui_->cmb_sex->setCurrentText(Msh->TextMatrix(row, 6));
    const QDate date = QDate::fromString(Msh->TextMatrix(row, 7), QStringLiteral("dd/MM/yyyy"));
    if (date.isValid())
        ui_->DTPicker1->setDate(date);
    ui_->txt_Add->setText(Msh->TextMatrix(row, 8));
}

QWidget* frm_patient_detail::firstEntryBox() const {
    return ui_->txt_pat_name;
}

void frm_patient_detail::cmdCancel_Click() {
    ClearAll();
    ui_->txt_code_no->setEnabled(true);
}

void frm_patient_detail::Msh_KeyPress(int keyAscii) {
    if (keyAscii != 13)
        return;
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        return;
    // Enter hands back the same patient a double-click does, then closes in every case.
    writePickVariables(row);
    unload();
}

QString frm_patient_detail::vanishedMessage() const {
    return QStringLiteral("This patient no longer exists: another desk has deleted it. Nothing was saved.");
}
