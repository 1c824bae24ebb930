#include "frm_Services.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui/keyfilters.h"
#include "ui_frm_Services.h"

using namespace wb;

namespace {

common::RegisterDefinition servicesDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Services");
    s.key = QStringLiteral("Row_no");
    s.keyByDatabase = true;
    s.tag = QStringLiteral("D");
    s.skipped = {QStringLiteral("txt_row_no")};
    s.required = {{QStringLiteral("txt_Ser_Name"), QStringLiteral("please enter Services Name")}};
    s.selectList = QStringLiteral("row_no ,S_name,row_no");
    s.orderBy = QStringLiteral("S_name");
    s.loadWithFirstCriterion = false;
    s.grid = {{QString(), 0}, {QStringLiteral("Services Name"), 4000}, {QString(), 0}};
    s.limitLengths = false; // the name box has no maximum length
    s.confirmDelete = false;
    s.printTemplate = QStringLiteral("rpt_Services.rpt");
    s.printFormulaPrefix = QStringLiteral("{Services.Row_no} = ");
    return s;
}

} // namespace

frm_Services::frm_Services() : RegisterForm(servicesDefinition()), ui_(std::make_unique<Ui::frm_Services>()) {
    ui_->setupUi(this);
    bindControls();
    ui::keys::upperCase(ui_->txt_Ser_Name);
    ui::keys::enterToTab(ui_->txt_Ser_Name);
}

frm_Services::~frm_Services() = default;

QString frm_Services::searchQuery(const QString&, QVariantList&) const {
    return QStringLiteral("select row_no ,S_name,row_no from Services order by S_name");
}

void frm_Services::FillGird(const QString& criterion) {
    QVariantList params;
    Module1::OpenRs(searchQuery(criterion, params), params);
    // An empty table is bound too: the grid keeps only its header row.
    Msh->Clear();
    Msh->setRedraw(false);
    Msh->bind(*Module1::Rs);
    Msh->setRedraw(true);
    setGrid();
}

void frm_Services::ClearAll() {
    RegisterForm::ClearAll(); // the name box
    ui_->txt_Row_No->clear();
}

void frm_Services::writeExplicit(Recordset& rs) {
    // The code is the bare prefix, on every save of every head.
    rs.setField(QStringLiteral("S_code"), QStringLiteral("CAT-"));
}

void frm_Services::writePickVariables(int row) {
    Module1::SelServiceId = Msh->TextMatrix(row, 0).toLong();
    Module1::SelServiceName = Msh->TextMatrix(row, 1);
}

void frm_Services::loadPicked(int row) {
    ClearAll();
    ui_->txt_Row_No->setText(Msh->TextMatrix(row, 0));
    ui_->txt_Ser_Name->setText(Msh->TextMatrix(row, 1));
}

QWidget* frm_Services::firstEntryBox() const {
    return ui_->txt_Ser_Name;
}

QString frm_Services::vanishedMessage() const {
    return QStringLiteral(
        "This service head no longer exists: another desk has deleted it. Nothing was saved.");
}
