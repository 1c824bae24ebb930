#include "frmCompany.h"

#include "data/recordset.h"
#include "data/textsearch.h"
#include "session/module1.h"
#include "ui/binding.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frmCompany.h"

#include <algorithm>

using namespace wb;
using Module1::Con;

namespace {

common::RegisterDefinition companyDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Company");
    s.key = QStringLiteral("CompCode");
    s.keyByDatabase = true;
    s.tag = QStringLiteral("M");
    s.required = {{QStringLiteral("txtCompany"), QStringLiteral("please enter Company Name ")}};
    s.orderBy = QStringLiteral("Company");
    s.grid = {{QStringLiteral("CompCode"), QString(), 0},
              {QStringLiteral("Company"), QStringLiteral("Company"), 3000},
              {QStringLiteral("comTel"), QStringLiteral("Telephone"), 3000},
              {QStringLiteral("comFax"), QStringLiteral("Fax"), 3000},
              {QStringLiteral("comAddr"), QStringLiteral("Address"), 4000},
              {QStringLiteral("comActive"), QStringLiteral("Active"), 800},
              {QStringLiteral("comTax"), QStringLiteral("Sale Tax #"), 1500},
              {QStringLiteral("comNTN"), QStringLiteral("NTN #"), 1300},
              {QStringLiteral("comEmail"), QStringLiteral("Email"), 3000},
              {QStringLiteral("comWebSite"), QStringLiteral("WebSite"), 3000}};
    // An empty result shows its headers over one empty row.
    s.emptyGrid = common::RegisterDefinition::EmptyGrid::HeaderOverEmptyRow;
    s.noun = QStringLiteral("company");
    s.focusFirstAfterChange = true;
    s.deleteMessage = QStringLiteral("are you sure delete this Company");
    s.deleteTitle = QString(); // the application's own title
    s.pickTestsPickMode = false;
    s.unloadAppliesMenuRights = true;
    return s;
}

bool hasDigit(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

frmCompany::frmCompany() : RegisterForm(companyDefinition()), ui_(std::make_unique<Ui::frmCompany>()) {
    ui_->setupUi(this);
    common::RegisterControls c;
    c.keyBox = ui_->txtCompCode;
    c.save = ui_->cmdNew;
    c.del = ui_->cmdDelete;
    c.cancel = ui_->cmdCancel;
    c.exit = ui_->cmdExit;
    c.firstEntry = ui_->txtCompany;
    c.tabs = ui_->SSTab;
    c.search = ui_->txtSearch;
    c.grid = ui_->Msh;
    bindControls(c);
    ui_->SSTab->setCurrentIndex(0);
    connect(ui_->chkComActive, &QCheckBox::toggled, this, [this](bool on) {
        QFont f = ui_->chkComActive->font();
        f.setBold(on);
        ui_->chkComActive->setFont(f);
    });

    ui::keys::upperCaseAndTab({ui_->txtCompany, ui_->txtAddr, ui_->txtSearch});
    // Telephone numbers: digits and every character from the blank to the hyphen (blank, comma,
    // hyphen, parentheses, plus, ...); fax numbers: digits, the blank and the comma.
    ui::keys::reject(ui_->txtTel, [](QChar ch) { return !isDigit(ch) && (ch < u' ' || ch > u'-'); });
    ui::keys::enterToTab(ui_->txtTel);
    ui::keys::reject(ui_->txtFax, [](QChar ch) { return !isDigit(ch) && ch != u' ' && ch != u','; });
    ui::keys::enterToTab(ui_->txtFax);
}

frmCompany::~frmCompany() = default;

QString frmCompany::searchQuery(const QString&, QVariantList& params) const {
    QString sql = QStringLiteral("Select %1 from Company").arg(definition().selectList());
    const QString text = ui_->txtSearch->text();
    if (!text.isEmpty()) {
        sql += QStringLiteral(" where ") +
               TextSearch::contains(*Con, QStringLiteral("Company"), QStringLiteral("Company"), text, params);
    }
    return sql + QStringLiteral(" order by ") + listOrder();
}

void frmCompany::clearExtra() {
    ui_->mskTax->clear();
    ui_->mskNTN->clear();
    ui_->chkComActive->setChecked(false);
}

bool frmCompany::taxNumberComplete(QLineEdit* box, const QString& name) {
    if (!hasDigit(box->text()) || box->hasAcceptableInput())
        return true;
    ui::MsgBox(QStringLiteral("please enter the complete %1, or leave it empty").arg(name),
               ui::vbInformation);
    box->setFocus();
    return false;
}

bool frmCompany::validate() {
    return taxNumberComplete(ui_->mskTax, QStringLiteral("Sale Tax No")) &&
           taxNumberComplete(ui_->mskNTN, QStringLiteral("NTN No."));
}

void frmCompany::saveSteps(Recordset& rs) {
    if (ui_->chkComActive->isChecked()) {
        // Clearing the other companies' mark and writing this row stand or fall together. Another
        // desk's save of a company waits until this one is done, so two companies saved as active
        // at the same moment cannot both keep the mark.
        if (Con->engine() == Engine::Postgres)
            Con->Execute(QStringLiteral("LOCK TABLE Company IN SHARE ROW EXCLUSIVE MODE"));
        Con->Execute(QStringLiteral("update Company Set comActive = null"));
        rs.setField(QStringLiteral("comActive"), QStringLiteral("Y"));
    }
    // A tax box holds a complete number (stored with its hyphens) or nothing at all.
    const auto number = [](QLineEdit* box) {
        return hasDigit(box->text()) ? QVariant(box->text()) : QVariant();
    };
    rs.setField(QStringLiteral("comTax"), number(ui_->mskTax));
    rs.setField(QStringLiteral("comNTN"), number(ui_->mskNTN));
}

void frmCompany::Msh_DblClick() {
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        ui_->txtCompCode->clear();
    else
        RegisterForm::Msh_DblClick();
}

void frmCompany::loadPicked(int row) {
    ui_->txtCompCode->setText(cell(row, QStringLiteral("CompCode")));
    for (QLineEdit* b : boundBoxes())
        b->setText(cell(row, ui::dataField(b)));
    ui_->chkComActive->setChecked(cell(row, QStringLiteral("comActive")) == QLatin1String("Y"));
    for (auto [box, field] : {std::pair{ui_->mskTax, "comTax"}, std::pair{ui_->mskNTN, "comNTN"}}) {
        const QString number = cell(row, QLatin1String(field));
        if (number.isEmpty())
            box->clear();
        else
            box->setText(number);
    }
}
