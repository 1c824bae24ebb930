#include "frm_Doc_Infor.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui_frm_Doc_Infor.h"

using namespace wb;

namespace {

const QString DoctorName = QStringLiteral("Doctor Name");
const QString PanelCriterion = QStringLiteral("Panel");

using Column = common::RegisterDefinition::GridColumn;

// A percentage shown as text with a "%".
Column percent(const char* column, const char* header) {
    return {QLatin1String(column) + QStringLiteral("_pct"), QLatin1String(header), 1500,
            QStringLiteral("CAST(%1 AS VARCHAR(3)) || '%'").arg(QLatin1String(column))};
}

// The panel query's grid: key, name and status.
const QList<Column> panelColumns = {{QStringLiteral("Row_no"), QStringLiteral("Code"), 0},
                                    {QStringLiteral("doc_name"), PanelCriterion, 4000},
                                    {QStringLiteral("Status"), QString()}};

common::RegisterDefinition doctorDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("doc");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("M");
    s.skipped = {QStringLiteral("txt_Code")};
    s.codeColumn = QStringLiteral("doc_code");
    s.codePrefix = QStringLiteral("DOC-");
    s.required = {{QStringLiteral("txt_Name"), QStringLiteral("please enter Doctor Name")}};
    s.criteria = {{DoctorName, QStringLiteral("doc_name")},
                  {QStringLiteral("Doctor Designation"), QStringLiteral("doc_des")},
                  {QStringLiteral("Doctor Clinic"), QStringLiteral("doc_clinic")},
                  {QStringLiteral("Doctor Location"), QStringLiteral("doc_loca")},
                  {QStringLiteral("Doctor Telephone"), QStringLiteral("doc_tel")},
                  {PanelCriterion, QStringLiteral("doc_name")}};
    s.orderBy = QStringLiteral("doc_code desc");
    s.grid = {{QStringLiteral("Row_no"), QStringLiteral("Code"), 0},
              {QStringLiteral("doc_code"), QString(), 0},
              {QStringLiteral("doc_name"), QStringLiteral("Doctor Name"), 3000},
              {QStringLiteral("doc_des"), QStringLiteral("Designation"), 3000},
              {QStringLiteral("doc_tel"), QStringLiteral("Telephone"), 3000},
              {QStringLiteral("doc_degree"), QStringLiteral("Degree"), 3000},
              {QStringLiteral("doc_clinic"), QStringLiteral("Clinic"), 3000},
              {QStringLiteral("doc_add"), QStringLiteral("Address"), 4000},
              {QStringLiteral("day_time"), QStringLiteral("Visit Day & Time"), 2000},
              {QStringLiteral("doc_loca"), QStringLiteral("Location"), 2000},
              percent("roun_per", "Rountine Person"),
              percent("spec_per", "Special Person"),
              percent("ultr_per", "Ultrasound Person"),
              percent("x_r_per", "X-Ray Person"),
              percent("ecg_per", "Ecg Person"),
              {QStringLiteral("Status"), QStringLiteral("Status"), 1500}};
    s.noun = QStringLiteral("doctor");
    s.enterInGridPicks = true;
    s.exitHidesInPickMode = true;
    s.printTemplate = QStringLiteral("rpt_Doctor.rpt");
    s.printFormulaPrefix = QStringLiteral("{doc.Row_no} = ");
    return s;
}

} // namespace

frm_Doc_Infor::frm_Doc_Infor()
    : RegisterForm(doctorDefinition()), ui_(std::make_unique<Ui::frm_Doc_Infor>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_);
    c.firstEntry = ui_->txt_Name;
    c.tabs = ui_->SSTab1;
    c.criteria = ui_->cmb_s_cri;
    c.search = ui_->txt_s_value;
    c.grid = ui_->Msh;
    bindControls(c);

    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_Name, ui_->txt_Desig, ui_->txt_Tel,
                                                      ui_->txt_Deg, ui_->txt_Clinic, ui_->txt_Add,
                                                      ui_->txt_Visit, ui_->txt_Loca, ui_->txt_s_value}) {
        ui::keys::upperCase(w);
        ui::keys::enterToTab(w);
    }
    ui::keys::reject(ui_->txt_Desig, [](QChar ch) { return ch == u'\''; });
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_R_per, ui_->txt_S_per, ui_->txt_U_per,
                                                      ui_->txt_X_per, ui_->txt_Ecg_per}) {
        ui::keys::digitsOnly(w);
        ui::keys::enterToTab(w);
    }
    ui::keys::onUpDown(ui_->txt_s_value, [this] { Msh->setFocus(); });

    connect(ui_->OptDoc, &QAbstractButton::toggled, this, [this](bool on) {
        if (on)
            ui::guarded([this] { OptDoc_Click(); });
    });
    connect(ui_->OptPanel, &QAbstractButton::toggled, this, [this](bool on) {
        if (on)
            ui::guarded([this] { OptPanel_Click(); });
    });
}

frm_Doc_Infor::~frm_Doc_Infor() = default;

void frm_Doc_Infor::Form_Load() {
    RegisterForm::Form_Load(); // criteria, "Doctor Name" chosen, every doctor listed, lengths
    // From now on choosing a criterion searches at once.
    connect(ui_->cmb_s_cri, &QComboBox::currentIndexChanged, this,
            ui::handler([this] { cmb_s_cri_Change(); }));
}

bool frm_Doc_Infor::entryPageEmpty() const {
    for (QLineEdit* b : boundBoxes())
        if (!b->text().isEmpty())
            return false;
    return true;
}

void frm_Doc_Infor::Form_Activate() {
    if (ui_->OptDoc->isChecked())
        return;
    // A panel doctor loaded or being typed keeps its role: coming back to the window must not make
    // the next save write it as a doctor.
    if (ui_->OptPanel->isChecked() && !entryPageEmpty())
        return;
    ui_->OptDoc->setChecked(true); // runs the doctor layout switch
}

void frm_Doc_Infor::OptDoc_Click() {
    switchLayout(true);
}

void frm_Doc_Infor::OptPanel_Click() {
    switchLayout(false);
}

void frm_Doc_Infor::switchLayout(bool doctors) {
    ui_->LBLDoctor->setText(doctors ? DoctorName : PanelCriterion);
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->txt_Desig, ui_->txt_Tel,     ui_->txt_Deg,   ui_->txt_Clinic, ui_->txt_Add,
             ui_->txt_Visit, ui_->txt_Loca,    ui_->txt_R_per, ui_->txt_S_per,  ui_->txt_U_per,
             ui_->txt_X_per, ui_->txt_Ecg_per, ui_->Label3,    ui_->Label4,     ui_->Label5,
             ui_->Label6,    ui_->Label7,      ui_->Label8,    ui_->Label9,     ui_->Label17,
             ui_->Label18,   ui_->Label19,     ui_->Label20,   ui_->Label24,    ui_->Label10,
             ui_->Label11,   ui_->Label12,     ui_->Label13,   ui_->Label14})
        w->setVisible(doctors);
    if (ui_->SSTab1->currentIndex() == 0)
        ui_->SSTab1->setTabText(0, doctors ? QStringLiteral("Doctor Infromation")
                                           : QStringLiteral("Panel Infromation"));
    ui_->cmb_s_cri->setCurrentText(doctors ? DoctorName : PanelCriterion);
}

void frm_Doc_Infor::cmb_s_cri_Change() {
    if (ui_->cmb_s_cri->currentText() == PanelCriterion && !ui_->OptPanel->isChecked()) {
        ui_->cmb_s_cri->setCurrentIndex(0); // searches again through this handler
        return;
    }
    FillGird(ui_->cmb_s_cri->currentText());
}

QString frm_Doc_Infor::searchQuery(const QString& criterion, QVariantList& params) const {
    const Dialect& d = Module1::Con->dialect();
    const QString order = QStringLiteral(" order by doc_code desc");
    const QString doctorColumns = QStringLiteral("select %1 from doc").arg(definition().selectList());
    const QString text = ui_->txt_s_value->text();
    if (criterion == PanelCriterion) {
        params << likeContains(text);
        return QStringLiteral("select Row_no,doc_name,Status from doc where Status = 'Panel' and ") +
               d.containsCI(QStringLiteral("doc_name")) + order;
    }
    for (const auto& c : definition().criteria) {
        if (c.caption == criterion) {
            params << likeContains(text);
            return doctorColumns + QStringLiteral(" where Status = 'Doctor' and ") + d.containsCI(c.column) +
                   order;
        }
    }
    return doctorColumns + order; // doctors and panel doctors together
}

void frm_Doc_Infor::FillGird(const QString& criterion) {
    // The layout and the pick follow the query that fills the grid, not the criterion shown.
    gridHoldsPanels_ = criterion == PanelCriterion;
    RegisterForm::FillGird(criterion);
}

const QList<common::RegisterDefinition::GridColumn>& frm_Doc_Infor::gridColumns() const {
    return gridHoldsPanels_ ? panelColumns : definition().grid;
}

void frm_Doc_Infor::saveSteps(Recordset& rs) {
    if (ui_->OptPanel->isChecked())
        rs.setField(QStringLiteral("Status"), QStringLiteral("Panel"));
    else if (ui_->OptDoc->isChecked())
        rs.setField(QStringLiteral("Status"), QStringLiteral("Doctor"));
}

void frm_Doc_Infor::readExplicit(Recordset& rs) {
    // Read before switching: the switch searches again, which reopens the shared record set.
    const QString status = rs.text(QStringLiteral("Status"));
    if (status == QLatin1String("Doctor"))
        ui_->OptDoc->setChecked(true);
    else if (status == QLatin1String("Panel"))
        ui_->OptPanel->setChecked(true);
}

void frm_Doc_Infor::writePickVariables(int row) {
    Module1::SelDocId = cell(row, QStringLiteral("Row_no")).toLong();
    Module1::SelDocName = cell(row, QStringLiteral("doc_name"));
    // The doctor column list also lists panel doctors (after a save or delete): each row hands back
    // its own status.
    const QString status = cell(row, QStringLiteral("Status"));
    Module1::PickedPanelStatus = status.isEmpty() && !gridHoldsPanels_ ? QStringLiteral("Doctor") : status;
}
