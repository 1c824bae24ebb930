#include "printed.h"

#include "report/frmViewer.h"
#include "report/reportviewer.h"
#include "ui/form.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wbtest {

QString printedText() {
    auto* viewer = wb::ui::Forms::loaded<frmViewer>();
    if (!viewer || !viewer->CRViewer91->document())
        return {};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    viewer->CRViewer91->document()->saveAsPdf(path);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace wbtest
