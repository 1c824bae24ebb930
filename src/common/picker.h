#pragma once

#include "session/module1.h"
#include "ui/firstfocus.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTabWidget>

namespace wb::common {

// Where and how a screen opens a register as its pick list.
struct PickPlacement {
    bool unloadFirst = false; // open the register fresh (discarding what was typed in it)
    int top = -1, left = -1;  // twips; -1 = not set
    int width = -1, height = -1;
    QString docPickFor; // for the doctor register: the box that receives the doctor
};

// The caller's side of a pick: let pending events run, unload first where asked, set PickMode
// (and DocPickFor), show the register on its search page at the given place, and return at once.
// The register hands the picked row back through Module1's variables; the caller takes them in its
// Form_Activate.
template <class Register> Register& openPicker(const PickPlacement& p) {
    QCoreApplication::processEvents();
    if (p.unloadFirst)
        ui::Forms::unload<Register>();
    Module1::PickMode = true;
    if (!p.docPickFor.isEmpty())
        Module1::DocPickFor = p.docPickFor;
    Register& r = ui::Forms::get<Register>();
    r.Show();
    if (auto* tab = r.template findChild<QTabWidget*>(QStringLiteral("SSTab1")))
        ui::openOnPage(tab, 1); // the focus in the search page, where typing searches
    else if (auto* search = r.template findChild<QLineEdit*>(QStringLiteral("txt_s_value")))
        search->setFocus(Qt::OtherFocusReason); // a pick list of one page: its search box
    if (p.width >= 0)
        r.setWidthTw(p.width);
    if (p.height >= 0)
        r.setHeightTw(p.height);
    if (p.top >= 0)
        r.setTopTw(p.top);
    if (p.left >= 0)
        r.setLeftTw(p.left);
    return r;
}

// The taker's side of a pick, in the taker's Form_Activate: when the register has handed a row back
// (its id above 0), runs take() and puts the id back to 0, so that the next activation takes
// nothing. Returns whether a value was taken.
//   takePicked(Module1::SelDocId, [&] { txt_doc->setText(Module1::SelDocName); });
template <class Id, class Take> bool takePicked(Id& id, Take&& take) {
    if (id <= 0)
        return false;
    take();
    id = 0;
    return true;
}

} // namespace wb::common
