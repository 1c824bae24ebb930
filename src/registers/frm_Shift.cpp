#include "frm_Shift.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frm_Shift.h"

using namespace wb;

namespace {

common::RegisterDefinition shiftDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("SHIFT");
    s.key = QStringLiteral("row_no");
    s.keyByDatabase = true;
    s.tag = QStringLiteral("D");
    s.codeColumn = QStringLiteral("shift_code");
    s.codePrefix = QStringLiteral("SHI-");
    s.required = {{QStringLiteral("txt_shift"), QStringLiteral("please enter Shift")}};
    s.limitLengths = false;
    s.pickTestsPickMode = false;
    // No unload handler: closing the window leaves PickMode and the menu rights as they are.
    s.unloadClearsPickMode = false;
    return s;
}

const QString timeMessage = QStringLiteral("please check shif time");

} // namespace

frm_Shift::frm_Shift() : RegisterForm(shiftDefinition()), ui_(std::make_unique<Ui::frm_Shift>()) {
    ui_->setupUi(this);
    bindControls();
    ui_->MshShift->setCols(4);
    connect(ui_->MshShift, &ui::FlexGrid::DblClick, this, ui::handler([this] { MshShift_DblClick(); }));

    ui::keys::upperCase(ui_->txt_shift);
    // Enter moves on and then puts the focus straight back into the name box.
    ui::keys::onEnter(ui_->txt_shift, [this] {
        ui::keys::sendTab(ui_->txt_shift);
        ui_->txt_shift->setFocus();
    });
    ui::keys::enterToTab(ui_->msk_from_time);
    ui::keys::enterToTab(ui_->msk_to_time);
}

frm_Shift::~frm_Shift() = default;

void frm_Shift::Form_Load() {
    FillGird();
    ui_->cmb_am->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
    ui_->cmb_pm->addItems({QStringLiteral("PM"), QStringLiteral("AM")});
    ui_->cmb_am->setCurrentIndex(0);
    ui_->cmb_pm->setCurrentIndex(0);
}

void frm_Shift::FillGird(const QString&) {
    Module1::OpenRs(
        QStringLiteral("select row_no,shift_code,shift,time_from,time_to  from SHIFT order by row_no"));
    setShitGrid();
    ui::FlexGrid* grid = ui_->MshShift;
    const int count = Module1::Rs->RecordCount();
    if (count < 1) {
        grid->setRows(1);
        return;
    }
    Module1::Rs->MoveFirst();
    grid->setRows(count + 1);
    for (int i = 1; i <= count; ++i) {
        grid->setTextMatrix(i, 0, Module1::Rs->text(QStringLiteral("row_no")));
        grid->setTextMatrix(i, 1, Module1::Rs->text(QStringLiteral("shift")));
        grid->setTextMatrix(i, 2, Module1::Rs->text(QStringLiteral("time_from")));
        grid->setTextMatrix(i, 3, Module1::Rs->text(QStringLiteral("time_to")));
        Module1::Rs->MoveNext();
    }
}

void frm_Shift::setShitGrid() {
    ui::FlexGrid* grid = ui_->MshShift;
    grid->setRows(1);
    grid->setTextMatrix(0, 1, QStringLiteral("Shift"));
    grid->setTextMatrix(0, 2, QStringLiteral("From Time"));
    grid->setTextMatrix(0, 3, QStringLiteral("To Time"));
    grid->setColWidth(0, 0);
    grid->setColWidth(1, 2000);
}

void frm_Shift::clearExtra() {
    ui_->msk_from_time->clear();
    ui_->msk_to_time->clear();
}

QString frm_Shift::checkedTime(const QString& boxText) {
    QString digits;
    for (QChar c : boxText)
        if (c.isDigit())
            digits += c;
    if (digits.size() != 4)
        return {};
    if (digits.left(2).toInt() >= 24 || digits.right(2).toInt() > 59)
        return {};
    return digits.left(2) + u':' + digits.right(2);
}

bool frm_Shift::validate() {
    // Incomplete boxes first, then the hours, then the minutes: every failure reads the same.
    if (checkedTime(ui_->msk_from_time->text()).isEmpty() ||
        checkedTime(ui_->msk_to_time->text()).isEmpty()) {
        ui::MsgBox(timeMessage, ui::vbInformation);
        return false;
    }
    return true;
}

void frm_Shift::writeExplicit(Recordset& rs) {
    RegisterForm::writeExplicit(rs); // shift_code = "SHI-" & the key box (empty for a new shift)
    rs.setField(QStringLiteral("time_from"), checkedTime(ui_->msk_from_time->text()));
    rs.setField(QStringLiteral("time_to"), checkedTime(ui_->msk_to_time->text()));
}

void frm_Shift::afterSave() {
    ui::MsgBox(QStringLiteral("Sucessfully save your information"), ui::vbInformation);
}

void frm_Shift::cmdPrint_Click() {
    // The shift register does not print.
}

void frm_Shift::MshShift_DblClick() {
    ui::FlexGrid* grid = ui_->MshShift;
    const int row = grid->Row();
    if (row < 1 || grid->TextMatrix(row, 0).isEmpty())
        return;
    ClearAll();
    ui_->txt_Row_No->setText(grid->TextMatrix(row, 0));
    ui_->txt_shift->setText(grid->TextMatrix(row, 1));
    ui_->msk_from_time->setText(grid->TextMatrix(row, 2));
    ui_->msk_to_time->setText(grid->TextMatrix(row, 3));
    FillData();
    ui_->cmdSave->setText(QStringLiteral("&Save"));
    ui_->txt_shift->setFocus();
}

QWidget* frm_Shift::firstEntryBox() const {
    return ui_->txt_shift;
}

QString frm_Shift::vanishedMessage() const {
    return QStringLiteral("This shift no longer exists: another desk has deleted it. Nothing was saved.");
}
