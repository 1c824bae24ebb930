#include "frm_Observation.h"

#include "admissionrules.h"
#include "common/picker.h"
#include "data/recordset.h"
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
#include "ui_frm_Observation.h"

#include <QRegularExpressionValidator>
#include <QTimer>

using namespace wb;
using Module1::Con;
using Module1::Rs;

common::RegisterDefinition frm_Observation::observationDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Addmission");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("D");
    s.skipped = {QStringLiteral("txt_IPD_no")};
    s.required = {
        {QStringLiteral("txt_Pat_Row_no"), QStringLiteral("please select Patient Name")},
        {QStringLiteral("txt_father"), QStringLiteral("please enter Father Name")},
        {QStringLiteral("txt_reg_no"), QStringLiteral("please enter Reg NO")},
        {QStringLiteral("Text1"), QStringLiteral("please enter Room No")},
        {QStringLiteral("txt_address_relative"), QStringLiteral("please enter Patient Relative Address ")},
        {QStringLiteral("txt_Consultant"), QStringLiteral("please enter Consultant")},
        {QStringLiteral("txt_duty_doc"), QStringLiteral("please enter Duty Doctor")},
        {QStringLiteral("txt_reff_doc"), QStringLiteral("please enter Reff Doctor")}};
    s.criteria = {{QStringLiteral("Reg No"), QString()},
                  {QStringLiteral("Patient Name"), QString()},
                  {QStringLiteral("Date"), QString()}};
    // The grid's eighteen columns; the search queries name them so (see selectList below).
    const auto col = [](const char* field, const char* header, int width) {
        return common::RegisterDefinition::GridColumn{QString::fromLatin1(field), QString::fromLatin1(header),
                                                      width};
    };
    s.grid = {col("Row_no", "Code", 0),
              col("Ipd_code", "IPD Code", 0),
              col("Reg_no", "Reg No", 1000),
              col("adm_date", "Date", 1100),
              col("Pat_name", "Patient Name", 4000),
              col("Weight", "Wight", 800),
              col("Mei_statue", "Marital Statue", 2000),
              col("Tel_no", "Telphone", 2000),
              col("Room_no", "Room No", 2000),
              col("Addr", "Address", 4000),
              col("Obser", "Observation", 3000),
              col("Name_responsible", "Name Of Financial Responsible Person", 4000),
              col("Rel_pat", "Relation With Patient", 3000),
              col("consultant_name", "Consultant", 3000),
              col("duty_name", "Duty Doctor", 3000),
              col("reff_name", "Reffered Doctor", 3000),
              col("Shift", "Shift", 1000),
              col("admtime", "Time", 1000)};
    s.emptyGrid = common::RegisterDefinition::EmptyGrid::HeaderOnly;
    s.noun = QStringLiteral("observation");
    s.cancelEnables = QStringLiteral("txt_reg_no");
    s.limitLengths = false; // SetMaxLenght has a rule of its own
    s.unloadClearsPickMode = false;
    s.printTemplate = QStringLiteral("rpt_Observation.rpt");
    s.printFormulaPrefix = QStringLiteral("{Observation_from.Row_no} = ");
    return s;
}

namespace {

QString doctorName(const QString& column) {
    return QStringLiteral("(select doc_name from doc where doc.Row_no = a.%1)").arg(column);
}

// The grid's eighteen columns, the same for every query of the search page.
QString selectList() {
    return QStringLiteral(
               "select a.Row_no,a.Ipd_code,a.Reg_no,%1 as adm_date,"
               "(select Pat_name from Patient_Slips where Patient_Slips.Row_no = a.Pat_row_id) as Pat_name,"
               "a.Weight,a.Mei_statue,a.Tel_no,a.Room_no,a.Addr,a.Obser,a.Name_responsible,a.Rel_pat,"
               "%2 as consultant_name,%3 as duty_name,%4 as reff_name,a.Shift,a.admtime "
               "from Addmission a")
        .arg(Con->dialect().dateAsDdMmYyyy(QStringLiteral("a.admdate")),
             doctorName(QStringLiteral("consultant")), doctorName(QStringLiteral("duty_doc")),
             doctorName(QStringLiteral("reff_doc")));
}

QString patientNameFilter() {
    return QStringLiteral(" where a.Pat_row_id in (select b.Row_no from Patient_Slips b where %1)")
        .arg(Con->dialect().containsCI(QStringLiteral("b.Pat_name")));
}

void setCombo(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    combo->setCurrentText(text);
}

bool isNumber(const QString& text) {
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

} // namespace

frm_Observation::frm_Observation() : frm_Observation(observationDefinition()) {}

frm_Observation::frm_Observation(common::RegisterDefinition definition)
    : RegisterForm(std::move(definition)), ui_(std::make_unique<Ui::frm_Observation>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_);
    c.firstEntry = ui_->txt_reg_no;
    c.tabs = ui_->SSTab1;
    c.criteria = ui_->cmb_s_cri;
    c.search = ui_->txt_s_val;
    c.grid = ui_->Msh;
    bindControls(c);
    const QDate today = ui::Clock::now().date();
    for (QDateEdit* d : {ui_->DTPicker1, ui_->DTPicker2, ui_->DTPicker3})
        d->setDate(today);

    namespace keys = ui::keys;
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->txt_pat_name, ui_->txt_father, ui_->txt_address_relative, ui_->txt_observation,
             ui_->txt_name_responsible, ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc,
             ui_->txt_s_val, ui_->txt_age, ui_->txt_weight}) {
        keys::enterToTab(w);
        keys::upperCase(w);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_contact, ui_->cmb_sex, ui_->cmb_year,
                                                      ui_->cmb_shift, ui_->DTPicker1, ui_->txt_reg_no})
        keys::enterToTab(w);
    keys::digitsOnly(ui_->txt_age);
    keys::digitsOnly(ui_->txt_weight, {.allowPoint = true});
    // No blank in a registration number.
    ui_->txt_reg_no->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^ ]*")), ui_->txt_reg_no));

    clock_ = new inpatient::AdmissionClock(ui_->MaskEdBox1, ui_->cmb_shift, this);
    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, ui::handler([this] { Timer2_Timer(); }));
    Timer2->start();

    const auto on = [this](QPushButton* b, void (frm_Observation::*slot)()) {
        connect(b, &QPushButton::clicked, this, ui::handler([this, slot] { (this->*slot)(); }));
    };
    on(ui_->cmb_pat_search, &frm_Observation::cmb_pat_search_Click);
    on(ui_->cmd_find_con, &frm_Observation::cmd_find_con_Click);
    on(ui_->cmd_find_duty_doc, &frm_Observation::cmd_find_duty_doc_Click);
    on(ui_->cmd_find_R_doc, &frm_Observation::cmd_find_R_doc_Click);
    on(ui_->cmdfind, &frm_Observation::cmdfind_Click);
    on(ui_->cmdshowall, &frm_Observation::cmdshowall_Click);
    on(ui_->cmds_cancel, &frm_Observation::cmds_cancel_Click);
    // A date chosen in the calendar or typed: each picker lists the rows of its own day.
    connect(ui_->DTPicker2, &QDateEdit::dateChanged, this, ui::handler([this] { DTPicker2_Change(); }));
    connect(ui_->DTPicker3, &QDateEdit::dateChanged, this, ui::handler([this] { DTPicker3_Change(); }));
    connect(ui_->txt_Pat_Row_no, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            ClearPatient();
    });
}

frm_Observation::~frm_Observation() = default;

void frm_Observation::Form_Load() {
    setLeftTw(0);
    setTopTw(0);
    setHeightTw(loadHeight());
    setWidthTw(15255);
    RegisterForm::Form_Load();
    SetMaxLenght();
}

void frm_Observation::fillFixedLists() {
    const auto fill = [](QComboBox* c, const QStringList& items) {
        c->addItems(items);
        c->setCurrentIndex(0);
    };
    fill(ui_->cmb_sex, {QStringLiteral("Male"), QStringLiteral("Female")});
    fill(ui_->cmb_year, {QStringLiteral("D"), QStringLiteral("M"), QStringLiteral("Y")});
    setCombo(ui_->cmb_year, QString()); // the age unit starts empty
    fill(ui_->Combo2, {QStringLiteral("Married"), QStringLiteral("Un-Married")});
    fill(ui_->cmb_shift, {QStringLiteral("M"), QStringLiteral("E"), QStringLiteral("N")});
    fill(ui_->Combo1, {QStringLiteral("Father"), QStringLiteral("Mother"), QStringLiteral("Sister"),
                       QStringLiteral("Brother"), QStringLiteral("Husband"), QStringLiteral("Wife")});
    Timer2_Timer();
}

void frm_Observation::SetMaxLenght() {
    Module1::OpenRs(QStringLiteral("select * from Addmission where 0 = 1"));
    const auto limit = [](QLineEdit* b, const FieldInfo& f) {
        const int length = f.type == ColType::Text ? f.definedSize : f.precision;
        if (length > 0)
            b->setMaxLength(length);
    };
    for (QLineEdit* b : boundBoxes()) {
        const int i = Rs->fieldIndex(ui::dataField(b));
        if (i >= 0)
            limit(b, Rs->fieldInfo(i));
    }
    // The age box is not tagged, but its column is a number of a few digits.
    const int age = Rs->fieldIndex(QStringLiteral("Age"));
    if (age >= 0)
        limit(ui_->txt_age, Rs->fieldInfo(age));
}

void frm_Observation::Form_Activate() {
    inpatient::takePicks(*ui_, [this](long id) { FillPatient(id); });
}

void frm_Observation::FillPatient(long patientId) {
    if (!inpatient::showPatient(*ui_, patientId)) {
        ui::MsgBox(QStringLiteral("patient not found!"), ui::vbInformation);
        ClearPatient();
    }
}

void frm_Observation::ClearPatient() {
    for (QLineEdit* b :
         {ui_->txt_pat_name, ui_->txt_father, ui_->txt_age, ui_->txt_contact, ui_->txt_address_relative})
        b->clear();
    setCombo(ui_->cmb_year, QString());
    ui_->cmb_sex->setCurrentText(QString());
}

void frm_Observation::ClearAll() {
    RegisterForm::ClearAll();
    for (QLineEdit* b : {ui_->txt_Consultant, ui_->txt_duty_doc, ui_->txt_reff_doc})
        b->clear();
    ClearPatient();
    // A new observation again: the time box follows the clock.
    clock_->release();
}

void frm_Observation::FillData() {
    if (keyBox->text().isEmpty() || !inpatient::readAdmission(keyBox->text().toLongLong()))
        return;
    for (QLineEdit* b : boundBoxes())
        b->setText(Rs->text(ui::dataField(b)));
    ui_->txt_age->setText(Rs->text(QStringLiteral("Age")));
    inpatient::showAdmission(*ui_, ui_->DTPicker1, *clock_);
}

QString frm_Observation::searchQuery(const QString& criterion, QVariantList& params) const {
    const QString text = ui_->txt_s_val->text();
    if (criterion == QLatin1String("Reg No")) {
        params << likeContains(text);
        return selectList() + QStringLiteral(" where ") +
               Con->dialect().containsCI(QStringLiteral("a.Reg_no")) + QStringLiteral(" order by Pat_name");
    }
    if (criterion == QLatin1String("Patient Name")) {
        params << likeContains(text);
        return selectList() + patientNameFilter();
    }
    return selectList() + QStringLiteral(" order by Pat_name"); // "Date": every row
}

void frm_Observation::listRows(const QString& sql, const QVariantList& params) {
    Module1::OpenRs(sql, params);
    Msh->Clear();
    Msh->setRedraw(false);
    Msh->bind(*Rs);
    Msh->setRedraw(true);
    setGrid();
}

void frm_Observation::FillGird(const QString&) {
    // The criterion is always the list's own.
    RegisterForm::FillGird(ui_->cmb_s_cri->currentText());
}

void frm_Observation::txt_s_val_Change() {
    FillGird();
}

void frm_Observation::cmdfind_Click() {
    FillGird();
}

void frm_Observation::cmdshowall_Click() {
    listRows(selectList() + patientNameFilter(), {likeContains(ui_->txt_s_val->text())});
}

void frm_Observation::listDay(const QDate& day) {
    listRows(selectList() + QStringLiteral(" where a.admdate = ? order by Pat_name"), {day});
}

void frm_Observation::DTPicker2_Change() {
    listDay(ui_->DTPicker2->date());
}

void frm_Observation::DTPicker3_Change() {
    listDay(ui_->DTPicker3->date());
}

void frm_Observation::cmds_cancel_Click() {
    SSTab1->setCurrentIndex(0);
}

void frm_Observation::Timer2_Timer() {
    clock_->tick();
}

// Values the columns cannot take are refused before anything is shown or written; then the column
// of every tagged box is shown, one box at a time, before the saving transaction opens.
bool frm_Observation::validate() {
    const auto refuse = [](const QString& message, QWidget* focus) {
        ui::MsgBox(message, ui::vbInformation);
        focus->setFocus();
        return false;
    };
    if (!inpatient::timeOfBox(ui_->MaskEdBox1->text()).isValid())
        return refuse(QStringLiteral("please enter Time as HH:MM:SS"), ui_->MaskEdBox1);
    const QString age = ui_->txt_age->text();
    if (!age.isEmpty() && !QRegularExpression(QStringLiteral("^[0-9]+$")).match(age).hasMatch())
        return refuse(QStringLiteral("please enter Age as a number"), ui_->txt_age);
    const QString weight = ui_->txt_weight->text();
    if (!weight.isEmpty() && !isNumber(weight))
        return refuse(QStringLiteral("please enter Weight as a number"), ui_->txt_weight);
    if (keyBox->text().isEmpty() &&
        Con->scalar(QStringLiteral("select count(*) from Addmission where Reg_no = ?"),
                    {ui_->txt_reg_no->text()})
                .toLongLong() > 0)
        return refuse(inpatient::duplicateRegNoMessage, ui_->txt_reg_no);
    for (QLineEdit* b : boundBoxes()) {
        if (!definition().skipped.contains(b->objectName()))
            ui::MsgBox(b->text().isEmpty() ? b->objectName() : ui::dataField(b), ui::vbOKOnly);
    }
    return true;
}

void frm_Observation::saveSteps(Recordset& rs) {
    const qint64 key = keyBox->text().toLongLong();
    inpatient::requireFreeRegNo(*Con, ui_->txt_reg_no->text(), key);
    const QString age = ui_->txt_age->text();
    rs.setField(QStringLiteral("Shift"), ui_->cmb_shift->currentText());
    rs.setField(QStringLiteral("Yr"), ui_->cmb_year->currentText());
    rs.setField(QStringLiteral("Age"), age.isEmpty() ? QVariant() : QVariant(age.toLongLong()));
    rs.setField(QStringLiteral("admdate"), ui_->DTPicker1->date());
    const QString ipd = ui_->txt_IPD_no->text();
    rs.setField(QStringLiteral("Ipd_code"),
                ipd.isEmpty() ? inpatient::ipdCode(key) : inpatient::ipdPrefix + ipd);
    rs.setField(QStringLiteral("admtime"), inpatient::timeOfBox(ui_->MaskEdBox1->text()));
}

void frm_Observation::afterSave() {
    ui_->txt_reg_no->setEnabled(true);
}

void frm_Observation::cmdSave_Click() {
    inpatient::saveUniqueRegNo(*Con, ui_->txt_reg_no, keyBox, [this] { RegisterForm::cmdSave_Click(); });
}

void frm_Observation::cmdDelete_Click() {
    RegisterForm::cmdDelete_Click();
    ui_->txt_reg_no->setEnabled(true);
}

void frm_Observation::Msh_DblClick() {
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        return;
    ClearAll();
    keyBox->setText(Msh->TextMatrix(row, 0));
    ui_->txt_reg_no->setEnabled(false);
    FillData();
    // A patient deleted meanwhile empties the patient boxes; the age and its unit are the row's.
    const QString age = ui_->txt_age->text();
    const QString unit = ui_->cmb_year->currentText();
    if (!ui_->txt_Pat_Row_no->text().isEmpty())
        FillPatient(ui_->txt_Pat_Row_no->text().toLong());
    ui_->txt_age->setText(age);
    setCombo(ui_->cmb_year, unit);
    cmdSave->setText(QStringLiteral("&Save"));
    SSTab1->setCurrentIndex(0);
}

void frm_Observation::cmb_pat_search_Click() {
    common::openPicker<frm_patient_detail>({.top = 1000, .left = 1500, .width = 12135, .height = 6300});
}

void frm_Observation::cmd_find_con_Click() {
    common::openPicker<frm_Doc_Infor>({.top = 500, .left = 2200, .docPickFor = QStringLiteral("C")});
}

void frm_Observation::cmd_find_duty_doc_Click() {
    common::openPicker<frm_Doc_Infor>({.top = 0, .left = 2200, .docPickFor = QStringLiteral("D")});
}

void frm_Observation::cmd_find_R_doc_Click() {
    common::openPicker<frm_Doc_Infor>({.top = 500, .left = 2200, .docPickFor = QStringLiteral("R")});
}
