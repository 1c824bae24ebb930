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
    // Every criterion searches the doctors but the last, which searches the panel doctors; no
    // criterion lists both.
    const QString doctors = QStringLiteral("Status = 'Doctor'");
    s.criteria = {{DoctorName, QStringLiteral("doc_name"), doctors},
                  {QStringLiteral("Doctor Designation"), QStringLiteral("doc_des"), doctors},
                  {QStringLiteral("Doctor Clinic"), QStringLiteral("doc_clinic"), doctors},
                  {QStringLiteral("Doctor Location"), QStringLiteral("doc_loca"), doctors},
                  {QStringLiteral("Doctor Telephone"), QStringLiteral("doc_tel"), doctors},
                  {PanelCriterion, QStringLiteral("doc_name"), QStringLiteral("Status = 'Panel'")}};
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
    auto c = common::searchPageControls(*ui_);
    c.firstEntry = ui_->txt_Name;
    bindControls(c);

    ui::keys::upperCaseAndTab({ui_->txt_Name, ui_->txt_Desig, ui_->txt_Tel, ui_->txt_Deg, ui_->txt_Clinic,
                               ui_->txt_Add, ui_->txt_Visit, ui_->txt_Loca, ui_->txt_s_value});
    ui::keys::reject(ui_->txt_Desig, [](QChar ch) { return ch == u'\''; });
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_R_per, ui_->txt_S_per, ui_->txt_U_per,
                                                      ui_->txt_X_per, ui_->txt_Ecg_per}) {
        ui::keys::digitsOnly(w);
        ui::keys::enterToTab(w);
    }
    ui::keys::onUpDown(ui_->txt_s_value, [this] { Msh->setFocus(); });

    // Choosing Doctors or Panels switches the layout.
    for (auto [option, doctors] : {std::pair{ui_->OptDoc, true}, std::pair{ui_->OptPanel, false}})
        connect(option, &QAbstractButton::toggled, this, [this, doctors](bool on) {
            if (on)
                ui::guarded([this, doctors] { switchLayout(doctors); });
        });
}

frm_Doc_Infor::~frm_Doc_Infor() = default;

void frm_Doc_Infor::Form_Load() {
    RegisterForm::Form_Load(); // criteria, "Doctor Name" chosen, every doctor listed, lengths
    // From now on choosing a criterion searches at once.
    connect(ui_->cmb_s_cri, &QComboBox::currentIndexChanged, this,
            ui::handler([this] { cmb_s_cri_Change(); }));
}

void frm_Doc_Infor::Form_Activate() {
    // A panel doctor loaded or being typed keeps its role: coming back to the window must not make
    // the next save write it as a doctor.
    if (!ui_->OptDoc->isChecked() && !(ui_->OptPanel->isChecked() && !boxesEmpty()))
        ui_->OptDoc->setChecked(true); // runs the doctor layout switch
}

void frm_Doc_Infor::switchLayout(bool doctors) {
    ui_->LBLDoctor->setText(doctors ? DoctorName : PanelCriterion);
    // The controls of the doctor layout carry the designed property DoctorOnly.
    for (QWidget* w : findChildren<QWidget*>())
        if (w->property("DoctorOnly").toBool())
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
