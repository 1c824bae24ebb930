#include "frm_Observation.h"

#include "admissionrules.h"
#include "common/picker.h"
#include "data/recordset.h"
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
#include "ui_frm_Observation.h"

using namespace wb;
using Module1::Con;
using Module1::Rs;

frm_Observation::frm_Observation() : frm_Observation(observationDefinition()) {}

frm_Observation::frm_Observation(common::RegisterDefinition definition)
    : RegisterForm(std::move(definition)), ui_(std::make_unique<Ui::frm_Observation>()) {
    ui_->setupUi(this);
    bindControls(inpatient::controls(*ui_));
    const QDate today = ui::Clock::now().date();
    for (QDateEdit* d : {ui_->DTPicker1, ui_->DTPicker2, ui_->DTPicker3})
        d->setDate(today);

    installKeys();

    clock_ = new inpatient::AdmissionClock(ui_->MaskEdBox1, ui_->cmb_shift, this);
    Timer2 = inpatient::everySecond(this, [this] { Timer2_Timer(); });

    inpatient::connectPickCommands(this, *ui_);
    const auto on = [this](QPushButton* b, void (frm_Observation::*slot)()) {
        connect(b, &QPushButton::clicked, this, ui::handler([this, slot] { (this->*slot)(); }));
    };
    on(ui_->cmdfind, &frm_Observation::cmdfind_Click);
    on(ui_->cmdshowall, &frm_Observation::cmdshowall_Click);
    // A day chosen in the calendar (the one shown too) or typed: each picker lists its own day.
    ui::onDayChosen(ui_->DTPicker2, [this] { DTPicker2_Change(); });
    ui::onDayChosen(ui_->DTPicker3, [this] { DTPicker3_Change(); });
}

frm_Observation::~frm_Observation() = default;

void frm_Observation::Form_Load() {
    setLeftTw(0);
    setTopTw(0);
    setHeightTw(loadHeight());
    setWidthTw(15255);
    RegisterForm::Form_Load();
    SetMaxLenght();
}

void frm_Observation::fillFixedLists() {
    inpatient::fillList(ui_->cmb_sex, {QStringLiteral("Male"), QStringLiteral("Female")});
    inpatient::fillList(ui_->cmb_year, inpatient::ageUnits);
    inpatient::setCombo(ui_->cmb_year, QString()); // the age unit starts empty
    inpatient::fillList(ui_->Combo2, inpatient::maritalStatuses);
    inpatient::fillList(ui_->cmb_shift, inpatient::shifts);
    inpatient::fillList(ui_->Combo1, inpatient::relations);
    Timer2_Timer();
}

void frm_Observation::SetMaxLenght() {
    // The age box is not tagged, but its column is a number of a few digits.
    inpatient::limitToColumns(boundBoxes(), ui_->txt_age);
}

void frm_Observation::Form_Activate() {
    inpatient::takePicks(
        *ui_, [this](long id) { FillPatient(id); }, picks_);
}

void frm_Observation::FillPatient(long patientId) {
    inpatient::fillPatient(*ui_, patientId, [this] { ClearPatient(); });
}

void frm_Observation::ClearPatient() {
    inpatient::clearPatientBoxes(*ui_);
    ui_->cmb_sex->setCurrentText(QString());
}

void frm_Observation::ClearAll() {
    RegisterForm::ClearAll();
    for (QLineEdit* b : {ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc})
        b->clear();
    ClearPatient();
    picks_.forgetAll(); // a Find still open is over
    // A new observation again: the time box follows the clock.
    clock_->release();
}

void frm_Observation::FillData() {
    if (keyBox->text().isEmpty() || !inpatient::readAdmission(keyBox->text().toLongLong()))
        return;
    for (QLineEdit* b : boundBoxes())
        b->setText(Rs->text(ui::dataField(b)));
    ui_->txt_age->setText(Rs->text(QStringLiteral("Age")));
    inpatient::showAdmission(*ui_, ui_->DTPicker1, *clock_);
}

void frm_Observation::Timer2_Timer() {
    clock_->tick();
}

void frm_Observation::Msh_DblClick() {
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        return;
    ClearAll();
    keyBox->setText(Msh->TextMatrix(row, 0));
    ui_->txt_reg_no->setEnabled(false);
    FillData();
    inpatient::refreshPatient(*ui_, [this](long id) { FillPatient(id); });
    cmdSave->setText(QStringLiteral("&Save"));
    SSTab1->setCurrentIndex(0);
}

void frm_Observation::cmb_pat_search_Click() {
    picks_.find<frm_patient_detail>({.top = 1000, .left = 1500, .width = 12135, .height = 6300});
}

void frm_Observation::cmd_find_con_Click() {
    picks_.find<frm_Doc_Infor>({.top = 500, .left = 2200, .docPickFor = QStringLiteral("C")});
}

void frm_Observation::cmd_find_duty_doc_Click() {
    picks_.find<frm_Doc_Infor>({.top = 0, .left = 2200, .docPickFor = QStringLiteral("D")});
}

void frm_Observation::cmd_find_R_doc_Click() {
    picks_.find<frm_Doc_Infor>({.top = 500, .left = 2200, .docPickFor = QStringLiteral("R")});
}
