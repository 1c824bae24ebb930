#include "frm_Employee.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frm_Employee.h"

using namespace wb;

namespace {

common::RegisterDefinition employeeDefinition() {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Employees");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("M");
    s.required = {{QStringLiteral("txt_Emp_Nm"), QStringLiteral("please enter Employee Name")}};
    s.criteria = {{QStringLiteral("Employee Name"), QStringLiteral("Emp_name")},
                  {QStringLiteral("Employee Code"), QStringLiteral("Emp_no")}};
    s.orderBy = QStringLiteral("Emp_name");
    s.loadWithFirstCriterion = false; // the load lists every employee
    s.grid = {{QStringLiteral("Row_no"), QStringLiteral("Row No"), 0},
              {QStringLiteral("Emp_no"), QStringLiteral("Employee Code"), 1500},
              {QStringLiteral("Emp_name"), QStringLiteral("Employee Name"), 3000},
              {QStringLiteral("Designation"), QStringLiteral("Designation"), 3000},
              {QStringLiteral("Relation"), QStringLiteral("Relation"), 1500}};
    // The boxes keep their designed maximum lengths (those of the columns).
    s.limitLengths = false;
    s.noun = QStringLiteral("employee");
    s.cancelEnables = QStringLiteral("txt_Emp_No");
    s.deleteMessage = QStringLiteral("Are you sure delete this information");
    s.enterInGridPicks = true;
    s.unloadAppliesMenuRights = true;
    s.printTemplate = QStringLiteral("rpt_Employee.rpt");
    s.printFormulaPrefix = QStringLiteral("{Employees.Row_no} = ");
    return s;
}

} // namespace

const QStringList& frm_Employee::relations() {
    static const QStringList list = {QStringLiteral("Self"),   QStringLiteral("Father"),
                                     QStringLiteral("Mother"), QStringLiteral("Brother"),
                                     QStringLiteral("Sister"), QStringLiteral("Husband"),
                                     QStringLiteral("Wife")};
    return list;
}

frm_Employee::frm_Employee() : RegisterForm(employeeDefinition()), ui_(std::make_unique<Ui::frm_Employee>()) {
    ui_->setupUi(this);
    auto c = common::searchPageControls(*ui_);
    c.firstEntry = ui_->txt_Emp_Nm;
    bindControls(c);
    ui::keys::upperCase(ui_->txt_Emp_No);
    // Employee numbers are typed without blanks.
    ui::keys::reject(ui_->txt_Emp_No, [](QChar ch) { return ch == u' '; });
    ui::keys::upperCaseAndTab({ui_->txt_Emp_Nm, ui_->txt_Desig, ui_->txt_s_value});
    ui::keys::enterToTab(ui_->txt_Row_No);
    ui::keys::onUpDown(ui_->txt_s_value, [this] { ui_->Msh->setFocus(); });
    ui::keys::discardKeys(ui_->cmb_s_cri);
}

frm_Employee::~frm_Employee() = default;

void frm_Employee::fillFixedLists() {
    ui_->cmb_Relation->addItems(relations());
    ui_->cmb_Relation->setCurrentIndex(0);
    ui_->cmb_s_cri->setCurrentIndex(0);
}

bool frm_Employee::validate() {
    // A new employee's number must not be taken already, blanks ignored on both sides ("A 12" is
    // "A12"). A corrected employee is not checked.
    if (!ui_->txt_Row_No->text().isEmpty() || ui_->txt_Emp_No->text().isEmpty())
        return true;
    QString bare = ui_->txt_Emp_No->text();
    bare.remove(u' ');
    Module1::OpenRs(QStringLiteral("select Emp_no from Employees where ") +
                        Module1::Con->dialect().equalsCI(QStringLiteral("REPLACE(Emp_no,' ','')")),
                    {bare});
    if (Module1::Rs->RecordCount() > 0) {
        ui::MsgBox(QStringLiteral("Employee No. Already exitis in Employees"), ui::vbInformation);
        ui_->txt_Emp_No->setFocus();
        return false;
    }
    return true;
}

void frm_Employee::saveSteps(Recordset& rs) {
    const QString relation = ui_->cmb_Relation->currentText();
    rs.setField(QStringLiteral("Relation"), relation.isEmpty() ? QVariant() : QVariant(relation));
}

void frm_Employee::readExplicit(Recordset& rs) {
    ui_->cmb_Relation->setCurrentText(rs.text(QStringLiteral("Relation")));
}

void frm_Employee::writePickVariables(int row) {
    Module1::SelEmpNo = cell(row, QStringLiteral("Emp_no"));
    Module1::SelEmpName = cell(row, QStringLiteral("Emp_name"));
    Module1::SelEmpDesig = cell(row, QStringLiteral("Designation"));
}

void frm_Employee::loadPicked(int row) {
    ui_->txt_Row_No->setText(cell(row, QStringLiteral("Row_no")));
    ui_->txt_Emp_No->setText(cell(row, QStringLiteral("Emp_no")));
    ui_->txt_Emp_Nm->setText(cell(row, QStringLiteral("Emp_name")));
    ui_->txt_Desig->setText(cell(row, QStringLiteral("Designation")));
    ui_->cmb_Relation->setCurrentText(cell(row, QStringLiteral("Relation")));
}
