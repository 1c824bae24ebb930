#include "frm_Test_Slips.h"

#include "common/picker.h"
#include "data/recordset.h"
#include "frm_Add_Search.h"
#include "money.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Employee.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "shiftrule.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frm_Test_Slips.h"

#include <QKeyEvent>
#include <QTimer>

using namespace wb;
using Module1::Con;
using Module1::Rs;

namespace {

// Runs an action on one key of a control (F2 opens the pick list beside the box).
class KeyAction : public QObject {
public:
    KeyAction(QWidget* w, int key, std::function<void()> action)
        : QObject(w), key_(key), action_(std::move(action)) {
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != key_)
            return false;
        ui::guarded(action_);
        return true;
    }

private:
    int key_;
    std::function<void()> action_;
};

// A computed box: it hands the focus on to `next` whenever it gets it, so it is never typed into.
class PassFocus : public QObject {
public:
    PassFocus(QWidget* w, QWidget* next) : QObject(w), next_(next) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, next_, [next = next_] { next->setFocus(); });
        return false;
    }

private:
    QWidget* next_;
};

} // namespace

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

void frm_Test_Slips::connectHandlers() {
    const auto click = [this](QAbstractButton* b, void (frm_Test_Slips::*slot)()) {
        connect(b, &QAbstractButton::clicked, this, ui::handler([this, slot] { (this->*slot)(); }));
    };
    click(ui_->Find_Pat_Detail, &frm_Test_Slips::Find_Pat_Detail_Click);
    click(ui_->cmd_find_Add_Search, &frm_Test_Slips::cmd_find_Add_Search_Click);
    click(ui_->cmd_find_opd_doc, &frm_Test_Slips::cmd_find_opd_doc_Click);
    click(ui_->cmd_find_Reff_doc, &frm_Test_Slips::cmd_find_Reff_doc_Click);
    click(ui_->cmd_find_Employee, &frm_Test_Slips::cmd_find_Employee_Click);
    click(ui_->cmd_Rate_List, &frm_Test_Slips::cmd_Rate_List_Click);
    click(ui_->cmd_ADD_1, &frm_Test_Slips::cmd_ADD_1_Click);
    click(ui_->cmd_Delete_2, &frm_Test_Slips::cmd_Delete_2_Click);
    click(ui_->cmdSave, &frm_Test_Slips::cmdSave_Click);
    click(ui_->cmdDelete, &frm_Test_Slips::cmdDelete_Click);
    click(ui_->cmdCancel, &frm_Test_Slips::cmdCancel_Click);
    click(ui_->cmdPrint, &frm_Test_Slips::cmdPrint_Click);
    click(ui_->cmdExit, &frm_Test_Slips::cmdExit_Click);
    click(ui_->cmdCancelSlip, &frm_Test_Slips::cmdCancelSlip_Click);
    click(ui_->optopd, &frm_Test_Slips::optopd_Click);
    click(ui_->optipd, &frm_Test_Slips::optipd_Click);
    connect(ui_->txt_cash_rece, &QLineEdit::textChanged, this,
            ui::handler([this] { txt_cash_rece_Change(); }));
    connect(ui_->txt_balance, &QLineEdit::textChanged, this, ui::handler([this] { txt_balance_Change(); }));
    connect(Timer1, &QTimer::timeout, this, ui::handler([this] { Timer1_Timer(); }));
    connect(Timer2, &QTimer::timeout, this, ui::handler([this] { Timer2_Timer(); }));

    connect(ui_->cmb_s_cri, &QComboBox::currentTextChanged, this,
            ui::handler([this] { cmb_s_cri_Change(); }));
    connect(ui_->txt_s_val, &QLineEdit::textChanged, this, ui::handler([this] { txt_s_val_Change(); }));
    connect(ui_->DTPicker1, &QDateEdit::dateChanged, this, ui::handler([this] { DTPicker1_Change(); }));
    connect(ui_->MshSearching, &QAbstractItemView::clicked, this,
            ui::handler([this] { MshSearching_Click(); }));
    connect(ui_->MshSearching, &ui::FlexGrid::DblClick, this,
            ui::handler([this] { MshSearching_DblClick(); }));
}

void frm_Test_Slips::installKeys() {
    namespace keys = ui::keys;
    const auto isBlank = [](QChar c) { return c == u' '; };
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_pat_name, ui_->txt_sex, ui_->txt_phone_no,
                                                      ui_->txt_Card_No, ui_->txt_cash_rece, ui_->cmb_Relation,
                                                      ui_->cmb_year, ui_->txt_s_val}) {
        keys::upperCase(w);
        keys::enterToTab(w);
    }
    keys::digitsOnly(ui_->txt_age, {.allowPoint = true});
    keys::enterToTab(ui_->txt_age);
    keys::reject(ui_->txt_book_no, isBlank);
    keys::enterToTab(ui_->txt_book_no);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->txt_Patient_code, ui_->txt_services, ui_->dtp_slip_date,
                                         ui_->cmd_find_opd_doc, ui_->cmd_find_Reff_doc, ui_->cmd_Rate_List})
        keys::enterToTab(w);
    // The shift is set by the clock; the box takes no typing.
    ui_->cmb_shift->lineEdit()->setReadOnly(true);
    keys::enterToTab(ui_->cmb_shift);
    keys::onEnter(ui_->txt_opd_doc, [this] { ui_->txt_ref_doc->setFocus(); });
    keys::onEnter(ui_->txt_ref_doc, [this] {
        if (ui_->EmpScreen->isVisibleTo(this))
            ui_->txt_Emp_No->setFocus();
        else
            ui_->txt_services->setFocus();
    });
    keys::upperCase(ui_->txt_Emp_No);
    keys::reject(ui_->txt_Emp_No, isBlank);
    keys::onEnter(ui_->txt_Emp_No, [this] { FillEmployee(); });
    keys::onEnter(ui_->txt_reff_no, [this] { ui_->txt_services->setFocus(); });
    keys::upperCase(ui_->txt_balance);
    keys::onEnter(ui_->txt_balance, [this] { ui_->txt_services->setFocus(); });

    new KeyAction(ui_->txt_pat_name, Qt::Key_F2, [this] {
        if (ui_->Find_Pat_Detail->isEnabled())
            Find_Pat_Detail_Click();
    });
    new KeyAction(ui_->txt_Patient_code, Qt::Key_F2, [this] { cmd_find_Add_Search_Click(); });
    new KeyAction(ui_->txt_opd_doc, Qt::Key_F2, [this] { cmd_find_opd_doc_Click(); });
    new KeyAction(ui_->txt_ref_doc, Qt::Key_F2, [this] { cmd_find_Reff_doc_Click(); });
    new KeyAction(ui_->txt_Emp_No, Qt::Key_F2, [this] { cmd_find_Employee_Click(); });
    new KeyAction(ui_->txt_services, Qt::Key_F2, [this] { cmd_Rate_List_Click(); });

    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->txt_amount, ui_->txt_discount, ui_->txt_net_amuont})
        new PassFocus(w, ui_->txt_cash_rece);

    // Search page.
    keys::onEnter(ui_->txtPassword, [this] { txtPassword_KeyPress(13); });
    ui_->txtPassword->installEventFilter(this);
}

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
    loadShifts();
    Timer1->start();
    Timer2->start();
}

void frm_Test_Slips::loadShifts() {
    ui_->lstShift->clear();
    Module1::OpenRs(QStringLiteral("Select Shift,time_from,time_to from shift order by row_no"));
    for (int r = 0; r < Rs->RecordCount(); ++r) {
        Rs->Move(r);
        auto* item = new QTreeWidgetItem(ui_->lstShift);
        item->setText(0, Rs->text(QStringLiteral("Shift")));
        item->setText(1, Rs->text(QStringLiteral("time_from")));
        item->setText(2, Rs->text(QStringLiteral("time_to")));
    }
}

void frm_Test_Slips::Form_Unload() {
    Module1::PickMode = false;
}

void frm_Test_Slips::cmdExit_Click() {
    unload();
}

void frm_Test_Slips::SetGird() {
    auto* g = ui_->MshEntry;
    g->setRows(1);
    g->setCols(5);
    const QStringList headers = {QStringLiteral("Service code"), QStringLiteral("Test code"),
                                 QStringLiteral("Service"), QStringLiteral("Test"), QStringLiteral("Rate")};
    const int widths[] = {0, 0, 4000, 4000, 1500};
    for (int c = 0; c < 5; ++c) {
        g->setTextMatrix(0, c, headers[c]);
        g->setColWidth(c, widths[c]);
    }
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

// Pick lists -------------------------------------------------------------------------------------

void frm_Test_Slips::Find_Pat_Detail_Click() {
    common::openPicker<frm_patient_detail>({.unloadFirst = true, .top = 1500, .left = 2500});
}

void frm_Test_Slips::cmd_find_Add_Search_Click() {
    common::openPicker<frm_Add_Search>({.unloadFirst = true, .top = 1500, .left = 3300});
}

void frm_Test_Slips::cmd_find_opd_doc_Click() {
    auto& r = common::openPicker<frm_Doc_Infor>(
        {.unloadFirst = true, .top = 1500, .left = 2800, .docPickFor = "O"});
    if (auto* panels = r.findChild<QWidget*>(QStringLiteral("OptPanel")))
        panels->hide(); // the checkup doctor is never a panel doctor
}

void frm_Test_Slips::cmd_find_Reff_doc_Click() {
    common::openPicker<frm_Doc_Infor>({.unloadFirst = true, .top = 1500, .left = 2800, .docPickFor = "R"});
}

void frm_Test_Slips::cmd_find_Employee_Click() {
    common::openPicker<frm_Employee>({.unloadFirst = true, .top = 1500, .left = 3300});
}

void frm_Test_Slips::cmd_Rate_List_Click() {
    common::openPicker<frm_Rate_List>({.unloadFirst = true, .top = 1500, .left = 3300});
}

void frm_Test_Slips::Form_Activate() {
    takePicks();
}

void frm_Test_Slips::showEmployeeFrame(bool panel) {
    ui_->EmpScreen->setVisible(panel);
}

void frm_Test_Slips::takePicks() {
    if (Module1::SelServiceId > 0) {
        ui_->txt_Services_Code->setText(QString::number(Module1::SelServiceId));
        ui_->txt_services->setText(Module1::SelServiceName);
        Module1::SelServiceId = 0;
        Module1::SelServiceName.clear();
    }
    if (Module1::SelRateId > 0) {
        ui_->txt_Test_Code->setText(QString::number(Module1::SelRateId));
        ui_->txt_Test->setText(Module1::SelRateTest);
        ui_->txt_Rate->setText(slips::money::text(slips::money::fromNumber(Module1::SelRateAmount)));
        Module1::SelRateId = 0;
        Module1::SelRateAmount = 0;
        Module1::SelRateTest.clear();
    }
    if (Module1::SelDocId > 0) {
        bool taken = false;
        if (Module1::DocPickFor == QLatin1String("O")) {
            ui_->txt_Opd_code->setText(QString::number(Module1::SelDocId));
            ui_->txt_opd_doc->setText(Module1::SelDocName);
            taken = true;
        } else if (Module1::DocPickFor == QLatin1String("R")) {
            ui_->txt_reff_doc_code->setText(QString::number(Module1::SelDocId));
            ui_->txt_ref_doc->setText(Module1::SelDocName);
            // The slip records whether its referrer is a panel doctor.
            referrerStatus_ = Module1::PickedPanelStatus;
            const bool panel = Module1::PickedPanelStatus == QLatin1String("Panel");
            showEmployeeFrame(panel);
            if (!panel)
                for (QLineEdit* b : {ui_->txt_emp_name, ui_->txt_Emp_No, ui_->txt_Desig, ui_->txt_reff_no})
                    b->clear();
            taken = true;
        }
        if (taken) {
            Module1::SelDocId = 0;
            Module1::SelDocName.clear();
        }
    }
    if (!Module1::SelEmpNo.isEmpty()) {
        ui_->txt_emp_name->setText(Module1::SelEmpName);
        ui_->txt_Emp_No->setText(Module1::SelEmpNo);
        ui_->txt_Desig->setText(Module1::SelEmpDesig);
        Module1::SelEmpNo.clear();
        Module1::SelEmpName.clear();
        Module1::SelEmpDesig.clear();
    }
    if (Module1::SelPatId > 0) {
        ui_->txt_pat_name->setText(Module1::SelPatName);
        ui_->txt_F_name->setText(Module1::SelPatFather);
        ui_->txt_sex->setText(Module1::SelPatSex);
        ui_->txt_age->clear(); // the register keeps no age
        ui_->txt_phone_no->setText(Module1::SelPatTel);
        ui_->txt_Card_No->setText(Module1::SelPatCard);
        Module1::SelPatId = 0;
        Module1::SelPatName.clear();
        Module1::SelPatFather.clear();
        Module1::SelPatSex.clear();
        Module1::SelPatTel.clear();
        Module1::SelPatCard.clear();
    }
    if (Module1::SelAdmissionId > 0)
        takeAdmission();
}

void frm_Test_Slips::takeAdmission() {
    const qint64 id = Module1::SelAdmissionId;
    Module1::SelAdmissionId = 0;
    Module1::OpenRs(QStringLiteral("Select a.Row_no,a.Ipd_code,a.Reg_no,a.Age,a.Yr,a.admdate,"
                                   " b.pat_name,b.Fat_name,b.Sex,b.Tel_no,b.Card_no "
                                   " from Addmission a left join patient_slips b on b.row_no = a.Pat_row_id "
                                   " Where a.Row_no = ?"),
                    {id});
    if (Rs->RecordCount() < 1)
        return;
    Rs->MoveFirst();
    ui_->txt_Patient_code->setText(Rs->text(QStringLiteral("Ipd_code")));
    ui_->txt_reg_no->setText(Rs->text(QStringLiteral("Reg_no")));
    ui_->txt_age->setText(Rs->text(QStringLiteral("Age")));
    ui_->cmb_year->setCurrentText(Rs->text(QStringLiteral("Yr")));
    const QDate admitted = Rs->Fields(QStringLiteral("admdate")).toDate();
    if (admitted.isValid())
        ui_->adm_date->setDate(admitted);
    ui_->txt_pat_name->setText(Rs->text(QStringLiteral("pat_name")));
    ui_->txt_F_name->setText(Rs->text(QStringLiteral("Fat_name")));
    ui_->txt_sex->setText(Rs->text(QStringLiteral("Sex")));
    ui_->txt_phone_no->setText(Rs->text(QStringLiteral("Tel_no")));
    ui_->txt_Card_No->setText(Rs->text(QStringLiteral("Card_no")));
}

void frm_Test_Slips::FillEmployee() {
    const QString number = ui_->txt_Emp_No->text();
    if (number.isEmpty())
        return;
    Module1::OpenRs(QStringLiteral("Select Emp_No,Emp_Name,Designation From Employees Where Emp_No = ") +
                        Con->dialect().textParam(),
                    {number});
    if (Rs->RecordCount() < 1) {
        ui::MsgBox(QStringLiteral("Employee not found!"));
        ui_->txt_emp_name->clear();
        ui_->txt_Desig->clear();
        return;
    }
    Rs->MoveFirst();
    ui_->txt_emp_name->setText(Rs->text(QStringLiteral("Emp_Name")));
    ui_->txt_Desig->setText(Rs->text(QStringLiteral("Designation")));
    ui_->txt_reff_no->setFocus();
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
    if (!slips::money::isAmount(ui_->txt_Rate->text().trimmed()))
        return refuse(QStringLiteral("The rate must be a number, such as 350 or 350.50."));
    auto* g = ui_->MshEntry;
    for (int r = 1; r < g->Rows(); ++r)
        if (g->TextMatrix(r, 1) == ui_->txt_Test_Code->text())
            return refuse(QStringLiteral("This Test is already exitis in detail"));
    const int row = g->Rows();
    g->setRows(row + 1);
    g->setTextMatrix(row, 0, ui_->txt_Services_Code->text());
    g->setTextMatrix(row, 1, ui_->txt_Test_Code->text());
    g->setTextMatrix(row, 2, ui_->txt_services->text());
    g->setTextMatrix(row, 3, ui_->txt_Test->text());
    g->setTextMatrix(row, 4, slips::money::text(slips::money::valueOf(ui_->txt_Rate->text())));
    totAmount();
    ui_->txt_services->setFocus();
}

void frm_Test_Slips::cmd_Delete_2_Click() {
    auto* g = ui_->MshEntry;
    if (g->Rows() >= 3) {
        const int row = g->Row() >= 1 ? g->Row() : g->Rows() - 1;
        for (int r = row; r < g->Rows() - 1; ++r)
            for (int c = 0; c < g->Cols(); ++c)
                g->setTextMatrix(r, c, g->TextMatrix(r + 1, c));
        g->setRows(g->Rows() - 1);
    } else {
        g->setRows(1);
    }
    totAmount();
}

void frm_Test_Slips::totAmount() {
    qint64 total = 0;
    for (int r = 1; r < ui_->MshEntry->Rows(); ++r)
        total += slips::money::valueOf(ui_->MshEntry->TextMatrix(r, 4));
    if (ui_->txt_discount->text().isEmpty())
        ui_->txt_discount->setText(QStringLiteral("0"));
    ui_->txt_amount->setText(slips::money::text(total));
    ui_->txt_net_amuont->setText(slips::money::text(slips::money::valueOf(ui_->txt_amount->text())));
}

void frm_Test_Slips::txt_cash_rece_Change() {
    using slips::money::valueOf;
    const auto net = [this] { return valueOf(ui_->txt_net_amuont->text()); };
    const auto cash = [this] { return valueOf(ui_->txt_cash_rece->text()); };
    if (net() < cash()) {
        ui::MsgBox(QStringLiteral("cash amount Equal or less then net amount"));
        ui_->txt_cash_rece->clear();
    }
    if (cash() > 0)
        ui_->txt_discount->setText(slips::money::text(net() - cash() - valueOf(ui_->txt_balance->text())));
    else
        ui_->txt_discount->clear();
    if (valueOf(ui_->txt_discount->text()) < 0)
        ui_->txt_discount->clear();
}

void frm_Test_Slips::txt_balance_Change() {
    using slips::money::valueOf;
    const qint64 net = valueOf(ui_->txt_net_amuont->text());
    const qint64 cash = valueOf(ui_->txt_cash_rece->text());
    if (net - cash < valueOf(ui_->txt_balance->text()))
        ui_->txt_balance->clear();
    ui_->txt_discount->setText(slips::money::text(net - cash - valueOf(ui_->txt_balance->text())));
    if (valueOf(ui_->txt_discount->text()) < 0)
        ui_->txt_discount->clear();
}

// Clock and shift --------------------------------------------------------------------------------

void frm_Test_Slips::Timer1_Timer() {
    ui_->lblDate->setText(ui::Clock::now().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss AP")));
}

void frm_Test_Slips::Timer2_Timer() {
    // An opened slip keeps the shift it was saved in.
    if (!ui_->txt_Row_No->text().isEmpty())
        return;
    QList<slips::ShiftTimes> shifts;
    for (int i = 0; i < ui_->lstShift->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ui_->lstShift->topLevelItem(i);
        shifts.append({item->text(0), item->text(1), item->text(2)});
    }
    const QString letter = slips::currentShift(shifts, ui::Clock::now().time());
    if (!letter.isEmpty() && ui_->cmb_shift->currentText() != letter)
        ui_->cmb_shift->setEditText(letter);
}
