#pragma once

#include "ui/form.h"

#include <memory>

namespace Ui {
class frmViewer;
}

namespace wb::report {
class ReportViewer;
}

// The report viewer window: a top-level window whose viewer control fills its client area. One
// default instance serves every print; the user closes it.
class frmViewer : public wb::ui::Form {
    Q_OBJECT
public:
    frmViewer();
    ~frmViewer() override;

    bool isMdiChild() const override { return false; }
    void Form_Load() override;
    // The viewer fills the client area: its height, width, top 0 and left 0.
    void Form_Resize();

    wb::report::ReportViewer* CRViewer91 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<Ui::frmViewer> ui;
};
