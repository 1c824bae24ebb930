#pragma once

#include <QString>

class QWidget;

namespace wb::common {

// The print protocol of a screen: a new engine for this print, the template from "Hos_Report"
// beside the program, the selection formula when one is given (none: every row the template
// selects), shown in the viewer window without waiting.
void printReport(QWidget* owner, const QString& templateFile, const QString& formula);

} // namespace wb::common
