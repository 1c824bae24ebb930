#include "frmCompany.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/binding.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frmCompany.h"

#include <QKeyEvent>

using namespace wb;
using Module1::Con;
using Module1::Rs;

namespace {

common::RegisterDefinition companyDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Company");
    s.key = QStringLiteral("CompCode");
    s.keyByDatabase = true;
    s.tag = QStringLiteral("M");
    s.selectList =
        QStringLiteral("CompCode,Company,comTel,comFax,comAddr,comActive,comTax,comNTN,comEmail,comWebSite");
    s.orderBy = QStringLiteral("Company");
    s.grid = {{QString(), 0},
              {QStringLiteral("Company"), 3000},
              {QStringLiteral("Telephone"), 3000},
              {QStringLiteral("Fax"), 3000},
              {QStringLiteral("Address"), 4000},
              {QStringLiteral("Active"), 800},
              {QStringLiteral("Sale Tax #"), 1500},
              {QStringLiteral("NTN #"), 1300},
              {QStringLiteral("Email"), 3000},
              {QStringLiteral("WebSite"), 3000}};
    s.deleteMessage = QStringLiteral("are you sure delete this Company");
    s.deleteTitle = QString(); // the application's own title
    s.pickTestsPickMode = false;
    s.unloadClearsPickMode = true;
    s.unloadAppliesMenuRights = true;
    return s;
}

// Typed characters that fail the test are dropped; Backspace, Enter and other control keys pass.
class CharFilter : public QObject {
public:
    CharFilter(QWidget* box, bool (*accepts)(QChar)) : QObject(box), accepts_(accepts) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        return !text.isEmpty() && text.at(0).isPrint() && !accepts_(text.at(0));
    }

private:
    bool (*accepts_)(QChar);
};

// Telephone numbers: digits and every character from the blank to the hyphen (blank, comma,
// hyphen, parentheses, plus, ...).
bool telephoneChar(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u' ' && c <= u'-');
}

// Fax numbers: digits, the blank and the comma.
bool faxChar(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u' ' || c == u',';
}

bool hasDigit(const QString& text) {
    for (QChar c : text)
        if (c.isDigit())
            return true;
    return false;
}

} // namespace

frmCompany::frmCompany() : RegisterForm(companyDefinition()), ui_(std::make_unique<Ui::frmCompany>()) {
    ui_->setupUi(this);
    bindControls();
    keyBox = ui_->txtCompCode;
    connect(ui_->cmdNew, &QPushButton::clicked, this, ui::handler([this] { cmdNew_Click(); }));
    connect(ui_->txtSearch, &QLineEdit::textChanged, this, ui::handler([this] { FillGrid(); }));
    connect(ui_->chkComActive, &QCheckBox::toggled, this, [this](bool on) {
        QFont f = ui_->chkComActive->font();
        f.setBold(on);
        ui_->chkComActive->setFont(f);
    });

    for (QWidget* w : {static_cast<QWidget*>(ui_->txtCompany), static_cast<QWidget*>(ui_->txtAddr),
                       static_cast<QWidget*>(ui_->txtSearch)}) {
        ui::keys::upperCase(w);
        ui::keys::enterToTab(w);
    }
    new CharFilter(ui_->txtTel, telephoneChar);
    ui::keys::enterToTab(ui_->txtTel);
    new CharFilter(ui_->txtFax, faxChar);
    ui::keys::enterToTab(ui_->txtFax);
}

frmCompany::~frmCompany() = default;

void frmCompany::Form_Load() {
    RegisterForm::Form_Load(); // FillGrid, SetMaxlength
    ui_->SSTab->setCurrentIndex(0);
}

QString frmCompany::searchQuery(const QString&, QVariantList& params) const {
    QString sql = QStringLiteral("Select %1 from Company").arg(definition().selectList);
    const QString text = ui_->txtSearch->text();
    if (!text.isEmpty()) {
        sql += QStringLiteral(" where ") + Con->dialect().containsCI(QStringLiteral("Company"));
        params << likeContains(text);
    }
    return sql + QStringLiteral(" order by Company");
}

void frmCompany::FillGird(const QString& criterion) {
    QVariantList params;
    const QString sql = searchQuery(criterion, params);
    Module1::OpenRs(sql, params);
    Msh->Clear();
    Msh->setRedraw(false);
    Msh->bind(*Rs);
    if (Rs->RecordCount() < 1)
        Msh->setRows(2); // an empty result shows its headers over one empty row
    Msh->setRedraw(true);
    setGrid();
}

void frmCompany::clearExtra() {
    ui_->mskTax->clear();
    ui_->mskNTN->clear();
    ui_->chkComActive->setChecked(false);
    ui_->txtCompCode->clear();
}

bool frmCompany::taxNumberComplete(QLineEdit* box, const QString& name) {
    if (!hasDigit(box->text()) || box->hasAcceptableInput())
        return true;
    ui::MsgBox(QStringLiteral("please enter the complete %1, or leave it empty").arg(name),
               ui::vbInformation);
    box->setFocus();
    return false;
}

void frmCompany::cmdNew_Click() {
    if (ui_->txtCompany->text().isEmpty()) {
        ui::MsgBox(QStringLiteral("please enter Company Name "), ui::vbInformation);
        ui_->txtCompany->setFocus();
        return;
    }
    if (!taxNumberComplete(ui_->mskTax, QStringLiteral("Sale Tax No")) ||
        !taxNumberComplete(ui_->mskNTN, QStringLiteral("NTN No.")))
        return;
    saveCompany();
}

void frmCompany::saveCompany() {
    const bool active = ui_->chkComActive->isChecked();
    const QString code = ui_->txtCompCode->text();
    IsNew = code.isEmpty();
    bool vanished = false;
    {
        // Clearing the other companies' mark and writing this row stand or fall together.
        Transaction t(*Con);
        if (active) {
            // Another desk's save of a company waits until this one is done, so two companies
            // saved as active at the same moment cannot both keep the mark.
            if (Con->engine() == Engine::Postgres)
                Con->Execute(QStringLiteral("LOCK TABLE Company IN SHARE ROW EXCLUSIVE MODE"));
            Con->Execute(QStringLiteral("update Company Set comActive = null"));
        }
        if (IsNew) {
            Module1::OpenRs(QStringLiteral("Select * from Company where 0=1"));
            Rs->AddNew();
        } else {
            Module1::OpenRs(QStringLiteral("Select * from Company where CompCode = ?"), {code.toLongLong()});
            vanished = Rs->RecordCount() < 1;
        }
        if (!vanished) {
            if (!IsNew)
                Rs->MoveFirst();
            for (QLineEdit* b : boundBoxes())
                Rs->setField(ui::dataField(b), b->text().isEmpty() ? QVariant() : QVariant(b->text()));
            if (active)
                Rs->setField(QStringLiteral("comActive"), QStringLiteral("Y"));
            // A tax box holds a complete number (stored with its hyphens) or nothing at all.
            Rs->setField(QStringLiteral("comTax"),
                         hasDigit(ui_->mskTax->text()) ? QVariant(ui_->mskTax->text()) : QVariant());
            Rs->setField(QStringLiteral("comNTN"),
                         hasDigit(ui_->mskNTN->text()) ? QVariant(ui_->mskNTN->text()) : QVariant());
            Rs->Update();
            t.commit();
        }
    } // a vanished row rolls back the cleared marks before the message is shown
    if (vanished) {
        ui::MsgBox(
            QStringLiteral("This company no longer exists: another desk has deleted it. Nothing was saved."),
            ui::vbInformation);
        return;
    }
    ClearAll();
    FillGrid();
    ui_->txtCompany->setFocus();
}

void frmCompany::cmdDelete_Click() {
    RegisterForm::cmdDelete_Click();
    ui_->txtCompany->setFocus();
}

void frmCompany::cmdCancel_Click() {
    ClearAll();
    ui_->txtCompany->setFocus();
}

void frmCompany::Msh_DblClick() {
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty()) {
        ui_->txtCompCode->clear();
        return;
    }
    ui_->txtCompCode->setText(Msh->TextMatrix(row, 0));
    ui_->txtCompany->setText(Msh->TextMatrix(row, 1));
    ui_->txtAddr->setText(Msh->TextMatrix(row, 4));
    ui_->txtTel->setText(Msh->TextMatrix(row, 2));
    ui_->txtFax->setText(Msh->TextMatrix(row, 3));
    ui_->chkComActive->setChecked(Msh->TextMatrix(row, 5) == QLatin1String("Y"));
    const QString tax = Msh->TextMatrix(row, 6);
    if (tax.isEmpty())
        ui_->mskTax->clear();
    else
        ui_->mskTax->setText(tax);
    const QString ntn = Msh->TextMatrix(row, 7);
    if (ntn.isEmpty())
        ui_->mskNTN->clear();
    else
        ui_->mskNTN->setText(ntn);
    ui_->txtEmail->setText(Msh->TextMatrix(row, 8));
    ui_->txtWebSite->setText(Msh->TextMatrix(row, 9));
    ui_->cmdNew->setText(QStringLiteral("&Save"));
    ui_->SSTab->setCurrentIndex(0);
    ui_->txtCompany->setFocus();
}

QWidget* frmCompany::firstEntryBox() const {
    return ui_->txtCompany;
}
