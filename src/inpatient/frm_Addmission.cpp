#include "frm_Addmission.h"

#include "admissionrules.h"
#include "common/picker.h"
#include "data/recordset.h"
#include "data/textsearch.h"
#include "inpatientpicks.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "ui/binding.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frm_Addmission.h"

#include <QTimer>

using namespace wb;
using Module1::Con;
using Module1::Rs;

namespace {

QString doctorName(const QString& column) {
    return QStringLiteral("(select doc_name from doc where doc.Row_no = a.%1)").arg(column);
}

// The grid's twenty columns serve every search and the date filter alike. Texts built by the query
// get names of their own, so that no column of Addmission lends them its type.
common::RegisterDefinition admissionDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Addmission");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("D");
    s.skipped = {QStringLiteral("txt_IPD_no")};
    s.required = {{QStringLiteral("txt_pat_name"), QStringLiteral("please select Patient Name")},
                  {QStringLiteral("txt_reg_no"), QStringLiteral("please enter Reg NO")},
                  {QStringLiteral("txt_room_no"), QStringLiteral("please enter Room No")},
                  {QStringLiteral("txt_Consultant"), QStringLiteral("please enter Consultant")},
                  {QStringLiteral("txt_duty_doc"), QStringLiteral("please enter Duty Doctor")},
                  {QStringLiteral("txt_reff_doc"), QStringLiteral("please enter Reff Doctor")},
                  {QStringLiteral("txt_age"), QStringLiteral("please enter Age")}};
    s.criteria = {{QStringLiteral("Reg No"), QStringLiteral("a.Reg_no")},
                  {QStringLiteral("Patient Name"), QStringLiteral("b.Pat_name")},
                  {QStringLiteral("Date"), QString()}};
    s.orderBy = QStringLiteral("a.Reg_no desc");
    const QString date = Con->dialect().dateAsDdMmYyyy(QStringLiteral("a.admdate"));
    s.grid = {
        {QStringLiteral("Row_no"), QStringLiteral("Code"), 0, QStringLiteral("a.Row_no")},
        {QStringLiteral("Ipd_code"), QStringLiteral("IPD Code"), 0, QStringLiteral("a.Ipd_code")},
        {QStringLiteral("Reg_no"), QStringLiteral("Reg No"), 1000, QStringLiteral("a.Reg_no")},
        {QStringLiteral("adm_date"), QStringLiteral("Date"), 1100, date},
        {QStringLiteral("Pat_name"), QStringLiteral("Patient Name"), 4000,
         QStringLiteral("(select Pat_name from Patient_Slips where Patient_Slips.Row_no = a.Pat_row_id)")},
        {QStringLiteral("Age"), QStringLiteral("Age"), 500, QStringLiteral("a.Age")},
        {QStringLiteral("Yr"), QStringLiteral("Year"), 500, QStringLiteral("a.Yr")},
        {QStringLiteral("Weight"), QStringLiteral("Wight"), 800, QStringLiteral("a.Weight")},
        {QStringLiteral("Mei_statue"), QStringLiteral("Marital Statue"), 1300,
         QStringLiteral("a.Mei_statue")},
        {QStringLiteral("Tel_no"), QStringLiteral("Telphone"), 3000, QStringLiteral("a.Tel_no")},
        {QStringLiteral("Room_no"), QStringLiteral("Room No"), 2000, QStringLiteral("a.Room_no")},
        {QStringLiteral("Addr"), QStringLiteral("Address"), 4000, QStringLiteral("a.Addr")},
        {QStringLiteral("Obser"), QStringLiteral("Observation"), 3000, QStringLiteral("a.Obser")},
        {QStringLiteral("Name_responsible"), QStringLiteral("Name Of Financial Responsible Person"), 4000,
         QStringLiteral("a.Name_responsible")},
        {QStringLiteral("Rel_pat"), QStringLiteral("Relation With Patient"), 3000,
         QStringLiteral("a.Rel_pat")},
        {QStringLiteral("consultant_name"), QStringLiteral("Consultant"), 3000,
         doctorName(QStringLiteral("consultant"))},
        {QStringLiteral("duty_name"), QStringLiteral("Duty Doctor"), 3000,
         doctorName(QStringLiteral("duty_doc"))},
        {QStringLiteral("reff_name"), QStringLiteral("Reffered Doctor"), 3000,
         doctorName(QStringLiteral("reff_doc"))},
        {QStringLiteral("Shift"), QStringLiteral("Shift"), 600, QStringLiteral("a.Shift")},
        {QStringLiteral("admtime"), QStringLiteral("Time"), 900, QStringLiteral("a.admtime")}};
    s.noun = QStringLiteral("admission");
    s.cancelEnables = QStringLiteral("txt_reg_no");
    s.pickTestsPickMode = false; // never a pick list: a pick always opens the admission
    s.unloadClearsPickMode = false;
    s.printTemplate = QStringLiteral("rpt_Admission.rpt");
    s.printFormulaPrefix = QStringLiteral("{Addmission.Row_no} = ");
    return s;
}

void setCombo(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    combo->setCurrentText(text);
}

} // namespace

frm_Addmission::frm_Addmission()
    : RegisterForm(admissionDefinition()), ui_(std::make_unique<Ui::frm_Addmission>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_);
    c.firstEntry = ui_->txt_reg_no;
    c.tabs = ui_->SSTab1;
    c.criteria = ui_->cmb_s_cri;
    c.search = ui_->txt_s_val;
    c.grid = ui_->Msh;
    bindControls(c);
    ui_->adm_date->setDate(ui::Clock::now().date());
    ui_->DTPicker2->setDate(ui::Clock::now().date());

    namespace keys = ui::keys;
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->txt_pat_name, ui_->txt_father, ui_->txt_address_relative, ui_->txt_observation,
             ui_->txt_name_responsible, ui_->txt_room_no, ui_->txt_tel_no, ui_->txt_address,
             ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc, ui_->txt_s_val}) {
        keys::enterToTab(w);
        keys::upperCase(w);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->txt_contact, ui_->cmb_sex, ui_->cmb_year, ui_->cmb_shift,
                                         ui_->txt_age, ui_->txt_weight, ui_->txt_reg_no})
        keys::enterToTab(w);
    keys::digitsOnly(ui_->txt_age);
    keys::digitsOnly(ui_->txt_weight, {.allowPoint = true});
    keys::reject(ui_->txt_reg_no, [](QChar ch) { return ch == u' '; });

    clock_ = new inpatient::AdmissionClock(ui_->MaskEdBox1, ui_->cmb_shift, this);
    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, ui::handler([this] { Timer2_Timer(); }));
    Timer2->start();

    const auto on = [this](QPushButton* b, void (frm_Addmission::*slot)()) {
        connect(b, &QPushButton::clicked, this, ui::handler([this, slot] { (this->*slot)(); }));
    };
    on(ui_->cmb_pat_search, &frm_Addmission::cmb_pat_search_Click);
    on(ui_->cmd_find_con, &frm_Addmission::cmd_find_con_Click);
    on(ui_->cmd_find_duty_doc, &frm_Addmission::cmd_find_duty_doc_Click);
    on(ui_->cmd_find_R_doc, &frm_Addmission::cmd_find_R_doc_Click);
    on(ui_->cmds_cancel, &frm_Addmission::cmds_cancel_Click);
    connect(ui_->cmb_s_cri, &QComboBox::currentTextChanged, this,
            ui::handler([this] { cmb_s_cri_Change(); }));
    connect(ui_->DTPicker2, &QDateEdit::dateChanged, this, ui::handler([this] { DTPicker2_Change(); }));
    connect(ui_->txt_Pat_Row_no, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            ClearPatient();
    });
}

frm_Addmission::~frm_Addmission() = default;

void frm_Addmission::Form_Load() {
    setLeftTw(0);
    setTopTw(0);
    setHeightTw(10215);
    setWidthTw(15285);
    RegisterForm::Form_Load();
}

void frm_Addmission::fillFixedLists() {
    const auto fill = [](QComboBox* c, const QStringList& items) {
        c->addItems(items);
        c->setCurrentIndex(0);
    };
    fill(ui_->cmb_sex, {QStringLiteral("M"), QStringLiteral("F")});
    fill(ui_->Combo2, {QStringLiteral("Married"), QStringLiteral("Un-Married")});
    fill(ui_->cmb_shift, {QStringLiteral("M"), QStringLiteral("E"), QStringLiteral("N")});
    fill(ui_->Combo1, {QStringLiteral("Father"), QStringLiteral("Mother"), QStringLiteral("Sister"),
                       QStringLiteral("Brother"), QStringLiteral("Husband"), QStringLiteral("Wife")});
    fill(ui_->cmb_year, {QStringLiteral("D"), QStringLiteral("M"), QStringLiteral("Y")});
    Timer2_Timer();
}

void frm_Addmission::Form_Activate() {
    inpatient::takePicks(*ui_, [this](long id) { FillPatient(id); });
}

void frm_Addmission::FillPatient(long patientId) {
    if (!inpatient::showPatient(*ui_, patientId)) {
        ui::MsgBox(QStringLiteral("patient not found!"), ui::vbInformation);
        ClearPatient();
    }
}

void frm_Addmission::ClearPatient() {
    for (QLineEdit* b :
         {ui_->txt_pat_name, ui_->txt_father, ui_->txt_age, ui_->txt_contact, ui_->txt_address_relative})
        b->clear();
    setCombo(ui_->cmb_year, QString());
    setCombo(ui_->cmb_sex, QString());
}

void frm_Addmission::clearExtra() {
    for (QLineEdit* b : {ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc, ui_->txt_pat_name,
                         ui_->txt_father, ui_->txt_contact, ui_->txt_address_relative})
        b->clear();
    setCombo(ui_->cmb_year, QString());
    setCombo(ui_->cmb_sex, QString());
    // A new admission again: the time box follows the clock.
    clock_->release();
}

void frm_Addmission::FillData() {
    if (keyBox->text().isEmpty() || !inpatient::readAdmission(keyBox->text().toLongLong()))
        return;
    for (QLineEdit* b : boundBoxes())
        b->setText(Rs->text(ui::dataField(b)));
    inpatient::showAdmission(*ui_, ui_->adm_date, *clock_);
}

QString frm_Addmission::searchQuery(const QString& criterion, QVariantList& params) const {
    QString sql = QStringLiteral("select %1 from Addmission a").arg(definition().selectList());
    if (criterion == QLatin1String("Reg No")) {
        sql += QStringLiteral(" where ") +
               TextSearch::contains(*Con, QStringLiteral("Addmission"), QStringLiteral("Reg_no"),
                                    ui_->txt_s_val->text(), params, QStringLiteral("a"));
    } else if (criterion == QLatin1String("Patient Name")) {
        sql +=
            QStringLiteral(" where a.Pat_row_id in (select b.Row_no from Patient_Slips b where %1)")
                .arg(TextSearch::contains(*Con, QStringLiteral("Patient_Slips"), QStringLiteral("Pat_name"),
                                          ui_->txt_s_val->text(), params, QStringLiteral("b")));
    }
    return sql + QStringLiteral(" order by ") + listOrder();
}

void frm_Addmission::FillGird(const QString&) {
    // The criterion is always the list's own.
    RegisterForm::FillGird(ui_->cmb_s_cri->currentText());
}

void frm_Addmission::cmb_s_cri_Change() {
    ui_->DTPicker2->setVisible(ui_->cmb_s_cri->currentText() == QLatin1String("Date"));
}

void frm_Addmission::DTPicker2_Change() {
    const QDate day = ui_->DTPicker2->date();
    Module1::SearchDate = day.toString(QStringLiteral("yyyy-MM-dd"));
    Msh->setRedraw(false);
    Msh->bindQuery(
        *Con,
        QStringLiteral("select %1 from Addmission a where a.admdate = ? order by Pat_name, a.Row_no")
            .arg(definition().selectList()),
        {day});
    Msh->setRedraw(true);
    setGrid();
}

void frm_Addmission::Timer2_Timer() {
    clock_->tick();
}

bool frm_Addmission::validate() {
    if (inpatient::timeOfBox(ui_->MaskEdBox1->text()).isValid())
        return true;
    ui::MsgBox(QStringLiteral("please enter Time as HH:MM:SS"), ui::vbInformation);
    ui_->MaskEdBox1->setFocus();
    return false;
}

void frm_Addmission::saveSteps(Recordset& rs) {
    const qint64 key = keyBox->text().toLongLong();
    inpatient::requireFreeRegNo(*Con, ui_->txt_reg_no->text(), key);
    rs.setField(QStringLiteral("Shift"), ui_->cmb_shift->currentText());
    rs.setField(QStringLiteral("Rel_pat"), ui_->Combo1->currentText());
    rs.setField(QStringLiteral("Yr"), ui_->cmb_year->currentText());
    rs.setField(QStringLiteral("Mei_statue"), ui_->Combo2->currentText());
    rs.setField(QStringLiteral("admdate"), ui_->adm_date->date());
    const QString ipd = ui_->txt_IPD_no->text();
    rs.setField(QStringLiteral("Ipd_code"),
                ipd.isEmpty() ? inpatient::ipdCode(key) : inpatient::ipdPrefix + ipd);
    rs.setField(QStringLiteral("admtime"), inpatient::timeOfBox(ui_->MaskEdBox1->text()));
}

void frm_Addmission::cmdSave_Click() {
    inpatient::saveUniqueRegNo(*Con, ui_->txt_reg_no, keyBox, [this] { RegisterForm::cmdSave_Click(); });
}

void frm_Addmission::cmdDelete_Click() {
    RegisterForm::cmdDelete_Click();
    ui_->txt_reg_no->setEnabled(true);
}

void frm_Addmission::loadPicked(int row) {
    ClearAll();
    keyBox->setText(cell(row, QStringLiteral("Row_no")));
    FillData();
    // The patient lookup clears the age and its unit when the patient is gone: they are the row's.
    const QString age = ui_->txt_age->text();
    const QString unit = ui_->cmb_year->currentText();
    if (!ui_->txt_Pat_Row_no->text().isEmpty())
        FillPatient(ui_->txt_Pat_Row_no->text().toLong());
    ui_->txt_age->setText(age);
    setCombo(ui_->cmb_year, unit);
}

void frm_Addmission::cmds_cancel_Click() {
    SSTab1->setCurrentIndex(0);
}

void frm_Addmission::cmb_pat_search_Click() {
    common::openPicker<frm_patient_detail>({.top = 1500, .left = 2500});
}

void frm_Addmission::findDoctor(const QString& letter) {
    common::openPicker<frm_Doc_Infor>({.top = 1500, .left = 2800, .docPickFor = letter});
}

void frm_Addmission::cmd_find_con_Click() {
    findDoctor(QStringLiteral("C"));
}

void frm_Addmission::cmd_find_duty_doc_Click() {
    findDoctor(QStringLiteral("D"));
}

void frm_Addmission::cmd_find_R_doc_Click() {
    findDoctor(QStringLiteral("R"));
}
