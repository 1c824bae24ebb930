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

common::RegisterDefinition birthDefinition(const Dialect& d) {
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
    s.criteria = {{MotherName, QStringLiteral("b.mother_name")},
                  {RegNo, QStringLiteral("b.reg_no")},
                  {DateOfBirth, QString()},
                  {IssuDate, QString()}};
    s.orderBy = QStringLiteral("b.mother_name");
    // The dates as dd-mm-yyyy text, the doctor's name in place of the key; the times are shown on the
    // 12-hour clock by the listing.
    const auto column = [](const char* c) { return QStringLiteral("b.") + QLatin1String(c); };
    s.grid = {
        {QStringLiteral("row_no"), QStringLiteral("Code"), 0, column("row_no")},
        {QStringLiteral("serial_no"), QStringLiteral("Serial No"), 0, column("serial_no")},
        {QStringLiteral("reg_no"), QStringLiteral("Reg No"), 1300, column("reg_no")},
        {QStringLiteral("delivery_no"), QStringLiteral("Delivery No"), 1300, column("delivery_no")},
        {QStringLiteral("mother_name"), QStringLiteral("Mother Name"), 4000, column("mother_name")},
        {QStringLiteral("father_name"), QStringLiteral("Father Name"), 4000, column("father_name")},
        {QStringLiteral("sex"), QStringLiteral("Sex"), 800, column("sex")},
        {QStringLiteral("weight"), QStringLiteral("Wight"), 1000, column("weight")},
        {QStringLiteral("birth_date"), QStringLiteral("Date of Birth"), 1200,
         d.dateAsDdMmYyyy(column("date_brith"))},
        {QStringLiteral("time_brith"), QStringLiteral("Time of Birth"), 1200, column("time_brith")},
        {QStringLiteral("address"), QStringLiteral("Address"), 4000, column("address")},
        {QStringLiteral("duty_doctor"), QStringLiteral("Duty Doctor"), 4000, QStringLiteral("doc.doc_name")},
        {QStringLiteral("remark"), QStringLiteral("Remark"), 4000, column("remark")},
        {QStringLiteral("issue_date"), QStringLiteral("Issu Date"), 1100,
         d.dateAsDdMmYyyy(column("issu_date"))},
        {QStringLiteral("issu_time"), QStringLiteral("Issu Time"), 1100, column("issu_time")},
        {QStringLiteral("shift"), QStringLiteral("Shift"), 800, column("shift")}};
    s.noun = QStringLiteral("birth certificate");
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
    : CertificateForm(birthDefinition(Module1::Con->dialect())),
      ui_(std::make_unique<Ui::Brith_Certificate>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_);
    c.firstEntry = ui_->txt_M_Name;
    c.tabs = ui_->SSTab1;
    c.criteria = ui_->cmb_s_cri;
    c.search = ui_->txt_s_val; // every change searches by the criterion shown
    c.grid = ui_->Msh;
    bindControls(c);
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
    return QStringLiteral("select ") + selectListWithClockTimes() +
           QStringLiteral(" from Brith_Certificate b left join doc on doc.Row_no = b.duty_doc");
}

QString Brith_Certificate::searchQuery(const QString& criterion, QVariantList& params) const {
    QString sql = selectList();
    if (criterion == DateOfBirth) {
        // The births of the From date, whatever is typed.
        Module1::SearchFromDate = isoText(ui_->dtpFrom->date());
        sql += QStringLiteral(" where b.date_brith = ?");
        params << ui_->dtpFrom->date();
    } else if (criterion == IssuDate) {
        Module1::SearchToDate = isoText(ui_->dtpTo->date()); // and every certificate
    } else {
        for (const auto& c : definition().criteria) {
            if (c.caption == criterion && !c.column.isEmpty()) {
                sql += QStringLiteral(" where ") + Module1::Con->dialect().containsCI(c.column);
                params << likeContains(ui_->txt_s_val->text());
            }
        }
        // Any other criterion text lists every certificate.
    }
    return sql + QStringLiteral(" order by ") + definition().orderBy;
}

void Brith_Certificate::FillGird(const QString&) {
    // The listing follows the criterion the search page shows, whatever the caller asks.
    RegisterForm::FillGird(ui_->cmb_s_cri->currentText());
}

void Brith_Certificate::dtpFrom_Change() {
    Module1::SearchFromDate = isoText(ui_->dtpFrom->date());
    bindListing(selectList() + QStringLiteral(" where b.date_brith = ? order by ") + definition().orderBy,
                {ui_->dtpFrom->date()});
}

void Brith_Certificate::dtpTo_Change() {
    Module1::SearchToDate = isoText(ui_->dtpTo->date());
    bindListing(selectList() + QStringLiteral(" where b.issu_date = ? order by ") + definition().orderBy,
                {ui_->dtpTo->date()});
}

void Brith_Certificate::SetMaxlength() {
    // Only the weight is limited: to the digits of its column.
    Module1::OpenRs(QStringLiteral("select * from Brith_Certificate where 0 = 1"));
    ui_->txt_Weight->setMaxLength(Module1::Rs->fieldInfo(QStringLiteral("weight")).precision);
}

void Brith_Certificate::saveSteps(Recordset& rs) {
    CertificateForm::saveSteps(rs); // the two times
    rs.setField(QStringLiteral("sex"), ui_->cmb_sex->currentText());
    rs.setField(QStringLiteral("shift"), ui_->cmb_shift->currentText());
    rs.setField(QStringLiteral("date_brith"), ui_->DTPicker2->date());
    rs.setField(QStringLiteral("issu_date"), ui_->DTPicker1->date());
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
