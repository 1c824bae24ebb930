#include "printing.h"

#include "report/print.h"

#include <QWidget>

namespace wb::common {

void printReport(QWidget* owner, const QString& templateFile, const QString& formula, const QString& record) {
    report::printRecord(owner, templateFile, formula, record);
}

} // namespace wb::common
