#include "frmSecMenus.h"

#include "shell/module1.h"
#include "ui/guard.h"
#include "ui/msgbox.h"
#include "ui_frmSecMenus.h"

#include <QCheckBox>

using namespace wb;
using Module1::Con;
using Module1::Rs;

frmSecMenus::frmSecMenus() : ui_(std::make_unique<Ui::frmSecMenus>()) {
    ui_->setupUi(this);
    saved_ = {ui_->Check,   ui_->Check1, ui_->Check2,  ui_->Check3,  ui_->Check4,
              ui_->Check5,  ui_->Check6, ui_->Check15, ui_->Check14, ui_->Check12,
              ui_->Check11, ui_->Check9, ui_->Check10, ui_->Check17};
    // A ticked box shows its caption bold, whether the user or the loading ticked it.
    for (QCheckBox* box : saved_)
        connect(box, &QCheckBox::toggled, this, [this, box] { showTicked(box); });
    connect(ui_->cboUser, &QComboBox::currentTextChanged, this, ui::handler([this] { cboUser_Change(); }));
    connect(ui_->cboUser, &QComboBox::activated, this, ui::handler([this] { cboUser_Click(); }));
    connect(ui_->cmdSave, &QPushButton::clicked, this, ui::handler([this] { cmdSave_Click(); }));
    connect(ui_->Command1, &QPushButton::clicked, this, ui::handler([this] { Command1_Click(); }));
}

frmSecMenus::~frmSecMenus() = default;

void frmSecMenus::Form_Load() {
    rsUsers.Open(QStringLiteral("select row_no,User_Name From User_Information Order By User_Name"), *Con);
    {
        const QSignalBlocker quiet(ui_->cboUser);
        for (rsUsers.MoveFirst(); !rsUsers.isEOF(); rsUsers.MoveNext())
            ui_->cboUser->addItem(rsUsers.text(QStringLiteral("User_Name")),
                                  rsUsers.Fields(QStringLiteral("row_no")));
        ui_->cboUser->setCurrentIndex(-1);
    }
    if (rsUsers.RecordCount() > 0) {
        rsUsers.MoveFirst();
        setBoundText(rsUsers.text(QStringLiteral("row_no"))); // opens on the first user by name
    }
}

void frmSecMenus::Form_Unload() {
    Module1::ApplyMenuRights();
}

QString frmSecMenus::boundText() const {
    const int i = ui_->cboUser->findText(ui_->cboUser->currentText(), Qt::MatchFixedString);
    return i < 0 ? QString() : ui_->cboUser->itemData(i).toString();
}

void frmSecMenus::setBoundText(const QString& rowNo) {
    const int i = ui_->cboUser->findData(rowNo.toLongLong());
    if (i >= 0)
        ui_->cboUser->setCurrentIndex(i);
}

void frmSecMenus::cboUser_Change() {
    OpenMenus();
}

void frmSecMenus::cboUser_Click() {
    cboUser_Change();
}

void frmSecMenus::showTicked(QCheckBox* box) {
    QFont f = box->font();
    f.setBold(box->isChecked());
    box->setFont(f);
}

void frmSecMenus::OpenMenus() {
    const QList<QCheckBox*> boxes = findChildren<QCheckBox*>();
    for (QCheckBox* box : boxes)
        box->setChecked(false);
    const QString user = boundText();
    if (user.isEmpty())
        return; // the text names no user: nothing to show
    Module1::OpenRs(QStringLiteral("Select * From Chart_Of_Menus Where User_ID  = ?"), {user.toLongLong()});
    for (Rs->MoveFirst(); !Rs->isEOF(); Rs->MoveNext()) {
        const QString menus = Rs->text(QStringLiteral("Menus"));
        const bool active = Rs->text(QStringLiteral("Active")) == QLatin1String("1");
        for (QCheckBox* box : boxes)
            if (box->text() == menus)
                box->setChecked(active);
    }
}

void frmSecMenus::cmdSave_Click() {
    if (Module1::UserType != QLatin1String("A")) {
        ui::MsgBox(QStringLiteral("Only an administrator may set menus: nothing was saved."),
                   ui::vbInformation);
        return;
    }
    if (ui_->cboUser->count() == 0) {
        ui::MsgBox(QStringLiteral("There are no users yet: add a user first. Nothing was saved."),
                   ui::vbInformation);
        return;
    }
    const QString user = boundText();
    if (user.isEmpty()) {
        ui::MsgBox(QStringLiteral("Please choose a user from the list. Nothing was saved."),
                   ui::vbInformation);
        ui_->cboUser->setFocus();
        return;
    }
    const qlonglong id = user.toLongLong();
    bool vanished = false;
    {
        // The old rows are replaced all at once: a failure leaves them as they were.
        Transaction t(*Con);
        if (!Con->scalar(QStringLiteral("select 1 from User_Information where Row_No = ?"), {id}).isValid()) {
            vanished = true;
        } else {
            Con->Execute(QStringLiteral("Delete From Chart_Of_Menus Where User_ID = ?"), {id});
            Module1::OpenRs(QStringLiteral("Select * From Chart_Of_Menus Where 0 = 1"));
            for (QCheckBox* box : saved_) {
                Rs->AddNew();
                Rs->setField(QStringLiteral("User_ID"), id);
                Rs->setField(QStringLiteral("Menus"), box->text());
                Rs->setField(QStringLiteral("Active"),
                             box->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
                Rs->Update();
            }
            t.commit();
        }
    }
    if (vanished) {
        ui::MsgBox(
            QStringLiteral("This user no longer exists: another desk has deleted it. Nothing was saved."),
            ui::vbInformation);
        return;
    }
    unload();
}

void frmSecMenus::Command1_Click() {
    unload();
}
