#include "frm_Test_Slips.h"

#include "data/schema.h"
#include "money.h"
#include "registers/frm_Employee.h"
#include "session/module1.h"
#include "shiftlist.h"
#include "slipamounts.h"
#include "sliplines.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/msgbox.h"
#include "ui/numberboxes.h"
#include "ui_frm_Test_Slips.h"

#include <QTimer>

using namespace wb;

frm_Test_Slips::frm_Test_Slips() : ui_(std::make_unique<Ui::frm_Test_Slips>()) {
    ui_->setupUi(this);
    Timer1 = new QTimer(this);
    Timer2 = new QTimer(this);
    Timer1->setInterval(500);
    Timer2->setInterval(500);
    connectHandlers();
    installKeys();
}

frm_Test_Slips::~frm_Test_Slips() = default;

void frm_Test_Slips::Form_Load() {
    ui_->lblLogin->setText(QStringLiteral("User Name : ") + Module1::LoginUserName);
    setLeftTw(0);
    setTopTw(0);
    setHeightTw(10320);
    setWidthTw(15285);
    ui_->SSTab1->setCurrentIndex(0);
    SetGird();
    ui_->cmb_s_cri->blockSignals(true);
    ui_->cmb_s_cri->addItems({QStringLiteral("Patient Name"), QStringLiteral("Slip Code"),
                              QStringLiteral("Slip Date"), QStringLiteral("OPD"), QStringLiteral("IPD")});
    ui_->cmb_s_cri->setCurrentIndex(0);
    ui_->cmb_s_cri->blockSignals(false);
    ui_->cmb_year->addItems({QStringLiteral("Y"), QStringLiteral("M"), QStringLiteral("D")});
    ui_->cmb_year->setCurrentIndex(0);
    ui_->cmb_Relation->addItems(frm_Employee::relations() + QStringList{QStringLiteral("Daughter")});
    ui_->cmb_Relation->setCurrentIndex(0);
    patientLayout(false);
    const QDate today = ui::Clock::now().date();
    ui_->dtp_slip_date->setDate(today);
    ui_->DTPicker1->blockSignals(true);
    ui_->DTPicker1->setDate(today);
    ui_->DTPicker1->blockSignals(false);
    FillGird(currentCriterion());
    ui_->cmdDelete->setEnabled(Module1::UserType == QLatin1String("A"));
    // The cancel reason takes no more than its column keeps.
    ui_->txtResign->setMaxLength(
        Schema::table(QStringLiteral("SLIPS_MASTER"))->column(QStringLiteral("CanResign"))->size);
    slips::loadShifts(ui_->lstShift);
    Timer1->start();
    Timer2->start();
}

void frm_Test_Slips::Form_Unload() {
    Module1::PickMode = false;
}

void frm_Test_Slips::cmdExit_Click() {
    unload();
}

void frm_Test_Slips::SetGird() {
    slips::lines::setGrid(*ui_->MshEntry);
}

// The in-patient or out-patient layout; the patient boxes start empty either way.
void frm_Test_Slips::patientLayout(bool inPatient) {
    ui_->txt_pat_name->setReadOnly(inPatient);
    ui_->Find_Pat_Detail->setEnabled(!inPatient);
    ui_->frame_IPD->setVisible(inPatient);
    for (QLineEdit* b : {ui_->txt_Patient_code, ui_->txt_reg_no, ui_->txt_pat_name, ui_->txt_F_name,
                         ui_->txt_age, ui_->txt_sex, ui_->txt_Card_No, ui_->txt_phone_no})
        b->clear();
}

void frm_Test_Slips::optopd_Click() {
    patientLayout(false);
    ui_->dtp_slip_date->setFocus();
}

void frm_Test_Slips::optipd_Click() {
    patientLayout(true);
    ui_->dtp_slip_date->setFocus();
}

// Lines and totals -------------------------------------------------------------------------------

void frm_Test_Slips::cmd_ADD_1_Click() {
    const auto refuse = [this](const QString& text) {
        ui::MsgBox(text, ui::vbInformation);
        ui_->txt_services->setFocus();
    };
    if (ui_->txt_services->text().isEmpty())
        return refuse(QStringLiteral("please select service "));
    if (ui_->txt_Test_Code->text().isEmpty())
        return refuse(QStringLiteral("please select Test "));
    if (ui_->txt_Rate->text().isEmpty())
        return refuse(QStringLiteral("please enter Rate "));
    if (!ui::numbersFit(this, {ui_->txt_Rate}, QStringLiteral("SLIP_DETAIL")))
        return;
    if (slips::lines::hasTest(*ui_->MshEntry, ui_->txt_Test_Code->text()))
        return refuse(QStringLiteral("This Test is already exitis in detail"));
    slips::lines::append(*ui_->MshEntry, {ui_->txt_Services_Code->text(), ui_->txt_Test_Code->text(),
                                          ui_->txt_services->text(), ui_->txt_Test->text(),
                                          slips::money::text(slips::money::valueOf(ui_->txt_Rate->text()))});
    totAmount();
    ui_->txt_services->setFocus();
}

void frm_Test_Slips::cmd_Delete_2_Click() {
    slips::lines::removeCurrent(*ui_->MshEntry);
    totAmount();
}

slips::SlipAmounts frm_Test_Slips::amounts() const {
    return {ui_->txt_amount, ui_->txt_discount, ui_->txt_net_amuont, ui_->txt_cash_rece, ui_->txt_balance};
}

void frm_Test_Slips::totAmount() {
    amounts().showTotal(slips::lines::total(*ui_->MshEntry));
}

void frm_Test_Slips::txt_cash_rece_Change() {
    amounts().cashChanged();
}

void frm_Test_Slips::txt_balance_Change() {
    amounts().balanceChanged();
}

// Clock and shift --------------------------------------------------------------------------------

void frm_Test_Slips::Timer1_Timer() {
    ui_->lblDate->setText(ui::Clock::now().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss AP")));
}

void frm_Test_Slips::Timer2_Timer() {
    // An opened slip keeps the shift it was saved in.
    if (!ui_->txt_Row_No->text().isEmpty())
        return;
    slips::followShift(ui_->lstShift, ui_->cmb_shift, ui::Clock::now().time());
}
