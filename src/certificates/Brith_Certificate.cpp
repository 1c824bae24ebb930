#include "Brith_Certificate.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "timeofday.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui_Brith_Certificate.h"

using namespace wb;

namespace {

const QString MotherName = QStringLiteral("Mother Name");
const QString RegNo = QStringLiteral("Reg No");
const QString DateOfBirth = QStringLiteral("Date Of Birth");
const QString IssuDate = QStringLiteral("Issu Date");

common::RegisterDefinition birthDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Brith_Certificate");
    s.key = QStringLiteral("row_no");
    s.skipped = {QStringLiteral("txt_ser_no")};
    // A new certificate's serial is "Brith-" and its key; a correction keeps the stored serial.
    s.codeColumn = QStringLiteral("serial_no");
    s.codePrefix = QStringLiteral("Brith-");
    s.codeOnInsertOnly = true;
    s.required = {{QStringLiteral("txt_M_Name"), QStringLiteral("please enter Mother Name")},
                  {QStringLiteral("txt_F_Name"), QStringLiteral("please enter Father Name")},
                  {QStringLiteral("txt_reg_no"), QStringLiteral("please enter Reg No")},
                  {QStringLiteral("txt_Del_no"), QStringLiteral("please enter Delivery No")},
                  {QStringLiteral("txt_duty_doc"), QStringLiteral("please enter Duty Doctor")}};
    s.criteria = {{MotherName, QStringLiteral("mother_name")},
                  {RegNo, QStringLiteral("reg_no")},
                  {DateOfBirth, QStringLiteral("date_brith")},
                  {IssuDate, QStringLiteral("issu_date")}};
    s.grid = {{QStringLiteral("Code"), 0},
              {QStringLiteral("Serial No"), 0},
              {QStringLiteral("Reg No"), 1300},
              {QStringLiteral("Delivery No"), 1300},
              {QStringLiteral("Mother Name"), 4000},
              {QStringLiteral("Father Name"), 4000},
              {QStringLiteral("Sex"), 800},
              {QStringLiteral("Wight"), 1000},
              {QStringLiteral("Date of Birth"), 1200},
              {QStringLiteral("Time of Birth"), 1200},
              {QStringLiteral("Address"), 4000},
              {QStringLiteral("Duty Doctor"), 4000},
              {QStringLiteral("Remark"), 4000},
              {QStringLiteral("Issu Date"), 1100},
              {QStringLiteral("Issu Time"), 1100},
              {QStringLiteral("Shift"), 800}};
    s.enterInGridPicks = true; // Enter in the grid opens the row, as a double-click does
    s.pickTestsPickMode = false;
    s.unloadClearsPickMode = false;
    s.printTemplate = QStringLiteral("rpt_Birth_Certificate.rpt");
    s.printFormulaPrefix = QStringLiteral("{Brith_Certificate.row_no} = ");
    return s;
}

QString isoText(const QDate& d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

Brith_Certificate::Brith_Certificate()
    : CertificateForm(birthDefinition()), ui_(std::make_unique<Ui::Brith_Certificate>()) {
    ui_->setupUi(this);
    bindControls();
    setDoctorRoles({{QStringLiteral("D"), ui_->txt_duty_code, ui_->txt_duty_doc}});
    setTimeFields({{ui_->msk_time_birth, QStringLiteral("Time of Birth"), QStringLiteral("time_brith")},
                   {ui_->msk_issu_time, QStringLiteral("Issu Time"), QStringLiteral("issu_time")}});
    setConfirmColumns(true);
    wb::certificates::setUpTimeBox(ui_->msk_time_birth);
    wb::certificates::setUpTimeBox(ui_->msk_issu_time);

    // The pickers start at today.
    const QDate today = ui::Clock::now().date();
    for (QDateEdit* d : {ui_->DTPicker1, ui_->DTPicker2, ui_->dtpFrom, ui_->dtpTo})
        d->setDate(today);

    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->txt_reg_no, ui_->txt_Del_no, ui_->txt_M_Name, ui_->txt_F_Name,
                                         ui_->txt_Add, ui_->txt_duty_doc, ui_->txt_s_val}) {
        ui::keys::enterToTab(w);
        ui::keys::upperCase(w);
    }
    ui::keys::onEnter(ui_->txt_Remark, [this] {
        ui::keys::sendTab(ui_->txt_Remark);
        ui_->txt_reg_no->setFocus();
    });
    ui::keys::upperCase(ui_->txt_Remark);
    ui::keys::enterToTab(ui_->txt_Weight);
    ui::keys::digitsOnly(ui_->txt_Weight, {.allowBlank = false, .allowPoint = true});
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->cmb_sex, ui_->cmb_shift, ui_->DTPicker1, ui_->DTPicker2,
                                         ui_->msk_time_birth, ui_->cmd_find_duty_doc})
        ui::keys::enterToTab(w);

    bindSearchBox(ui_->txt_s_val, [this] { txt_s_val_Change(); });
    connect(ui_->cmd_find_duty_doc, &QPushButton::clicked, this,
            ui::handler([this] { cmd_find_duty_doc_Click(); }));
    connect(ui_->cmds_cancel, &QPushButton::clicked, this, ui::handler([this] { cmds_cancel_Click(); }));
    connect(ui_->dtpFrom, &QDateEdit::dateChanged, this, ui::handler([this] { dtpFrom_Change(); }));
    connect(ui_->dtpTo, &QDateEdit::dateChanged, this, ui::handler([this] { dtpTo_Change(); }));
}

Brith_Certificate::~Brith_Certificate() = default;

void Brith_Certificate::fillFixedLists() {
    ui_->cmb_sex->addItems({QStringLiteral("M"), QStringLiteral("F")});
    const QTime now = ui::Clock::now().time();
    wb::certificates::showTime(ui_->msk_issu_time, now);
    wb::certificates::showTime(ui_->msk_time_birth, now);
    ui_->cmb_shift->addItems({QStringLiteral("M"), QStringLiteral("E"), QStringLiteral("N")});
    ui_->cmb_sex->setCurrentIndex(0);
    ui_->cmb_shift->setCurrentIndex(0);
    ui_->cmb_s_cri->setCurrentIndex(0);
}

QString Brith_Certificate::selectList() const {
    const Dialect& d = Module1::Con->dialect();
    const auto date = [&](const char* c) {
        return d.dateAsDdMmYyyy(QStringLiteral("b.") + QLatin1String(c));
    };
    const auto time = [&](const char* c) {
        return d.timeAsHourMinuteAmPm(QStringLiteral("b.") + QLatin1String(c));
    };
    return QStringLiteral("select b.row_no as row_no, b.serial_no as serial_no, b.reg_no as reg_no, "
                          "b.delivery_no as delivery_no, b.mother_name as mother_name, "
                          "b.father_name as father_name, b.sex as sex, b.weight as weight, ") +
           date("date_brith") + QStringLiteral(" as birth_date, ") + time("time_brith") +
           QStringLiteral(" as birth_time, b.address as address, doc.doc_name as duty_doctor, "
                          "b.remark as remark, ") +
           date("issu_date") + QStringLiteral(" as issue_date, ") + time("issu_time") +
           QStringLiteral(" as issue_time, b.shift as shift "
                          "from Brith_Certificate b left join doc on doc.Row_no = b.duty_doc");
}

QString Brith_Certificate::searchQuery(const QString& criterion, QVariantList& params) const {
    const Dialect& d = Module1::Con->dialect();
    QString sql = selectList();
    const QString value = ui_->txt_s_val->text();
    if (criterion == MotherName) {
        sql += QStringLiteral(" where ") + d.containsCI(QStringLiteral("b.mother_name"));
        params << likeContains(value);
    } else if (criterion == RegNo) {
        sql += QStringLiteral(" where ") + d.containsCI(QStringLiteral("b.reg_no"));
        params << likeContains(value);
    } else if (criterion == DateOfBirth) {
        Module1::SearchFromDate = isoText(ui_->dtpFrom->date());
        sql += QStringLiteral(" where b.date_brith = ?");
        params << ui_->dtpFrom->date();
    } else if (criterion == IssuDate) {
        Module1::SearchToDate = isoText(ui_->dtpTo->date());
    }
    // Any other criterion text lists every certificate.
    return sql + QStringLiteral(" order by b.mother_name");
}

void Brith_Certificate::FillGird(const QString&) {
    // The listing follows the criterion the search page shows, whatever the caller asks.
    RegisterForm::FillGird(ui_->cmb_s_cri->currentText());
}

void Brith_Certificate::txt_s_val_Change() {
    FillGird(ui_->cmb_s_cri->currentText());
}

void Brith_Certificate::dtpFrom_Change() {
    Module1::SearchFromDate = isoText(ui_->dtpFrom->date());
    bindListing(selectList() + QStringLiteral(" where b.date_brith = ? order by b.mother_name"),
                {ui_->dtpFrom->date()});
}

void Brith_Certificate::dtpTo_Change() {
    Module1::SearchToDate = isoText(ui_->dtpTo->date());
    bindListing(selectList() + QStringLiteral(" where b.issu_date = ? order by b.mother_name"),
                {ui_->dtpTo->date()});
}

void Brith_Certificate::SetMaxlength() {
    // Only the weight is limited: to the digits of its column.
    Module1::OpenRs(QStringLiteral("select * from Brith_Certificate where 0 = 1"));
    ui_->txt_Weight->setMaxLength(Module1::Rs->fieldInfo(QStringLiteral("weight")).precision);
}

void Brith_Certificate::writeExplicit(Recordset& rs) {
    rs.setField(QStringLiteral("sex"), ui_->cmb_sex->currentText());
    rs.setField(QStringLiteral("shift"), ui_->cmb_shift->currentText());
    rs.setField(QStringLiteral("date_brith"), ui_->DTPicker2->date());
    rs.setField(QStringLiteral("issu_date"), ui_->DTPicker1->date());
    CertificateForm::writeExplicit(rs); // the two times and a new certificate's serial
}

void Brith_Certificate::readExplicit(Recordset& rs) {
    ui_->cmb_sex->setCurrentText(rs.text(QStringLiteral("sex")));
    ui_->cmb_shift->setCurrentText(rs.text(QStringLiteral("shift")));
    if (const QDate d = rs.Fields(QStringLiteral("date_brith")).toDate(); d.isValid())
        ui_->DTPicker2->setDate(d);
    if (const QDate d = rs.Fields(QStringLiteral("issu_date")).toDate(); d.isValid())
        ui_->DTPicker1->setDate(d);
    readTimes(rs);
    doctors()->show(QStringLiteral("D"), rs.Fields(QStringLiteral("duty_doc")));
}

void Brith_Certificate::cmd_find_duty_doc_Click() {
    doctors()->find(QStringLiteral("D"));
}

void Brith_Certificate::cmds_cancel_Click() {
    ui_->SSTab1->setCurrentIndex(0);
}

QWidget* Brith_Certificate::firstEntryBox() const {
    return ui_->txt_M_Name;
}

QString Brith_Certificate::vanishedMessage() const {
    return QStringLiteral(
        "This birth certificate no longer exists: another desk has deleted it. Nothing was saved.");
}
