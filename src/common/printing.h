#pragma once

#include <QString>

class QWidget;

namespace wb::common {

// The print protocol of a screen: a new engine for this print, the template from "Hos_Report"
// beside the program, the selection formula when one is given (none: every row the template
// selects), shown in the viewer window without waiting. `record`: the key of the one record the
// formula selects, empty for a listing.
void printReport(QWidget* owner, const QString& templateFile, const QString& formula,
                 const QString& record = {});

} // namespace wb::common
