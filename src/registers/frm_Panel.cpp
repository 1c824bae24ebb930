#include "frm_Panel.h"

#include "session/module1.h"
#include "ui/flexgrid.h"
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
    s.selectList = QStringLiteral("Row_no,Panel_Code,Panel_Name");
    s.orderBy = QStringLiteral("Panel_Name");
    s.loadWithFirstCriterion = false; // the load lists every panel
    s.grid = {{QStringLiteral("Panel code"), 0}, {QString(), 0}, {QStringLiteral("Panel Name"), 7000}};
    // The boxes keep their designed maximum lengths (those of the columns).
    s.limitLengths = false;
    s.unloadAppliesMenuRights = true;
    s.printTemplate = QStringLiteral("rpt_Panel.rpt");
    s.printFormulaPrefix = QStringLiteral("{Panel.Row_no} = ");
    return s;
}

} // namespace

frm_Panel::frm_Panel() : RegisterForm(panelDefinition()), ui_(std::make_unique<Ui::frm_Panel>()) {
    ui_->setupUi(this);
    bindControls();
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->txt_panel_name, ui_->txt_s_value}) {
        ui::keys::upperCase(w);
        ui::keys::enterToTab(w);
    }
    ui::keys::discardKeys(ui_->cmb_s_cri);
}

frm_Panel::~frm_Panel() = default;

void frm_Panel::writePickVariables(int row) {
    Module1::SelPanelId = Msh->TextMatrix(row, 0).toLong();
    Module1::SelPanelName = Msh->TextMatrix(row, 2);
}

void frm_Panel::loadPicked(int row) {
    ui_->txt_Row_No->setText(Msh->TextMatrix(row, 0));
    ui_->txt_panel_code->setText(Msh->TextMatrix(row, 1));
    ui_->txt_panel_name->setText(Msh->TextMatrix(row, 2));
}

QWidget* frm_Panel::firstEntryBox() const {
    return ui_->txt_panel_name;
}

void frm_Panel::cmdCancel_Click() {
    ClearAll();
    ui_->txt_panel_code->setEnabled(true);
}

QString frm_Panel::vanishedMessage() const {
    return QStringLiteral("This panel no longer exists: another desk has deleted it. Nothing was saved.");
}
