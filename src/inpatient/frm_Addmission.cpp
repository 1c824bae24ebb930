#include "frm_Addmission.h"

#include "common/picker.h"
#include "data/recordset.h"
#include "data/textsearch.h"
#include "inpatientboxes.h"
#include "inpatientpicks.h"
#include "inpatientscreen.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "ui/binding.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui_frm_Addmission.h"

using namespace wb;
using Module1::Con;
using Module1::Rs;

frm_Addmission::frm_Addmission()
    : RegisterForm(admissionDefinition()), ui_(std::make_unique<Ui::frm_Addmission>()) {
    ui_->setupUi(this);
    bindControls(inpatient::controls(*ui_));
    ui_->adm_date->setDate(ui::Clock::now().date());
    ui_->DTPicker2->setDate(ui::Clock::now().date());

    installKeys();

    clock_ = new inpatient::AdmissionClock(ui_->MaskEdBox1, ui_->cmb_shift, this);
    Timer2 = inpatient::everySecond(this, [this] { Timer2_Timer(); });

    inpatient::connectPickCommands(this, *ui_);
    connect(ui_->cmb_s_cri, &QComboBox::currentTextChanged, this,
            ui::handler([this] { cmb_s_cri_Change(); }));
    ui::onDayChosen(ui_->DTPicker2, [this] { DTPicker2_Change(); });
}

frm_Addmission::~frm_Addmission() = default;

void frm_Addmission::Form_Load() {
    setLeftTw(0);
    setTopTw(0);
    setHeightTw(10215);
    setWidthTw(15285);
    RegisterForm::Form_Load();
}

void frm_Addmission::fillFixedLists() {
    inpatient::fillList(ui_->cmb_sex, {QStringLiteral("M"), QStringLiteral("F")});
    inpatient::fillList(ui_->Combo2, inpatient::maritalStatuses);
    inpatient::fillList(ui_->cmb_shift, inpatient::shifts);
    inpatient::fillList(ui_->Combo1, inpatient::relations);
    inpatient::fillList(ui_->cmb_year, inpatient::ageUnits);
    Timer2_Timer();
}

void frm_Addmission::Form_Activate() {
    inpatient::takePicks(
        *ui_, [this](long id) { FillPatient(id); }, picks_);
}

void frm_Addmission::FillPatient(long patientId) {
    inpatient::fillPatient(*ui_, patientId, [this] { ClearPatient(); });
}

void frm_Addmission::ClearPatient() {
    inpatient::clearPatientBoxes(*ui_);
    inpatient::setCombo(ui_->cmb_sex, QString());
}

void frm_Addmission::clearExtra() {
    for (QLineEdit* b : {ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc, ui_->txt_pat_name,
                         ui_->txt_father, ui_->txt_contact, ui_->txt_address_relative})
        b->clear();
    inpatient::setCombo(ui_->cmb_year, QString());
    inpatient::setCombo(ui_->cmb_sex, QString());
    picks_.forgetAll(); // a Find still open is over
    // A new admission again: the time box follows the clock.
    clock_->release();
}

void frm_Addmission::FillData() {
    if (keyBox->text().isEmpty() || !inpatient::readAdmission(keyBox->text().toLongLong()))
        return;
    for (QLineEdit* b : boundBoxes())
        b->setText(Rs->text(ui::dataField(b)));
    inpatient::showAdmission(*ui_, ui_->adm_date, *clock_);
}

QString frm_Addmission::searchQuery(const QString& criterion, QVariantList& params) const {
    if (criterion == QLatin1String("Reg No"))
        return containsQuery(definition().selectList(), QStringLiteral("Addmission"), QStringLiteral("a"),
                             QStringLiteral("Reg_no"), {}, ui_->txt_s_val->text(), params);
    QString sql = QStringLiteral("select %1 from Addmission a").arg(definition().selectList());
    if (criterion == QLatin1String("Patient Name")) {
        sql +=
            QStringLiteral(" join Patient_Slips b on b.Row_no = a.Pat_row_id where %1")
                .arg(TextSearch::contains(*Con, QStringLiteral("Patient_Slips"), QStringLiteral("Pat_name"),
                                          ui_->txt_s_val->text(), params, QStringLiteral("b")));
    }
    return sql + QStringLiteral(" order by ") + listOrder();
}

void frm_Addmission::FillGird(const QString&) {
    // The criterion is always the list's own.
    RegisterForm::FillGird(ui_->cmb_s_cri->currentText());
}

void frm_Addmission::cmb_s_cri_Change() {
    ui_->DTPicker2->setVisible(ui_->cmb_s_cri->currentText() == QLatin1String("Date"));
}

void frm_Addmission::DTPicker2_Change() {
    Module1::SearchDate = ui_->DTPicker2->date().toString(QStringLiteral("yyyy-MM-dd"));
    listInGrid(QStringLiteral("select %1 from Addmission a where a.admdate = ? order by Pat_name, a.Row_no")
                   .arg(definition().selectList()),
               {ui_->DTPicker2->date()});
}

void frm_Addmission::Timer2_Timer() {
    clock_->tick();
}

bool frm_Addmission::validate() {
    return inpatient::timeBoxIsComplete(ui_->MaskEdBox1);
}

void frm_Addmission::saveSteps(Recordset& rs) {
    inpatient::writeAdmission(*Con, rs, *ui_, ui_->adm_date, keyBox->text().toLongLong());
    rs.setField(QStringLiteral("Rel_pat"), inpatient::listValue(ui_->Combo1));
    rs.setField(QStringLiteral("Mei_statue"), inpatient::listValue(ui_->Combo2));
}

void frm_Addmission::cmdSave_Click() {
    inpatient::saveUniqueRegNo(*Con, ui_->txt_reg_no, keyBox, [this] { RegisterForm::cmdSave_Click(); });
}

void frm_Addmission::cmdDelete_Click() {
    RegisterForm::cmdDelete_Click();
    ui_->txt_reg_no->setEnabled(true);
}

void frm_Addmission::loadPicked(int row) {
    ClearAll();
    keyBox->setText(cell(row, QStringLiteral("Row_no")));
    FillData();
    inpatient::refreshPatient(*ui_, [this](long id) { FillPatient(id); });
}

void frm_Addmission::cmds_cancel_Click() {
    SSTab1->setCurrentIndex(0);
}

void frm_Addmission::cmb_pat_search_Click() {
    picks_.find<frm_patient_detail>({.top = 1500, .left = 2500});
}

void frm_Addmission::findDoctor(const QString& letter) {
    picks_.find<frm_Doc_Infor>({.top = 1500, .left = 2800, .docPickFor = letter});
}

void frm_Addmission::cmd_find_con_Click() {
    findDoctor(QStringLiteral("C"));
}

void frm_Addmission::cmd_find_duty_doc_Click() {
    findDoctor(QStringLiteral("D"));
}

void frm_Addmission::cmd_find_R_doc_Click() {
    findDoctor(QStringLiteral("R"));
}
