#pragma once

#include "ui/form.h"

#include <memory>

namespace Ui {
class frm_Add_Search;
}
namespace wb::ui {
class FlexGrid;
}

// The admission pick list: every admission with its patient, narrowed by the patient's name as the
// user types; a pick hands the admission's key back through SelAdmissionId and closes the window.
class frm_Add_Search : public wb::ui::Form {
    Q_OBJECT
public:
    frm_Add_Search();
    ~frm_Add_Search() override;

    void Form_Activate() override;
    void Form_Unload() override;

    void FillGrid();
    void setGrid();
    void Msh_DblClick();
    void Cmd_Exit_Click();

    Ui::frm_Add_Search* ui() const { return ui_.get(); }
    wb::ui::FlexGrid* Msh = nullptr;

private:
    std::unique_ptr<Ui::frm_Add_Search> ui_;
};
