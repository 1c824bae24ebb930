// A pick as a user makes it: in the calling screen the user asks for the pick list by keys, picks a
// row by keys, and the pick list closes; the calling screen is the active window again, with the
// focus in it, and shows the picked value at once.
#include "session/module1.h"
#include "support/registertest.h"
#include "support/userdriver.h"

#include <QDate>
#include <QWidget>
#include <functional>

namespace user = wbtest::user;

namespace {

QString activeName() {
    wb::ui::Form* w = user::activeWindow();
    return w ? w->objectName() : QStringLiteral("(none)");
}

QWidget* control(wb::ui::Form& w, const char* name) {
    auto* c = w.findChild<QWidget*>(QLatin1String(name));
    if (!c)
        ADD_FAILURE() << w.objectName().toStdString() << " has no " << name;
    return c;
}

// Opens the pick list from the box `start`: F2 in the box, or Tab on to the Find beside it and Enter.
void askForPick(wb::ui::Form& caller, const char* start, const char* find, Qt::Key press = Qt::Key_Return) {
    user::click(control(caller, start));
    if (!find) {
        user::press(Qt::Key_F2);
        return;
    }
    for (int tabs = 0; tabs < 4 && user::focusedName() != QLatin1String(find); ++tabs)
        user::press(Qt::Key_Tab);
    ASSERT_EQ(user::focusedName(), QLatin1String(find));
    if (press == Qt::Key_unknown)
        user::click(control(caller, find));
    else
        user::press(press);
}

struct RoundTrip {
    const char* menu;     // the menu command that opens the calling screen
    const char* caller;   // the calling screen
    const char* start;    // the box the user clicks into
    const char* find;     // nullptr: F2 in the box; else the Find that Tab reaches, pressed with Enter
    QString typed;        // typed into the pick list first
    QList<Qt::Key> keys;  // then these keys
    const char* receiver; // the caller's box that shows the pick
    QString shown;
    std::function<void(wb::ui::Form&)> before = {}; // what the user does in the caller first
    Qt::Key press = Qt::Key_Return;                 // the key that presses the Find
};

class PickRoundTripTest : public wbtest::RegisterTest {
protected:
    void beforeMainWindow() override {
        Module1::LoginUserName = QStringLiteral("ADMIN");
        Module1::UserType = QStringLiteral("A");
    }
    void SetUp() override {
        RegisterTest::SetUp();
        if (IsSkipped())
            return;
        run("insert into doc (Row_no, doc_code, doc_name, Status) values (1, 'DOC-1', 'DR. AHMED', "
            "'Doctor')");
        run("insert into doc (Row_no, doc_code, doc_name, Status) values (2, 'DOC-2', 'STATE LIFE', "
            "'Panel')");
        run("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex) "
            "values (1, 'PAT-1', 'ALI RAZA', 'RAZA', 'M')");
        run("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex) "
            "values (2, 'PAT-2', 'SANA TARIQ', 'TARIQ', 'F')");
        run("insert into Services (Row_no, S_name, S_code) values (1, 'LABORATORY', 'CAT-1')");
        for (int i = 1; i <= 4; ++i)
            Module1::Con->Execute(QStringLiteral("insert into Rate_List (S_code, Cata, Rate, Status) "
                                                 "values (1, ?, ?, 'Rountine')"),
                                  {QStringLiteral("TEST %1").arg(i), 100 * i});
        run("insert into Employees (Row_no, Emp_no, Emp_name, Designation) values (1, 'E-1', 'KAMRAN', "
            "'CLERK')");
        Module1::Con->Execute(
            QStringLiteral("insert into Addmission (Row_no, Ipd_code, Reg_no, admdate, "
                           "Pat_row_id, Age, Yr) values (1, 'IPD-1', 'R-1', ?, 2, 30, 'Y')"),
            {QDate(2026, 11, 30)});
    }
    static void run(const char* sql) { Module1::Con->Execute(QLatin1String(sql)); }
};

// The slip's referrer picked from the panel doctors: the employee boxes show.
void panelReferrer(wb::ui::Form& slip) {
    askForPick(slip, "txt_ref_doc", nullptr);
    wb::ui::Form* doctors = user::activeWindow();
    ASSERT_NE(doctors, &slip);
    user::click(control(*doctors, "OptPanel"));
    user::click(control(*doctors, "txt_s_value"));
    user::press(Qt::Key_Down);
    user::press(Qt::Key_Return);
    ASSERT_EQ(user::activeWindow(), &slip);
}

TEST_P(PickRoundTripTest, PickByKeysShowsTheValueInTheActiveCaller) {
    using K = QList<Qt::Key>;
    const K downEnter{Qt::Key_Down, Qt::Key_Return};
    const RoundTrip trips[] = {
        {"mnu_test_slip",
         "frm_Test_Slips",
         "txt_opd_doc",
         nullptr,
         {},
         downEnter,
         "txt_opd_doc",
         "DR. AHMED"},
        {"mnu_test_slip",
         "frm_Test_Slips",
         "txt_ref_doc",
         nullptr,
         {},
         downEnter,
         "txt_ref_doc",
         "DR. AHMED"},
        {"mnu_test_slip", "frm_Test_Slips", "txt_pat_name", nullptr, "sana",
         K{Qt::Key_Return, Qt::Key_Return}, "txt_F_name", "TARIQ"},
        {"mnu_test_slip",
         "frm_Test_Slips",
         "txt_services",
         nullptr,
         {},
         K{Qt::Key_Return, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return},
         "txt_Test",
         "TEST 4"},
        {"mnu_test_slip",
         "frm_Test_Slips",
         "txt_Patient_code",
         nullptr,
         {},
         downEnter,
         "txt_Patient_code",
         "IPD-1",
         [](wb::ui::Form& slip) { user::click(control(slip, "optipd")); }},
        {"mnu_test_slip",
         "frm_Test_Slips",
         "txt_Emp_No",
         nullptr,
         {},
         downEnter,
         "txt_emp_name",
         "KAMRAN",
         panelReferrer},
        {"mnu_add",
         "frm_Addmission",
         "txt_Consultant",
         "cmd_find_con",
         {},
         downEnter,
         "txt_Consultant",
         "DR. AHMED"},
        {"mnu_obser",
         "frm_Observation",
         "txt_duty_doc",
         "cmd_find_duty_doc",
         {},
         downEnter,
         "txt_duty_doc",
         "DR. AHMED"},
        {"mnu_Death_Cer",
         "frm_Death_Cer",
         "txt_place_of_death",
         "cmd_find_con",
         {},
         downEnter,
         "txt_Consultant",
         "DR. AHMED"},
        {"mnu_dis_cer",
         "frm_Discharge_Cer",
         "txt_Consultant",
         "cmd_find_con",
         {},
         downEnter,
         "txt_Consultant",
         "DR. AHMED"},
        {"mnu_Rep", "frmRPTAccounts", "txtDocName", "cmdFind_Doc", {}, downEnter, "txtDocName", "DR. AHMED"},
    };
    for (const RoundTrip& t : trips) {
        SCOPED_TRACE(std::string(t.caller) + ' ' + t.receiver);
        wbtest::runMenu(t.menu);
        user::wait();
        wb::ui::Form* caller = user::activeWindow();
        ASSERT_NE(caller, nullptr);
        ASSERT_EQ(caller->objectName(), QLatin1String(t.caller));
        if (t.before)
            t.before(*caller);
        askForPick(*caller, t.start, t.find, t.press);
        const QString pickList = activeName();
        ASSERT_NE(user::activeWindow(), caller) << "no pick list is shown";
        user::type(t.typed);
        for (Qt::Key k : t.keys)
            user::press(k);
        EXPECT_EQ(activeName(), caller->objectName()) << "after a pick in " << pickList.toStdString();
        EXPECT_EQ(user::textOf(control(*caller, t.receiver)), t.shown);
        EXPECT_TRUE(caller->isAncestorOf(user::focused()))
            << "the focus is on " << user::focusedName().toStdString();
        user::press(Qt::Key_F4, Qt::ControlModifier); // closes the caller for the next trip
        EXPECT_NE(activeName(), QLatin1String(t.caller));
    }
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

WB_ENGINES(PickRoundTripTest);

} // namespace
