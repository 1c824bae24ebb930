#include "printing.h"

#include "report/print.h"

#include <QWidget>

namespace wb::common {

void printReport(QWidget* owner, const QString& templateFile, const QString& formula) {
    report::printRecord(owner, templateFile, formula);
}

} // namespace wb::common
