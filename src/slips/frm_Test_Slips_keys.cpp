// The slip screen's wiring: its commands, its change handlers and its keys.
#include "frm_Test_Slips.h"

#include "findkeys.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui_frm_Test_Slips.h"

#include <QTimer>

using namespace wb;

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

    // F2 in the box beside a Find runs it (the patient's only while its Find is enabled).
    slips::findOnF2(ui_->txt_pat_name, ui_->Find_Pat_Detail);
    slips::findOnF2(ui_->txt_Patient_code, ui_->cmd_find_Add_Search);
    slips::findOnF2(ui_->txt_opd_doc, ui_->cmd_find_opd_doc);
    slips::findOnF2(ui_->txt_ref_doc, ui_->cmd_find_Reff_doc);
    slips::findOnF2(ui_->txt_Emp_No, ui_->cmd_find_Employee);
    slips::findOnF2(ui_->txt_services, ui_->cmd_Rate_List);

    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->txt_amount, ui_->txt_discount, ui_->txt_net_amuont})
        slips::passFocus(w, ui_->txt_cash_rece);

    // Search page.
    keys::onEnter(ui_->txtPassword, [this] { txtPassword_KeyPress(13); });
    ui_->txtPassword->installEventFilter(this);
}
