#include "frm_Discharge_Cer.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "timeofday.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui_frm_Discharge_Cer.h"

using namespace wb;

namespace {

const QString IssuDate = QStringLiteral("Issu Date");

common::RegisterDefinition dischargeDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Discharge_Certificate");
    s.key = QStringLiteral("Row_no");
    s.skipped = {QStringLiteral("txt_ser_no")};
    s.codeColumn = QStringLiteral("Ser_No");
    s.codePrefix = QStringLiteral("DIS-");
    s.required = {{QStringLiteral("txt_pat_name"), QStringLiteral("please enter Patient Name")},
                  {QStringLiteral("txt_reg_no"), QStringLiteral("please enter Reg NO")},
                  {QStringLiteral("txt_Consultant"), QStringLiteral("please enter Consultant")}};
    s.criteria = {{QStringLiteral("Serial No"), QStringLiteral("c.Ser_No")},
                  {QStringLiteral("Reg No"), QStringLiteral("c.Reg_No")},
                  {IssuDate, QString()}};
    s.orderBy = QStringLiteral("c.Pat_name");
    s.loadWithFirstCriterion = false;
    // The consultant's name in place of the key; the full listing shows the issue time on the
    // 12-hour clock.
    const auto field = [](const char* c, const char* header, int width) {
        return common::RegisterDefinition::GridColumn{QLatin1String(c), QLatin1String(header), width,
                                                      QStringLiteral("c.") + QLatin1String(c)};
    };
    s.grid = {field("Row_no", "Code", 0),
              field("Ser_No", "Serial No", 1000),
              field("Reg_No", "Reg No", 1000),
              field("Date_of_Addmision", "Date of Addmission", 1800),
              field("Pat_name", "Patient Name", 4000),
              field("Sex", "Sex", 800),
              field("Age", "Age", 800),
              {QStringLiteral("consultant_name"), QStringLiteral("Consultant"), 4000,
               QStringLiteral("doc.doc_name")},
              field("Prin_Diag", "Principal Diagnosis", 4000),
              field("Assocai_Diag", "Associated Diagnosis", 4000),
              field("Condi_on_dis", "Condition On Discharge", 4000),
              field("Med_Given", "Medecine Given", 4000),
              field("Investi", "Investigations", 4000),
              field("Operat_note", "Operative Note", 4000),
              field("Med_on_dis", "Medecine On Discharge", 4000),
              field("F_up_Instru", "Follow Up Instructions", 4000),
              field("Issu_date", "Issu Date", 1000),
              field("Issu_time", "Issu Time", 1000)};
    s.noun = QStringLiteral("discharge certificate");
    s.limitLengths = false; // the boxes keep their designed lengths
    s.confirmDelete = false;
    s.pickTestsPickMode = false;
    s.unloadClearsPickMode = false;
    return s;
}

} // namespace

frm_Discharge_Cer::frm_Discharge_Cer()
    : CertificateForm(dischargeDefinition()), ui_(std::make_unique<Ui::frm_Discharge_Cer>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_); // no report: the print button does nothing
    c.firstEntry = ui_->txt_pat_name;
    c.tabs = ui_->SSTab1;
    c.criteria = ui_->cmb_s_cri;
    c.grid = ui_->Msh;
    bindControls(c);
    setDoctorRoles({{QStringLiteral("C"), ui_->txt_consul_code, ui_->txt_Consultant}});
    setTimeFields({{ui_->msk_issu_time, QStringLiteral("Issu Time"), QStringLiteral("Issu_time")}});
    setConfirmColumns(true);
    setMaximiseOnActivate(true);
    wb::certificates::setUpTimeBox(ui_->msk_issu_time);

    const QDate today = ui::Clock::now().date();
    ui_->DTPicker1->setDate(today);
    ui_->DTPicker2->setDate(today);

    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->cmb_sex, ui_->DTPicker1, ui_->DTPicker2, ui_->txt_pat_name, ui_->txt_reg_no,
             ui_->txt_Consultant, ui_->txt_prin_diagnosis, ui_->txt_ass_diagno, ui_->txt_con_discharge,
             ui_->txt_med_given, ui_->txt_investi, ui_->txt_operat_note, ui_->txt_med_discharge,
             ui_->txt_age})
        ui::keys::enterToTab(w);
    ui::keys::digitsOnly(ui_->txt_age);
    ui::keys::onEnter(ui_->txt_follow_instru, [this] {
        ui::keys::sendTab(ui_->txt_follow_instru);
        ui_->txt_reg_no->setFocus();
    });

    bindSearchBox(ui_->txt_s_val, [this] { txt_s_val_Change(); });
    connect(ui_->cmd_find_con, &QPushButton::clicked, this, ui::handler([this] { cmd_find_con_Click(); }));
    connect(ui_->cmdfind, &QPushButton::clicked, this, ui::handler([this] { cmdfind_Click(); }));
    connect(ui_->cmdshowall, &QPushButton::clicked, this, ui::handler([this] { cmdshowall_Click(); }));
    connect(ui_->cmds_cancel, &QPushButton::clicked, this, ui::handler([this] { cmds_cancel_Click(); }));
}

frm_Discharge_Cer::~frm_Discharge_Cer() = default;

void frm_Discharge_Cer::fillFixedLists() {
    ui_->cmb_sex->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
    ui_->cmb_sex->setCurrentIndex(0);
    ui_->cmb_s_cri->setCurrentIndex(0);
}

QString frm_Discharge_Cer::selectList(bool clockTime) const {
    return QStringLiteral("select ") + (clockTime ? selectListWithClockTimes() : definition().selectList()) +
           QStringLiteral(" from Discharge_Certificate c left join doc on doc.Row_no = c.Consul");
}

void frm_Discharge_Cer::FillGird(const QString&) {
    bindListing(selectList(true) + QStringLiteral(" order by ") + definition().orderBy);
}

void frm_Discharge_Cer::search() {
    const Dialect& d = Module1::Con->dialect();
    const QString criterion = ui_->cmb_s_cri->currentText();
    QString column;
    for (const auto& c : definition().criteria)
        if (c.caption == criterion)
            column = c.column;
    // The issue date is matched as the grid shows it (dd/mm/yyyy).
    if (criterion == IssuDate)
        column = QStringLiteral("replace(%1, '-', '/')").arg(d.dateAsDdMmYyyy(QStringLiteral("c.Issu_date")));
    if (column.isEmpty()) {
        cmdshowall_Click();
        return;
    }
    bindListing(selectList(false) + QStringLiteral(" where ") + d.containsCI(column) +
                    QStringLiteral(" order by ") + definition().orderBy,
                {likeContains(ui_->txt_s_val->text())});
}

void frm_Discharge_Cer::cmdfind_Click() {
    search();
}

void frm_Discharge_Cer::txt_s_val_Change() {
    search();
}

void frm_Discharge_Cer::cmdshowall_Click() {
    FillGird(QString());
}

void frm_Discharge_Cer::saveSteps(Recordset& rs) {
    CertificateForm::saveSteps(rs); // the issue time
    rs.setField(QStringLiteral("Sex"), ui_->cmb_sex->currentText());
    rs.setField(QStringLiteral("Date_of_Addmision"), ui_->DTPicker1->date());
    rs.setField(QStringLiteral("Issu_date"), ui_->DTPicker2->date());
}

void frm_Discharge_Cer::readExplicit(Recordset& rs) {
    ui_->cmb_sex->setCurrentText(rs.text(QStringLiteral("Sex")));
    if (const QDate d = rs.Fields(QStringLiteral("Date_of_Addmision")).toDate(); d.isValid())
        ui_->DTPicker1->setDate(d);
    if (const QDate d = rs.Fields(QStringLiteral("Issu_date")).toDate(); d.isValid())
        ui_->DTPicker2->setDate(d);
    readTimes(rs);
    doctors()->show(QStringLiteral("C"), rs.Fields(QStringLiteral("Consul")));
}

void frm_Discharge_Cer::cmd_find_con_Click() {
    doctors()->find(QStringLiteral("C"));
}

void frm_Discharge_Cer::cmds_cancel_Click() {
    ui_->SSTab1->setCurrentIndex(0);
}
