#include "frm_Death_Cer.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "timeofday.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui_frm_Death_Cer.h"

#include <QRegularExpression>
#include <QTimer>

using namespace wb;

namespace {

const QString SerialNo = QStringLiteral("Serial No");
const QString IssuDate = QStringLiteral("Issu Date");
const QString AddmissionNo = QStringLiteral("Addmission No");
const QString ConsultantCriterion = QStringLiteral("Consultant");
const QString DutyDoctor = QStringLiteral("Duty Doctor");

common::RegisterDefinition deathDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Death_Certificate");
    s.key = QStringLiteral("Row_no");
    s.skipped = {QStringLiteral("txt_ser_no")};
    s.codeColumn = QStringLiteral("Ser_no");
    s.codePrefix = QStringLiteral("DC-");
    s.required = {{QStringLiteral("txt_Add_no"), QStringLiteral("please enter Addmission No")},
                  {QStringLiteral("txt_place_of_death"), QStringLiteral("please enter Place of Death")}};
    // The two criteria of the list first; admission number and the doctors' names besides.
    // The two criteria of the list first; the admission number and the doctors' names besides.
    s.criteria = {{SerialNo, QStringLiteral("d.Ser_no")},
                  {IssuDate, QString()},
                  {AddmissionNo, QStringLiteral("d.Add_no")},
                  {ConsultantCriterion, QStringLiteral("c.doc_name")},
                  {DutyDoctor, QStringLiteral("u.doc_name")}};
    s.orderBy = QStringLiteral("d.Add_no");
    s.loadWithFirstCriterion = false;
    // The doctors' names in place of their keys; the full listing shows the times on the 12-hour clock.
    const auto column = [](const char* c) { return QStringLiteral("d.") + QLatin1String(c); };
    const auto field = [&](const char* c, const char* header, int width) {
        return common::RegisterDefinition::GridColumn{QLatin1String(c), QLatin1String(header), width,
                                                      column(c)};
    };
    s.grid = {
        field("Row_no", "Code", 0),
        field("Ser_no", "Serial No", 1000),
        field("Add_no", "Admission No", 1000),
        field("Del_no", "Delivery No", 1000),
        field("Date_of_Add", "Date Of Admission", 1000),
        field("Date_of_Death", "Date Of Death", 1000),
        field("Place_of_death", "Place Of Death", 1300),
        field("Time_of_brith", "Time Of Brith", 1300),
        {QStringLiteral("consultant_name"), QStringLiteral("Consultant"), 3000, QStringLiteral("c.doc_name")},
        field("Sex", "Sex", 800),
        field("Age", "Age", 800),
        field("Operation", "Opeartions", 4000),
        field("Cause_of_death", "Cause Of Death", 4000),
        field("Cer_that", "This is to Certify That", 4000),
        field("Resi_of", "Resident Of", 4000),
        field("Due_to", "Due To", 3000),
        field("Con_no", "Contact No", 3000),
        field("NIC_no", "N.I.C No", 2500),
        {QStringLiteral("duty_name"), QStringLiteral("Duty Doctor"), 3000, QStringLiteral("u.doc_name")},
        field("Issu_date", "Issu Date", 1100),
        field("Issu_time", "Issu Time", 1100)};
    s.noun = QStringLiteral("death certificate");
    s.cancelEnables = QStringLiteral("txt_ser_no"); // its text is never saved
    s.confirmDelete = false;
    s.pickTestsPickMode = false;
    s.unloadClearsPickMode = false;
    return s;
}

} // namespace

frm_Death_Cer::frm_Death_Cer()
    : CertificateForm(deathDefinition()), ui_(std::make_unique<Ui::frm_Death_Cer>()) {
    ui_->setupUi(this);
    common::RegisterControls c;
    c.keyBox = ui_->txt_row_no;
    c.save = ui_->cmdSave;
    c.del = ui_->cmdDelete;
    c.cancel = ui_->cmdCancel;
    c.print = ui_->cmdPrint; // no report: the button does nothing
    c.exit = ui_->cmdExit;
    c.firstEntry = ui_->txt_Add_no;
    c.tabs = ui_->SSTab1;
    c.criteria = ui_->cmb_s_cri;
    c.grid = ui_->Msh;
    bindControls(c);
    setDoctorRoles({{QStringLiteral("C"), ui_->txt_consul_code, ui_->txt_Consultant},
                    {QStringLiteral("D"), ui_->txt_duty_code, ui_->txt_duty_doc}});
    setTimeFields({{ui_->msk_time_brith, QStringLiteral("Time of Birth"), QStringLiteral("Time_of_brith")},
                   {ui_->msktime, QStringLiteral("Issu Time"), QStringLiteral("Issu_time")}});
    setMaximiseOnActivate(true);
    wb::certificates::setUpTimeBox(ui_->msk_time_brith);
    wb::certificates::setUpTimeBox(ui_->msktime);

    const QDate today = ui::Clock::now().date();
    for (QDateEdit* d :
         {ui_->DTP_date_of_add, ui_->DTP_date_of_death, ui_->DTP_issu_date, ui_->dtpFrom, ui_->dtpTo})
        d->setDate(today);

    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->txt_Add_no, ui_->txt_Del_no, ui_->txt_place_of_death, ui_->txt_this_cer_that,
             ui_->txt_res_of, ui_->txt_C_of_Death, ui_->txt_Oper, ui_->txt_due_to, ui_->txt_con_no,
             ui_->cmb_sex, ui_->DTP_date_of_death, ui_->msk_Nic_no, ui_->txt_age})
        ui::keys::enterToTab(w);
    ui::keys::digitsOnly(ui_->txt_age);

    // A time the user types is kept: the clock no longer writes that box.
    connect(ui_->msk_time_brith, &QLineEdit::textEdited, this, [this] { typedTimeOfDeath_ = true; });
    connect(ui_->msktime, &QLineEdit::textEdited, this, [this] { typedIssueTime_ = true; });

    bindSearchBox(ui_->txt_s_val, [this] { txt_s_val_Change(); });
    connect(ui_->cmd_find_con, &QPushButton::clicked, this, ui::handler([this] { cmd_find_con_Click(); }));
    connect(ui_->cmd_find_duty_doc, &QPushButton::clicked, this,
            ui::handler([this] { cmd_find_duty_doc_Click(); }));
    connect(ui_->cmdfind, &QPushButton::clicked, this, ui::handler([this] { cmdfind_Click(); }));
    connect(ui_->cmdshowall, &QPushButton::clicked, this, ui::handler([this] { cmdshowall_Click(); }));
    connect(ui_->cmds_cancel, &QPushButton::clicked, this, ui::handler([this] { cmds_cancel_Click(); }));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, ui::handler([this] { Timer1_Timer(); }));
}

frm_Death_Cer::~frm_Death_Cer() = default;

void frm_Death_Cer::Form_Load() {
    setWidthTw(13230);
    setHeightTw(10440);
    setTopTw(400);
    setLeftTw(2000);
    // A doctor picked before the window opened is not a pick for it.
    if (Module1::SelDocId > 0 &&
        (Module1::DocPickFor == QLatin1String("D") || Module1::DocPickFor == QLatin1String("C"))) {
        Module1::SelDocId = 0;
        Module1::SelDocName.clear();
    }
    CertificateForm::Form_Load(); // lists, every certificate, lengths
    Timer1_Timer();
    Timer1->start();
}

void frm_Death_Cer::fillFixedLists() {
    ui_->cmb_sex->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
    ui_->cmb_sex->setCurrentIndex(0);
    ui_->cmb_s_cri->setCurrentIndex(0);
}

void frm_Death_Cer::Timer1_Timer() {
    if (!ui_->txt_row_no->text().isEmpty())
        return; // a loaded certificate shows its own times
    const QTime now = ui::Clock::now().time();
    if (!typedIssueTime_)
        wb::certificates::showTime(ui_->msktime, now);
    if (!typedTimeOfDeath_)
        wb::certificates::showTime(ui_->msk_time_brith, now);
}

QString frm_Death_Cer::selectList(bool clockTimes) const {
    return QStringLiteral("select ") + (clockTimes ? selectListWithClockTimes() : definition().selectList()) +
           QStringLiteral(" from Death_Certificate d left join doc c on c.Row_no = d.Consultant "
                          "left join doc u on u.Row_no = d.Duty_doc");
}

void frm_Death_Cer::FillGird(const QString&) {
    bindListing(selectList(true) + QStringLiteral(" order by ") + definition().orderBy);
}

void frm_Death_Cer::search() {
    const Dialect& d = Module1::Con->dialect();
    const QString criterion = ui_->cmb_s_cri->currentText();
    QString column;
    for (const auto& c : definition().criteria)
        if (c.caption == criterion)
            column = c.column;
    // The issue date is matched as the grid shows it (dd/mm/yyyy).
    if (criterion == IssuDate)
        column = QStringLiteral("replace(%1, '-', '/')").arg(d.dateAsDdMmYyyy(QStringLiteral("d.Issu_date")));
    if (column.isEmpty()) {
        cmdshowall_Click();
        return;
    }
    bindListing(selectList(false) + QStringLiteral(" where ") + d.containsCI(column) +
                    QStringLiteral(" order by ") + definition().orderBy,
                {likeContains(ui_->txt_s_val->text())});
}

void frm_Death_Cer::cmdfind_Click() {
    search();
}

void frm_Death_Cer::txt_s_val_Change() {
    search();
}

void frm_Death_Cer::cmdshowall_Click() {
    bindListing(selectList(false) + QStringLiteral(" order by ") + definition().orderBy);
}

void frm_Death_Cer::saveSteps(Recordset& rs) {
    CertificateForm::saveSteps(rs); // the two times
    rs.setField(QStringLiteral("Sex"), ui_->cmb_sex->currentText());
    rs.setField(QStringLiteral("Date_of_Death"), ui_->DTP_date_of_death->date());
    rs.setField(QStringLiteral("Issu_date"), ui_->DTP_issu_date->date());
    rs.setField(QStringLiteral("Date_of_Add"), ui_->DTP_date_of_add->date());
    // The NIC number with its mask's separators; Null when no digit was typed.
    const QString nic = ui_->msk_Nic_no->text();
    rs.setField(QStringLiteral("NIC_no"),
                nic.contains(QRegularExpression(QStringLiteral("[0-9]"))) ? QVariant(nic) : QVariant());
}

void frm_Death_Cer::readExplicit(Recordset& rs) {
    ui_->cmb_sex->setCurrentText(rs.text(QStringLiteral("Sex")));
    const auto date = [&](QDateEdit* picker, const char* column) {
        if (const QDate d = rs.Fields(QLatin1String(column)).toDate(); d.isValid())
            picker->setDate(d);
    };
    date(ui_->DTP_date_of_add, "Date_of_Add");
    date(ui_->DTP_date_of_death, "Date_of_Death");
    date(ui_->DTP_issu_date, "Issu_date");
    ui_->msk_Nic_no->setText(rs.text(QStringLiteral("NIC_no")));
    readTimes(rs);
    const QVariant consultant = rs.Fields(QStringLiteral("Consultant"));
    const QVariant duty = rs.Fields(QStringLiteral("Duty_doc"));
    doctors()->show(QStringLiteral("C"), consultant);
    doctors()->show(QStringLiteral("D"), duty);
}

void frm_Death_Cer::clearExtra() {
    CertificateForm::clearExtra();
    typedTimeOfDeath_ = false;
    typedIssueTime_ = false;
}

void frm_Death_Cer::cmd_find_con_Click() {
    doctors()->find(QStringLiteral("C"));
}

void frm_Death_Cer::cmd_find_duty_doc_Click() {
    doctors()->find(QStringLiteral("D"));
}

void frm_Death_Cer::cmds_cancel_Click() {
    ui_->SSTab1->setCurrentIndex(0);
}
