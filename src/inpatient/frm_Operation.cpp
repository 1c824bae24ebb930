#include "frm_Operation.h"

#include "ui_frm_Observation.h"
#include "ui_frm_Operation.h"

#include <QVBoxLayout>

namespace {

wb::common::RegisterDefinition operationDefinition(wb::common::RegisterDefinition s) {
    // An operation prints the admission report.
    s.printTemplate = QStringLiteral("rpt_Admission.rpt");
    s.printFormulaPrefix = QStringLiteral("{Addmission.Row_no} = ");
    return s;
}

} // namespace

frm_Operation::frm_Operation()
    : frm_Observation(operationDefinition(observationDefinition())),
      consent_(std::make_unique<Ui::frm_Operation>()) {
    setWindowTitle(QStringLiteral("Operation"));
    ui()->Label30->setText(QStringLiteral("OPERATION  FORM"));
    // The consent panel stands above the first frame of the entry page.
    auto* panel = new QWidget(ui()->tab0);
    consent_->setupUi(panel);
    qobject_cast<QVBoxLayout*>(ui()->tab0->layout())->insertWidget(0, panel);
}

frm_Operation::~frm_Operation() = default;
