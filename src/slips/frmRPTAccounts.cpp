#include "frmRPTAccounts.h"

#include "common/picker.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_patient_detail.h"
#include "report/print.h"
#include "session/module1.h"
#include "slips/headwise.h"
#include "slips/serviceheads.h"
#include "ui/clock.h"
#include "ui/guard.h"
#include "ui/msgbox.h"
#include "ui_frmRPTAccounts.h"

#include <QStyle>

using namespace wb;

namespace {

const QString ActiveCompany = QStringLiteral("{Company.comActive} = 'Y'");

} // namespace

frmRPTAccounts::frmRPTAccounts() : ui_(std::make_unique<Ui::frmRPTAccounts>()) {
    ui_->setupUi(this);
    ui_->cmdDailySlip->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    ui_->cmdDeptWise->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
    ui_->cmdDocWise->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    ui_->cmdHeadWise->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    ui_->frameServices->setVisible(false);

    connect(ui_->cmdDailySlip, &QToolButton::clicked, this, ui::handler([this] { cmdDailySlip_Click(); }));
    connect(ui_->cmdDeptWise, &QToolButton::clicked, this, ui::handler([this] { cmdDeptWise_Click(); }));
    connect(ui_->cmdDocWise, &QToolButton::clicked, this, ui::handler([this] { cmdDocWise_Click(); }));
    connect(ui_->cmdHeadWise, &QToolButton::clicked, this, ui::handler([this] { cmdHeadWise_Click(); }));
    connect(ui_->cmdServOK, &QPushButton::clicked, this, ui::handler([this] { cmdServOK_Click(); }));
    connect(ui_->cmdSerCancel, &QPushButton::clicked, this, ui::handler([this] { cmdSerCancel_Click(); }));
    connect(ui_->cmdFind_Doc, &QPushButton::clicked, this, ui::handler([this] { cmdFind_Doc_Click(); }));
    connect(ui_->cmdFind_Patient, &QPushButton::clicked, this,
            ui::handler([this] { cmdFind_Patient_Click(); }));
}

frmRPTAccounts::~frmRPTAccounts() = default;

QString frmRPTAccounts::dateText(const QDateEdit& picker) {
    return picker.date().toString(QStringLiteral("yyyy-MM-dd"));
}

QString frmRPTAccounts::quotedDate(const QDateEdit& picker) {
    return QLatin1Char('"') + picker.date().toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char('"');
}

void frmRPTAccounts::Form_Load() {
    const QDate today = ui::Clock::now().date();
    ui_->DTPicker1->setDate(today);
    ui_->DTPicker2->setDate(today);
    slips::fillServiceHeads(*ui_->lstServices);
}

void frmRPTAccounts::Form_Activate() {
    picks_.take<frm_Doc_Infor>([this](const QString&) {
        if (Module1::SelDocId <= 0)
            return;
        ui_->txtDocName->setText(Module1::SelDocName);
        ui_->txtDocName->setProperty("Tag", QString::number(Module1::SelDocId));
        ui_->cmdFind_Doc->setFocus();
        Module1::SelDocName.clear();
        Module1::SelDocId = 0;
    });
    picks_.take<frm_patient_detail>([this](const QString&) {
        if (Module1::SelPatId <= 0)
            return;
        ui_->txtPatName->setText(Module1::SelPatName);
        ui_->txtPatName->setProperty("Tag", QString::number(Module1::SelPatId));
        ui_->cmdFind_Patient->setFocus();
        Module1::SelPatName.clear();
        Module1::SelPatId = 0;
    });
}

void frmRPTAccounts::cmdDailySlip_Click() {
    report::PrintJob& job = report::newPrintJob(this, QStringLiteral("rpt_DailyCounter.rpt"));
    const QString d1 = dateText(*ui_->DTPicker1);
    report::Report& r = *job.report;
    report::logOnFirstTable(r);
    r.setRecordSelectionFormula(ActiveCompany + QStringLiteral(" and {SLIPS_MASTER.Slip_date} = #") + d1 +
                                QLatin1Char('#'));
    r.subreport(QStringLiteral("rptSlipsTotal"))
        .setRecordSelectionFormula(
            QStringLiteral("isnull({SLIPS_MASTER.CancelStatus}) and {SLIPS_MASTER.Slip_date} = #") + d1 +
            QLatin1Char('#'));
    r.subreport(QStringLiteral("rptCacelSlip"))
        .setRecordSelectionFormula(QStringLiteral("{SLIPS_MASTER.Slip_date} = #") + d1 + QLatin1Char('#'));
    report::viewReport(job.report);
}

void frmRPTAccounts::cmdDeptWise_Click() {
    report::PrintJob& job = report::newPrintJob(this, QStringLiteral("rpt_DeptWise.rpt"));
    const QString d1 = dateText(*ui_->DTPicker1);
    report::Report& r = *job.report;
    report::logOnFirstTable(r);
    r.setRecordSelectionFormula(ActiveCompany);
    r.parameter(1).setValue(d1);
    r.formulaField(QStringLiteral("rptDate")).setText(quotedDate(*ui_->DTPicker1));
    report::viewReport(job.report);
}

void frmRPTAccounts::cmdDocWise_Click() {
    report::PrintJob& job = report::newPrintJob(this, QStringLiteral("rpt_DoctorWise.rpt"));
    const QString d1 = dateText(*ui_->DTPicker1);
    const QString d2 = dateText(*ui_->DTPicker2);
    report::Report& r = *job.report;
    report::logOnFirstTable(r);
    r.setRecordSelectionFormula(ActiveCompany + QStringLiteral(" and {SLIPS_MASTER.Slip_date} in #") + d1 +
                                QStringLiteral("#  to #") + d2 + QLatin1Char('#'));
    r.formulaField(QStringLiteral("FDate")).setText(quotedDate(*ui_->DTPicker1));
    r.formulaField(QStringLiteral("TDate")).setText(quotedDate(*ui_->DTPicker2));
    report::viewReport(job.report);
}

void frmRPTAccounts::cmdHeadWise_Click() {
    ui_->lstServices->clearSelection();
    ui_->frameServices->setVisible(true);
    ui_->lstServices->setFocus();
}

void frmRPTAccounts::cmdSerCancel_Click() {
    ui_->frameServices->setVisible(false);
}

void frmRPTAccounts::cmdServOK_Click() {
    const QString services =
        slips::chosenHeadsFormula(*ui_->lstServices, QStringLiteral("{rptHeadWise.S_Code}"));
    if (services.isEmpty()) {
        ui::MsgBox(QStringLiteral("please select at least one Service"), ui::vbInformation);
        return;
    }
    report::PrintJob& job = report::newPrintJob(this, QStringLiteral("rpt_HeadWise.rpt"));
    const QString d1 = dateText(*ui_->DTPicker1);
    // The work rows are this run's own, and go once the report is drawn.
    slips::HeadWiseRun run(*Module1::Con, d1);
    report::Report& r = *job.report;
    report::logOnFirstTable(r);
    // The heads' or-list stands in parentheses, so that the company condition holds for each of them.
    r.setRecordSelectionFormula(QLatin1Char('(') + services + QStringLiteral(") and ") + ActiveCompany +
                                QLatin1Char(' '));
    r.formulaField(QStringLiteral("Dates")).setText(quotedDate(*ui_->DTPicker1));
    report::viewReport(job.report);
    ui_->frameServices->setVisible(false);
}

void frmRPTAccounts::cmdFind_Doc_Click() {
    common::PickPlacement p;
    p.unloadFirst = true;
    p.top = 1000;
    p.left = 2700;
    picks_.find<frm_Doc_Infor>(p);
}

void frmRPTAccounts::cmdFind_Patient_Click() {
    common::PickPlacement p;
    p.unloadFirst = true;
    p.top = 1700;
    p.left = 2500;
    picks_.find<frm_patient_detail>(p);
}
