#pragma once

#include "common/registerform.h"
#include "ui/daychosen.h"
#include "ui/guard.h"

#include <QLineEdit>
#include <QPushButton>

// What the admission, observation and operation screens share of their construction: the same
// controls under the same names, so each passes its generated ui_ class and itself.
namespace wb::inpatient {

// The controls the register pattern takes: the registration number is the first entry box, the
// search page has its own criterion list, search box and grid.
template <class Ui> common::RegisterControls controls(Ui& u) {
    auto c = common::standardControls(u);
    c.firstEntry = u.txt_reg_no;
    c.tabs = u.SSTab1;
    c.criteria = u.cmb_s_cri;
    c.search = u.txt_s_val;
    c.grid = u.Msh;
    return c;
}

// Connects the patient and doctor Find commands and the search page's cancel; emptying the patient
// ID box empties the patient boxes.
template <class Form, class Ui> void connectPickCommands(Form* form, Ui& u) {
    const auto on = [form](QPushButton* b, void (Form::*slot)()) {
        QObject::connect(b, &QPushButton::clicked, form, ui::handler([form, slot] { (form->*slot)(); }));
    };
    on(u.cmb_pat_search, &Form::cmb_pat_search_Click);
    on(u.cmd_find_con, &Form::cmd_find_con_Click);
    on(u.cmd_find_duty_doc, &Form::cmd_find_duty_doc_Click);
    on(u.cmd_find_R_doc, &Form::cmd_find_R_doc_Click);
    on(u.cmds_cancel, &Form::cmds_cancel_Click);
    QObject::connect(u.txt_Pat_Row_no, &QLineEdit::textChanged, form, [form](const QString& text) {
        if (text.isEmpty())
            form->ClearPatient();
    });
}

} // namespace wb::inpatient
