#include "frm_Panel.h"

#include "session/module1.h"
#include "ui/keyfilters.h"
#include "ui_frm_Panel.h"

using namespace wb;

namespace {

common::RegisterDefinition panelDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Panel");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("M");
    s.skipped = {QStringLiteral("txt_panel_code")};
    s.codeColumn = QStringLiteral("Panel_Code");
    s.codePrefix = QStringLiteral("Pcode-"); // written again on every save
    s.required = {{QStringLiteral("txt_panel_name"), QStringLiteral("please enter Panel Name")}};
    s.criteria = {{QStringLiteral("Panel Name"), QStringLiteral("Panel_Name")}};
    s.orderBy = QStringLiteral("Panel_Name");
    s.loadWithFirstCriterion = false; // the load lists every panel
    s.grid = {{QStringLiteral("Row_no"), QStringLiteral("Panel code"), 0},
              {QStringLiteral("Panel_Code"), QString(), 0},
              {QStringLiteral("Panel_Name"), QStringLiteral("Panel Name"), 7000}};
    // The boxes keep their designed maximum lengths (those of the columns).
    s.limitLengths = false;
    s.noun = QStringLiteral("panel");
    s.cancelEnables = QStringLiteral("txt_panel_code");
    s.unloadAppliesMenuRights = true;
    s.printTemplate = QStringLiteral("rpt_Panel.rpt");
    s.printFormulaPrefix = QStringLiteral("{Panel.Row_no} = ");
    return s;
}

} // namespace

frm_Panel::frm_Panel() : RegisterForm(panelDefinition()), ui_(std::make_unique<Ui::frm_Panel>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_);
    c.firstEntry = ui_->txt_panel_name;
    c.criteria = ui_->cmb_s_cri;
    c.search = ui_->txt_s_value;
    c.grid = ui_->Msh;
    bindControls(c);
    ui::keys::upperCaseAndTab({ui_->txt_panel_name, ui_->txt_s_value});
    ui::keys::discardKeys(ui_->cmb_s_cri);
}

frm_Panel::~frm_Panel() = default;

void frm_Panel::writePickVariables(int row) {
    Module1::SelPanelId = cell(row, QStringLiteral("Row_no")).toLong();
    Module1::SelPanelName = cell(row, QStringLiteral("Panel_Name"));
}

void frm_Panel::loadPicked(int row) {
    ui_->txt_Row_No->setText(cell(row, QStringLiteral("Row_no")));
    ui_->txt_panel_code->setText(cell(row, QStringLiteral("Panel_Code")));
    ui_->txt_panel_name->setText(cell(row, QStringLiteral("Panel_Name")));
}
