#include "frm_Doc_Infor.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui_frm_Doc_Infor.h"

#include <QKeyEvent>

using namespace wb;

namespace {

const QString DoctorName = QStringLiteral("Doctor Name");
const QString PanelCriterion = QStringLiteral("Panel");

// The doctor column list of the grid: every column, the percentages as text with a "%".
QString doctorColumns() {
    const auto percent = [](const char* column) {
        return QStringLiteral("CAST(%1 AS VARCHAR(3)) || '%' AS %1_pct").arg(QLatin1String(column));
    };
    return QStringLiteral("select Row_no,doc_code,doc_name,doc_des,doc_tel,doc_degree,doc_clinic,doc_add,"
                          "day_time,doc_loca,") +
           QStringList{percent("roun_per"), percent("spec_per"), percent("ultr_per"), percent("x_r_per"),
                       percent("ecg_per")}
               .join(',') +
           QStringLiteral(",Status from doc");
}

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
    s.enterInGridPicks = true;
    s.exitHidesInPickMode = true;
    s.printTemplate = QStringLiteral("rpt_Doctor.rpt");
    s.printFormulaPrefix = QStringLiteral("{doc.Row_no} = ");
    return s;
}

// Drops the apostrophe typed into a box.
class NoApostrophe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->text() == QLatin1String("'");
    }
};

} // namespace

frm_Doc_Infor::frm_Doc_Infor()
    : RegisterForm(doctorDefinition()), ui_(std::make_unique<Ui::frm_Doc_Infor>()) {
    ui_->setupUi(this);
    bindControls();

    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_Name, ui_->txt_Desig, ui_->txt_Tel,
                                                      ui_->txt_Deg, ui_->txt_Clinic, ui_->txt_Add,
                                                      ui_->txt_Visit, ui_->txt_Loca, ui_->txt_s_value}) {
        ui::keys::upperCase(w);
        ui::keys::enterToTab(w);
    }
    ui_->txt_Desig->installEventFilter(new NoApostrophe(ui_->txt_Desig));
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
    const QString text = ui_->txt_s_value->text();
    if (criterion == PanelCriterion) {
        params << likeContains(text);
        return QStringLiteral("select Row_no,doc_name,Status from doc where Status = 'Panel' and ") +
               d.containsCI(QStringLiteral("doc_name")) + order;
    }
    for (const auto& c : definition().criteria) {
        if (c.caption == criterion) {
            params << likeContains(text);
            return doctorColumns() + QStringLiteral(" where Status = 'Doctor' and ") +
                   d.containsCI(c.column) + order;
        }
    }
    return doctorColumns() + order; // doctors and panel doctors together
}

void frm_Doc_Infor::FillGird(const QString& criterion) {
    // The layout and the pick follow the query that fills the grid, not the criterion shown.
    gridHoldsPanels_ = criterion == PanelCriterion;
    RegisterForm::FillGird(criterion);
}

void frm_Doc_Infor::setGrid() {
    const auto column = [this](int c, const QString& header, int width) {
        if (c >= Msh->Cols())
            return;
        if (!header.isEmpty())
            Msh->setTextMatrix(0, c, header);
        if (width >= 0)
            Msh->setColWidth(c, width);
    };
    if (gridHoldsPanels_) {
        column(0, QStringLiteral("Code"), 0);
        column(1, QStringLiteral("Panel"), 4000);
        return;
    }
    column(0, QStringLiteral("Code"), 0);
    column(1, QString(), 0);
    column(2, QStringLiteral("Doctor Name"), 3000);
    column(3, QStringLiteral("Designation"), 3000);
    column(4, QStringLiteral("Telephone"), 3000);
    column(5, QStringLiteral("Degree"), 3000);
    column(6, QStringLiteral("Clinic"), 3000);
    column(7, QStringLiteral("Address"), 4000);
    column(8, QStringLiteral("Visit Day & Time"), 2000);
    column(9, QStringLiteral("Location"), 2000);
    column(10, QStringLiteral("Rountine Person"), 1500);
    column(11, QStringLiteral("Special Person"), 1500);
    column(12, QStringLiteral("Ultrasound Person"), 1500);
    column(13, QStringLiteral("X-Ray Person"), 1500);
    column(14, QStringLiteral("Ecg Person"), 1500);
    column(15, QStringLiteral("Status"), 1500);
}

void frm_Doc_Infor::writeExplicit(Recordset& rs) {
    if (ui_->OptPanel->isChecked())
        rs.setField(QStringLiteral("Status"), QStringLiteral("Panel"));
    else if (ui_->OptDoc->isChecked())
        rs.setField(QStringLiteral("Status"), QStringLiteral("Doctor"));
    RegisterForm::writeExplicit(rs); // doc_code = "DOC-" & key, on every save
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
    Module1::SelDocId = Msh->TextMatrix(row, 0).toLong();
    if (gridHoldsPanels_) {
        Module1::SelDocName = Msh->TextMatrix(row, 1);
        Module1::PickedPanelStatus = Msh->TextMatrix(row, 2);
        return;
    }
    Module1::SelDocName = Msh->TextMatrix(row, 2);
    // The doctor column list also lists panel doctors (after a save or delete): each row hands back
    // its own status.
    const QString status = Msh->TextMatrix(row, 15);
    Module1::PickedPanelStatus = status.isEmpty() ? QStringLiteral("Doctor") : status;
}

void frm_Doc_Infor::Msh_DblClick() {
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        return;
    ClearAll();
    ui_->txt_Row_No->setText(Msh->TextMatrix(row, 0));
    writePickVariables(row);
    if (Module1::PickMode) {
        unload();
        return;
    }
    ui_->SSTab1->setCurrentIndex(0);
    ui_->cmdSave->setText(QStringLiteral("&Save"));
    ui_->txt_Name->setFocus();
    FillData();
}

QWidget* frm_Doc_Infor::firstEntryBox() const {
    return ui_->txt_Name;
}

QString frm_Doc_Infor::vanishedMessage() const {
    return QStringLiteral("This doctor no longer exists: another desk has deleted it. Nothing was saved.");
}
