#include "frm_Rate_List.h"

#include "common/printing.h"
#include "data/recordset.h"
#include "data/textsearch.h"
#include "ratelistrules.h"
#include "session/module1.h"
#include "ui/binding.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frm_Rate_List.h"

using namespace wb;

namespace {

common::RegisterDefinition rateListDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Rate_List");
    s.key = QStringLiteral("Row_no");
    s.keyByDatabase = true;
    s.tag = QStringLiteral("D");
    s.skipped = {QStringLiteral("txt_Row_No")};
    s.keptOnPick = {QStringLiteral("data_cmbo_ser_name")}; // the head whose tests are listed
    s.required = {{QStringLiteral("txt_Rate"), QStringLiteral("please enter Rate")}};
    s.loadWithFirstCriterion = false;
    s.grid = {{QStringLiteral("Row_no"), QStringLiteral("Service code"), 0, QStringLiteral("a.Row_no")},
              {QStringLiteral("S_code"), QString(), 0, QStringLiteral("a.S_code")},
              {QStringLiteral("Cata"), QStringLiteral("Test"), 4000, QStringLiteral("a.Cata")},
              {QStringLiteral("Rate"), QStringLiteral("Rate"), 1500, QStringLiteral("a.Rate")},
              {QStringLiteral("Status"), QStringLiteral("Status"), 1000, QStringLiteral("a.Status")},
              {QStringLiteral("S_name"), QStringLiteral("Services Name"), 3000, QStringLiteral("s.S_name")}};
    // An empty result is bound too: the grid keeps only its header row.
    s.emptyGrid = common::RegisterDefinition::EmptyGrid::HeaderOnly;
    s.noun = QStringLiteral("test");
    s.cancelEnables = QStringLiteral("txt_Test");
    s.limitLengths = false; // the boxes keep their designed lengths
    s.enterInGridPicks = true;
    s.unloadClearsPickMode = false; // a pick from the rate list leaves PickMode set
    s.unloadAppliesMenuRights = true;
    s.printTemplate = QStringLiteral("rpt_Rate_lists.rpt");
    return s;
}

} // namespace

frm_Rate_List::frm_Rate_List()
    : RegisterForm(rateListDefinition()), ui_(std::make_unique<Ui::frm_Rate_List>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_);
    c.firstEntry = ui_->txt_Test;
    c.search = ui_->txt_s_value;
    c.grid = ui_->Msh;
    bindControls(c);
    connect(ui_->data_cmbo_ser_name, &QComboBox::currentIndexChanged, this,
            ui::handler([this] { data_cmbo_ser_name_Change(); }));
    // Enter in the combo moves on to the grid.
    ui::keys::onEnter(ui_->data_cmbo_ser_name, [this] { Msh->setFocus(); });
    ui::keys::upperCase(ui_->txt_Test);
    ui::keys::enterToTab(ui_->txt_Test);
    ui::keys::digitsOnly(ui_->txt_Rate, {.allowBlank = false, .allowPoint = true});
    ui::keys::enterToTab(ui_->txt_Rate);
    ui::keys::enterToTab(ui_->txt_s_value);
    ui::keys::reject(ui_->txt_s_value, [](QChar ch) { return ch == u'\''; });
}

frm_Rate_List::~frm_Rate_List() = default;

void frm_Rate_List::fillFixedLists() {
    rsService_ = std::make_unique<Recordset>();
    ui_->cmb_status->addItem(QStringLiteral("Rountine"));
    ui_->cmb_status->addItem(QStringLiteral("Special"));
    ui_->cmb_status->setCurrentIndex(0);

    rsService_->Open(QStringLiteral("Select Row_no,S_Name From Services Order By S_Name"), *Module1::Con);
    ui::fillDataCombo(ui_->data_cmbo_ser_name, *rsService_, QStringLiteral("S_Name"),
                      QStringLiteral("Row_no"));
    // The first head in name order is chosen (the combo's change runs as it would for the user).
    if (rsService_->RecordCount() > 0) {
        rsService_->MoveFirst();
        ui_->data_cmbo_ser_name->setCurrentIndex(0);
    }
}

QVariant frm_Rate_List::boundValue() const {
    return ui::boundValue(ui_->data_cmbo_ser_name);
}

void frm_Rate_List::data_cmbo_ser_name_Change() {
    ui_->Label3->setText(ui_->data_cmbo_ser_name->currentText());
    FillGird();
}

QString frm_Rate_List::searchQuery(const QString&, QVariantList& params) const {
    QString sql = QStringLiteral("select %1 from Rate_List a left join Services s on s.Row_no = a.S_code")
                      .arg(definition().selectList());
    const QVariant head = boundValue();
    if (!head.isValid()) {
        // No head chosen (none entered yet): nothing to list.
        return sql + QStringLiteral(" where 1 = 0");
    }
    sql += QStringLiteral(" where a.S_code = ?");
    params << head.toLongLong();
    // An empty search lists every test of the head, those saved without a name too.
    const QString text = ui_->txt_s_value->text();
    if (!text.isEmpty()) {
        sql += QStringLiteral(" and ") + TextSearch::contains(*Module1::Con, QStringLiteral("Rate_List"),
                                                              QStringLiteral("Cata"), text, params,
                                                              QStringLiteral("a"));
    }
    return sql + QStringLiteral(" order by s.S_name, a.Row_no");
}

bool frm_Rate_List::validate() {
    if (!boundValue().isValid()) {
        ui::MsgBox(
            QStringLiteral("There is no service head yet: please enter one in the Services register first."),
            ui::vbInformation);
        return false;
    }
    if (!ratelist::isRate(ui_->txt_Rate->text())) {
        ui::MsgBox(QStringLiteral("The rate must be a number: digits with at most one decimal point."),
                   ui::vbInformation);
        ui_->txt_Rate->setFocus();
        ui_->txt_Rate->selectAll();
        return false;
    }
    return true;
}

void frm_Rate_List::saveSteps(Recordset& rs) {
    rs.setField(QStringLiteral("status"), ui_->cmb_status->currentText());
    ratelist::holdHead(boundValue(), ui_->data_cmbo_ser_name->currentText());
    rs.setField(QStringLiteral("S_code"), boundValue());
}

void frm_Rate_List::writePickVariables(int row) {
    Module1::SelRateId = cell(row, QStringLiteral("Row_no")).toLong();
    Module1::SelServiceId = cell(row, QStringLiteral("S_code")).toLong();
    Module1::SelServiceName = cell(row, QStringLiteral("S_name"));
    Module1::SelRateTest = cell(row, QStringLiteral("Cata"));
    const QString rate = cell(row, QStringLiteral("Rate"));
    Module1::SelRateAmount = rate.isEmpty() ? 0.0 : rate.toDouble();
}

void frm_Rate_List::loadPicked(int row) {
    ui_->txt_Row_No->setText(cell(row, QStringLiteral("Row_no")));
    ui_->txt_Test->setText(cell(row, QStringLiteral("Cata")));
    ui_->txt_Rate->setText(cell(row, QStringLiteral("Rate")));
    ui_->cmb_status->setCurrentText(cell(row, QStringLiteral("Status")));
}

void frm_Rate_List::cmdPrint_Click() {
    common::printReport(this, definition().printTemplate,
                        ratelist::headFormula(ui_->data_cmbo_ser_name->currentText()));
}
