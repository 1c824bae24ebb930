#include "Brith_Certificate.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui_Brith_Certificate.h"

using namespace wb;
using namespace wb::certificates;

namespace {

const QString DateOfBirth = QStringLiteral("Date Of Birth");
const QString IssuDate = QStringLiteral("Issu Date");

CertificateDefinition birthDefinition(const Dialect& d) {
    CertificateDefinition c;
    common::RegisterDefinition& s = c.reg;
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
    // The two date criteria list by the search page's pickers (searchQuery).
    s.criteria = {{QStringLiteral("Mother Name"), QStringLiteral("b.mother_name")},
                  {QStringLiteral("Reg No"), QStringLiteral("b.reg_no")},
                  {DateOfBirth, QString()},
                  {IssuDate, QString()}};
    s.orderBy = QStringLiteral("b.mother_name");
    // The dates as dd-mm-yyyy text, the doctor's name in place of the key.
    const TableColumns field{QStringLiteral("b")};
    s.grid = {field("row_no", "Code", 0),
              field("serial_no", "Serial No", 0),
              field("reg_no", "Reg No", 1300),
              field("delivery_no", "Delivery No", 1300),
              field("mother_name", "Mother Name", 4000),
              field("father_name", "Father Name", 4000),
              field("sex", "Sex", 800),
              field("weight", "Wight", 1000),
              field("birth_date", "Date of Birth", 1200, d.dateAsDdMmYyyy(QStringLiteral("b.date_brith"))),
              field("time_brith", "Time of Birth", 1200),
              field("address", "Address", 4000),
              field("duty_doctor", "Duty Doctor", 4000, QStringLiteral("doc.doc_name")),
              field("remark", "Remark", 4000),
              field("issue_date", "Issu Date", 1100, d.dateAsDdMmYyyy(QStringLiteral("b.issu_date"))),
              field("issu_time", "Issu Time", 1100),
              field("shift", "Shift", 800)};
    s.noun = QStringLiteral("birth certificate");
    s.enterInGridPicks = true; // Enter in the grid opens the row, as a double-click does
    s.pickTestsPickMode = false;
    s.unloadClearsPickMode = false;
    s.printTemplate = QStringLiteral("rpt_Birth_Certificate.rpt");
    s.printFormulaPrefix = QStringLiteral("{Brith_Certificate.row_no} = ");
    c.from = QStringLiteral("Brith_Certificate b left join doc on doc.Row_no = b.duty_doc");
    c.confirmColumns = true;
    c.timesAtOpening = true;
    return c;
}

QString isoText(const QDate& d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

Brith_Certificate::Brith_Certificate()
    : CertificateForm(birthDefinition(Module1::Con->dialect())),
      ui_(std::make_unique<Ui::Brith_Certificate>()) {
    ui_->setupUi(this);
    auto* u = ui_.get();
    auto c = certificateControls(*u, u->txt_Row_No, u->txt_M_Name);
    c.reg.search = u->txt_s_val; // every change searches by the criterion shown
    c.doctors = {{QStringLiteral("D"), u->txt_duty_code, u->txt_duty_doc, u->cmd_find_duty_doc}};
    c.times = {{u->msk_time_birth, QStringLiteral("Time of Birth"), QStringLiteral("time_brith")},
               {u->msk_issu_time, QStringLiteral("Issu Time"), QStringLiteral("issu_time")}};
    c.columns = {u->cmb_sex, u->cmb_shift, u->DTPicker2, u->DTPicker1};
    c.lists = {{u->cmb_sex, {QStringLiteral("M"), QStringLiteral("F")}},
               {u->cmb_shift, {QStringLiteral("M"), QStringLiteral("E"), QStringLiteral("N")}}};
    bindCertificate(c);

    ui::keys::upperCaseAndTab({u->txt_reg_no, u->txt_Del_no, u->txt_M_Name, u->txt_F_Name, u->txt_Add,
                               u->txt_duty_doc, u->txt_s_val});
    ui::keys::onEnter(u->txt_Remark, [u] {
        ui::keys::sendTab(u->txt_Remark);
        u->txt_reg_no->setFocus();
    });
    ui::keys::upperCase(u->txt_Remark);
    ui::keys::digitsOnly(u->txt_Weight, {.allowBlank = false, .allowPoint = true});
    for (QWidget* w : std::initializer_list<QWidget*>{u->txt_Weight, u->cmb_sex, u->cmb_shift, u->DTPicker1,
                                                      u->DTPicker2, u->msk_time_birth, u->cmd_find_duty_doc})
        ui::keys::enterToTab(w);

    connect(u->dtpFrom, &QDateEdit::dateChanged, this, ui::handler([this] { dtpFrom_Change(); }));
    connect(u->dtpTo, &QDateEdit::dateChanged, this, ui::handler([this] { dtpTo_Change(); }));
}

Brith_Certificate::~Brith_Certificate() = default;

QString Brith_Certificate::searchQuery(const QString& criterion, QVariantList& params) const {
    if (criterion == DateOfBirth) {
        // The births of the From date, whatever is typed.
        Module1::SearchFromDate = isoText(ui_->dtpFrom->date());
        params << ui_->dtpFrom->date();
        return listing(true, QStringLiteral("b.date_brith = ?"));
    }
    if (criterion == IssuDate)
        Module1::SearchToDate = isoText(ui_->dtpTo->date()); // and every certificate
    // Any other criterion text lists every certificate.
    const QString column = criterionColumn(criterion);
    return listing(true, column.isEmpty() ? QString() : containsFilter(column, params));
}

void Brith_Certificate::FillGird(const QString&) {
    // The listing follows the criterion the search page shows, whatever the caller asks.
    RegisterForm::FillGird(ui_->cmb_s_cri->currentText());
}

void Brith_Certificate::dtpFrom_Change() {
    Module1::SearchFromDate = isoText(ui_->dtpFrom->date());
    listInGrid(listing(true, QStringLiteral("b.date_brith = ?")), {ui_->dtpFrom->date()});
}

void Brith_Certificate::dtpTo_Change() {
    Module1::SearchToDate = isoText(ui_->dtpTo->date());
    listInGrid(listing(true, QStringLiteral("b.issu_date = ?")), {ui_->dtpTo->date()});
}

void Brith_Certificate::SetMaxlength() {
    // Only the weight is limited: to the digits of its column.
    Module1::OpenRs(QStringLiteral("select * from Brith_Certificate where 0 = 1"));
    ui_->txt_Weight->setMaxLength(Module1::Rs->fieldInfo(QStringLiteral("weight")).precision);
}
