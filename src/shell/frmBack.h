#pragma once

#include "ui/form.h"

#include <memory>

class QTimer;
namespace Ui {
class frmBack;
}

// The main window's backdrop: the program's title, the logo and a running date-and-time label.
class frmBack : public wb::ui::Form {
    Q_OBJECT
public:
    frmBack();
    ~frmBack() override;
    void Form_Load() override;
    void Timer1_Timer();
    // The date label's text for one reading of the clock.
    static QString dateCaption(const QDateTime& now);

    Ui::frmBack* ui() const { return ui_.get(); }
    QTimer* Timer1 = nullptr;

private:
    std::unique_ptr<Ui::frmBack> ui_;
};
