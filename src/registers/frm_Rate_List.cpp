#include "frm_Rate_List.h"

#include "common/printing.h"
#include "data/recordset.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frm_Rate_List.h"

#include <QKeyEvent>
#include <QRegularExpression>

using namespace wb;

namespace {

common::RegisterDefinition rateListDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Rate_List");
    s.key = QStringLiteral("Row_no");
    s.keyByDatabase = true;
    s.tag = QStringLiteral("D");
    s.skipped = {QStringLiteral("txt_Row_No")};
    s.required = {{QStringLiteral("txt_Rate"), QStringLiteral("please enter Rate")}};
    s.loadWithFirstCriterion = false;
    s.grid = {{QStringLiteral("Service code"), 0}, {QString(), 0},
              {QStringLiteral("Test"), 4000},      {QStringLiteral("Rate"), 1500},
              {QStringLiteral("Status"), 1000},    {QStringLiteral("Services Name"), 3000}};
    s.limitLengths = false; // the boxes keep their designed lengths
    s.enterInGridPicks = true;
    s.unloadClearsPickMode = false; // a pick from the rate list leaves PickMode set
    s.unloadAppliesMenuRights = true;
    s.printTemplate = QStringLiteral("rpt_Rate_lists.rpt");
    return s;
}

// A rate as the box takes it: digits with at most one decimal point, and at least one digit.
bool isRate(const QString& text) {
    static const QRegularExpression rate(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    return rate.match(text.trimmed()).hasMatch();
}

} // namespace

frm_Rate_List::frm_Rate_List()
    : RegisterForm(rateListDefinition()), ui_(std::make_unique<Ui::frm_Rate_List>()) {
    ui_->setupUi(this);
    bindControls();
    connect(ui_->data_cmbo_ser_name, &QComboBox::currentIndexChanged, this,
            ui::handler([this] { data_cmbo_ser_name_Change(); }));
    // Enter in the combo moves on to the grid.
    ui::keys::onEnter(ui_->data_cmbo_ser_name, [this] { Msh->setFocus(); });
    ui::keys::upperCase(ui_->txt_Test);
    ui::keys::enterToTab(ui_->txt_Test);
    ui::keys::digitsOnly(ui_->txt_Rate, {.allowBlank = false, .allowPoint = true});
    ui::keys::enterToTab(ui_->txt_Rate);
    ui::keys::enterToTab(ui_->txt_s_value);
    ui_->txt_s_value->installEventFilter(this); // drops the apostrophe
}

frm_Rate_List::~frm_Rate_List() = default;

void frm_Rate_List::fillFixedLists() {
    rsService_ = std::make_unique<Recordset>();
    ui_->cmb_status->addItem(QStringLiteral("Rountine"));
    ui_->cmb_status->addItem(QStringLiteral("Special"));
    ui_->cmb_status->setCurrentIndex(0);

    rsService_->Open(QStringLiteral("Select Row_no,S_Name From Services Order By S_Name"), *Module1::Con);
    QComboBox* combo = ui_->data_cmbo_ser_name;
    {
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (int r = 0; r < rsService_->RecordCount(); ++r) {
            rsService_->Move(r);
            combo->addItem(rsService_->text(QStringLiteral("S_Name")),
                           rsService_->Fields(QStringLiteral("Row_no")));
        }
        combo->setCurrentIndex(-1);
    }
    // The first head in name order is chosen (the combo's change runs as it would for the user).
    if (rsService_->RecordCount() > 0) {
        rsService_->MoveFirst();
        combo->setCurrentIndex(0);
    }
}

QVariant frm_Rate_List::boundValue() const {
    const QComboBox* combo = ui_->data_cmbo_ser_name;
    return combo->currentIndex() < 0 ? QVariant() : combo->currentData();
}

void frm_Rate_List::data_cmbo_ser_name_Change() {
    ui_->Label3->setText(ui_->data_cmbo_ser_name->currentText());
    FillGird();
}

QString frm_Rate_List::searchQuery(const QString&, QVariantList& params) const {
    QString sql = QStringLiteral(
        "select a.Row_no as Row_no, a.S_code as S_code, a.Cata as Cata, a.Rate as Rate, a.Status as Status, "
        "s.S_name as S_name from Rate_List a left join Services s on s.Row_no = a.S_code");
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
        sql += QStringLiteral(" and ") + Module1::Con->dialect().containsCI(QStringLiteral("a.Cata"));
        params << likeContains(text);
    }
    return sql + QStringLiteral(" order by s.S_name, a.Row_no");
}

void frm_Rate_List::FillGird(const QString& criterion) {
    QVariantList params;
    Module1::OpenRs(searchQuery(criterion, params), params);
    // An empty result is bound too: the grid keeps only its header row.
    Msh->Clear();
    Msh->setRedraw(false);
    Msh->bind(*Module1::Rs);
    Msh->setRedraw(true);
    SetGird();
}

bool frm_Rate_List::validate() {
    if (!boundValue().isValid()) {
        ui::MsgBox(
            QStringLiteral("There is no service head yet: please enter one in the Services register first."),
            ui::vbInformation);
        return false;
    }
    if (!isRate(ui_->txt_Rate->text())) {
        ui::MsgBox(QStringLiteral("The rate must be a number: digits with at most one decimal point."),
                   ui::vbInformation);
        ui_->txt_Rate->setFocus();
        ui_->txt_Rate->selectAll();
        return false;
    }
    return true;
}

void frm_Rate_List::writeExplicit(Recordset& rs) {
    rs.setField(QStringLiteral("status"), ui_->cmb_status->currentText());
    rs.setField(QStringLiteral("S_code"), boundValue());
}

void frm_Rate_List::writePickVariables(int row) {
    Module1::SelRateId = Msh->TextMatrix(row, 0).toLong();
    Module1::SelServiceId = Msh->TextMatrix(row, 1).toLong();
    Module1::SelServiceName = Msh->TextMatrix(row, 5);
    Module1::SelRateTest = Msh->TextMatrix(row, 2);
    const QString rate = Msh->TextMatrix(row, 3);
    Module1::SelRateAmount = rate.isEmpty() ? 0.0 : rate.toDouble();
}

void frm_Rate_List::loadPicked(int row) {
    ui_->txt_Row_No->setText(Msh->TextMatrix(row, 0));
    ui_->txt_Test->setText(Msh->TextMatrix(row, 2));
    ui_->txt_Rate->setText(Msh->TextMatrix(row, 3));
    ui_->cmb_status->setCurrentText(Msh->TextMatrix(row, 4));
}

QWidget* frm_Rate_List::firstEntryBox() const {
    return ui_->txt_Test;
}

QString frm_Rate_List::vanishedMessage() const {
    return QStringLiteral("This test no longer exists: another desk has deleted it. Nothing was saved.");
}

void frm_Rate_List::cmdCancel_Click() {
    ClearAll();
    ui_->txt_Test->setEnabled(true);
}

QString frm_Rate_List::headFormula(const QString& name) {
    // A quote inside a formula text is written as two quotes.
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("{Services.S_name} ='") + quoted + QLatin1Char('\'');
}

void frm_Rate_List::cmdPrint_Click() {
    // Always the tests of the chosen head, whether or not a test is loaded.
    common::printReport(this, definition().printTemplate,
                        headFormula(ui_->data_cmbo_ser_name->currentText()));
}

bool frm_Rate_List::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->txt_s_value && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->text() == QLatin1String("'"))
        return true;
    return RegisterForm::eventFilter(watched, event);
}
