#pragma once

#include "session/module1.h"
#include "ui/firstfocus.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QHash>
#include <QLineEdit>
#include <QTabWidget>
#include <functional>

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

// Which Find a grid pick answers. Each Find asks the register it opens and gets a number; the
// register's grid pick answers the Find that last asked that register window (and no other); a
// later Find of that register replaces the earlier one. The pick variables of Module1 are written
// and linger as before: what this adds is who may take them.
namespace picks {
// A Find opened `registerWindow`: returns the request's number.
quint64 ask(const ui::Form* registerWindow);
// The register's grid pick (every register calls it as it writes the pick variables).
void answer(const ui::Form* registerWindow);
// Whether a pick answered the request; whether its register is still open for it.
bool answered(quint64 request);
bool stillOpen(quint64 request);
// The request is over, answered or not.
void forget(quint64 request);
} // namespace picks

// One window's Finds: for each register it opened, its last Find (with the doctor box's letter).
// A value is taken only when a pick answered this window's own last Find; a Find that ended without
// a pick (the register closed or hidden, another Find of that register, forgetAll on ClearAll or on
// a grid pick of the window) leaves nothing to take.
class PickRequests {
public:
    PickRequests() = default;
    PickRequests(const PickRequests&) = delete;
    PickRequests& operator=(const PickRequests&) = delete;
    ~PickRequests() { forgetAll(); }

    // The caller side: openPicker, and the request remembered.
    template <class Register> Register& find(const PickPlacement& p) {
        Register& r = openPicker<Register>(p);
        remember(&Register::staticMetaObject, picks::ask(&r), p.docPickFor);
        return r;
    }
    // Form_Activate: when the last Find of that register was answered, runs take(letter) (the
    // letter the Find gave DocPickFor, empty for other registers) and returns true; a Find whose
    // register closed without a pick is forgotten.
    template <class Register> bool take(const std::function<void(const QString& letter)>& take) {
        return takeFrom(&Register::staticMetaObject, take);
    }
    // Whether a Find of that register waits for its pick.
    template <class Register> bool pending() const { return pending_.contains(&Register::staticMetaObject); }
    void forgetAll();

private:
    struct Request {
        quint64 number = 0;
        QString letter;
    };
    void remember(const QMetaObject* reg, quint64 number, const QString& letter);
    bool takeFrom(const QMetaObject* reg, const std::function<void(const QString&)>& take);
    QHash<const QMetaObject*, Request> pending_;
};

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
