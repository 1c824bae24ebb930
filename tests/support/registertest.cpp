#include "registertest.h"

#include "printed.h"
#include "report/frmViewer.h"
#include "report/print.h"
#include "report/reportsupport.h"
#include "report/reportviewer.h"
#include "shell/MDIForm1.h"
#include "shell/menucommands.h"
#include "ui/flexgrid.h"

namespace wbtest {

void runMenu(const char* name) {
    for (const auto& e : wb::shell::menuEntries())
        if (e.name == QLatin1String(name))
            wb::shell::runMenuCommand(e);
}

QStringList gridColumn(const wb::ui::FlexGrid& grid, int col) {
    QStringList out;
    for (int r = 1; r < grid.Rows(); ++r)
        out << grid.TextMatrix(r, col);
    return out;
}

int gridRow(const wb::ui::FlexGrid& grid, int col, const QString& text) {
    for (int r = 1; r < grid.Rows(); ++r)
        if (grid.TextMatrix(r, col) == text)
            return r;
    return -1;
}

QString viewerReportText() {
    auto* viewer = wb::ui::Forms::loaded<frmViewer>();
    if (!viewer || !viewer->CRViewer91->document()) {
        ADD_FAILURE() << "the viewer shows nothing";
        return {};
    }
    return printedText();
}

void MainWindowTest::SetUp() {
    EngineTest::SetUp();
    if (IsSkipped())
        return;
    openShared(*db);
    beforeMainWindow();
    wb::ui::Forms::get<MDIForm1>();
}

void RegisterTest::SetUp() {
    MainWindowTest::SetUp();
    if (IsSkipped())
        return;
    main = &wb::ui::Forms::get<MDIForm1>();
}

void PrintingRegisterTest::SetUp() {
    RegisterTest::SetUp();
    if (IsSkipped())
        return;
    wb::report::setTemplateFolder(reporttest::sourceTemplates());
}

void PrintingRegisterTest::TearDown() {
    wb::report::setTemplateFolder(QString());
    RegisterTest::TearDown();
}

} // namespace wbtest
