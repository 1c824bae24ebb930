#include "frm_Shift.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frm_Shift.h"

using namespace wb;
using Module1::Rs;

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
    s.grid = {{QStringLiteral("row_no"), QString(), 0},
              {QStringLiteral("shift"), QStringLiteral("Shift"), 2000},
              {QStringLiteral("time_from"), QStringLiteral("From Time")},
              {QStringLiteral("time_to"), QStringLiteral("To Time")}};
    s.limitLengths = false;
    s.noun = QStringLiteral("shift");
    s.pickTestsPickMode = false;
    // No unload handler: closing the window leaves PickMode and the menu rights as they are.
    s.unloadClearsPickMode = false;
    return s; // no print template: the shift register does not print
}

const QString timeMessage = QStringLiteral("please check shif time");

} // namespace

frm_Shift::frm_Shift() : RegisterForm(shiftDefinition()), ui_(std::make_unique<Ui::frm_Shift>()) {
    ui_->setupUi(this);
    auto c = common::standardControls(*ui_);
    c.firstEntry = ui_->txt_shift;
    c.grid = ui_->MshShift;
    bindControls(c);
    ui_->MshShift->setCols(4);
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

void frm_Shift::fillFixedLists() {
    ui_->cmb_am->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
    ui_->cmb_pm->addItems({QStringLiteral("PM"), QStringLiteral("AM")});
    ui_->cmb_am->setCurrentIndex(0);
    ui_->cmb_pm->setCurrentIndex(0);
}

void frm_Shift::FillGird(const QString&) {
    Module1::OpenRs(
        QStringLiteral("select row_no,shift_code,shift,time_from,time_to  from SHIFT order by row_no"));
    Msh->setRows(1);
    setGrid();
    const int count = Rs->RecordCount();
    if (count < 1)
        return;
    Rs->MoveFirst();
    Msh->setRows(count + 1);
    const auto& columns = definition().grid;
    for (int i = 1; i <= count; ++i) {
        for (int c = 0; c < columns.size(); ++c)
            Msh->setTextMatrix(i, c, Rs->text(columns[c].field));
        Rs->MoveNext();
    }
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

void frm_Shift::saveSteps(Recordset& rs) {
    rs.setField(QStringLiteral("time_from"), checkedTime(ui_->msk_from_time->text()));
    rs.setField(QStringLiteral("time_to"), checkedTime(ui_->msk_to_time->text()));
}

void frm_Shift::afterStore() {
    ui::MsgBox(QStringLiteral("Sucessfully save your information"), ui::vbInformation);
}

void frm_Shift::loadPicked(int row) {
    ClearAll();
    ui_->txt_Row_No->setText(cell(row, QStringLiteral("row_no")));
    ui_->txt_shift->setText(cell(row, QStringLiteral("shift")));
    ui_->msk_from_time->setText(cell(row, QStringLiteral("time_from")));
    ui_->msk_to_time->setText(cell(row, QStringLiteral("time_to")));
    FillData();
}
