#include "frm_Services.h"

#include "data/recordset.h"
#include "session/module1.h"
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
    s.orderBy = QStringLiteral("S_name");
    s.loadWithFirstCriterion = false;
    s.grid = {{QStringLiteral("row_no"), QString(), 0},
              {QStringLiteral("S_name"), QStringLiteral("Services Name"), 4000},
              {QStringLiteral("row_no"), QString(), 0}};
    s.emptyGrid = common::RegisterDefinition::EmptyGrid::HeaderOnly;
    s.limitLengths = false; // the name box has no maximum length
    s.noun = QStringLiteral("service head");
    s.confirmDelete = false;
    s.printTemplate = QStringLiteral("rpt_Services.rpt");
    s.printFormulaPrefix = QStringLiteral("{Services.Row_no} = ");
    return s;
}

} // namespace

frm_Services::frm_Services() : RegisterForm(servicesDefinition()), ui_(std::make_unique<Ui::frm_Services>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_);
    c.firstEntry = ui_->txt_Ser_Name;
    c.grid = ui_->Msh;
    bindControls(c);
    ui::keys::upperCase(ui_->txt_Ser_Name);
    ui::keys::enterToTab(ui_->txt_Ser_Name);
}

frm_Services::~frm_Services() = default;

void frm_Services::saveSteps(Recordset& rs) {
    // The code is the bare prefix, on every save of every head.
    rs.setField(QStringLiteral("S_code"), QStringLiteral("CAT-"));
}

void frm_Services::writePickVariables(int row) {
    Module1::SelServiceId = cell(row, QStringLiteral("row_no")).toLong();
    Module1::SelServiceName = cell(row, QStringLiteral("S_name"));
}

void frm_Services::loadPicked(int row) {
    ClearAll();
    ui_->txt_Row_No->setText(cell(row, QStringLiteral("row_no")));
    ui_->txt_Ser_Name->setText(cell(row, QStringLiteral("S_name")));
}
