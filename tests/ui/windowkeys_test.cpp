// The keys a user works the windows with: Enter on a command button, typing in a pick list opened by
// F2, and Ctrl+F4 on the active window.
#include "session/module1.h"
#include "support/registertest.h"
#include "support/userdriver.h"
#include "ui/flexgrid.h"

#include <QWidget>

namespace user = wbtest::user;

namespace {

QString activeName() {
    wb::ui::Form* w = user::activeWindow();
    return w ? w->objectName() : QStringLiteral("(none)");
}

template <class T = QWidget> T* seen(const char* name) {
    wb::ui::Form* w = user::activeWindow();
    T* c = w ? w->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!c)
        ADD_FAILURE() << activeName().toStdString() << " shows no " << name;
    return c;
}

class WindowKeysTest : public wbtest::RegisterTest {
protected:
    void beforeMainWindow() override {
        Module1::LoginUserName = QStringLiteral("ADMIN");
        Module1::UserType = QStringLiteral("A");
    }
};

TEST_P(WindowKeysTest, EnterOnAFocusedButtonClicksItAsSpaceDoes) {
    wbtest::runMenu("mnu_Ser_Reg");
    user::wait();
    ASSERT_EQ(user::focusedName(), QStringLiteral("txt_Ser_Name"));
    user::type(QStringLiteral("x-ray"));
    user::press(Qt::Key_Return);
    ASSERT_EQ(user::focusedName(), QStringLiteral("cmdSave")) << "Enter in the name moves on to Save";
    user::press(Qt::Key_Return);
    EXPECT_EQ(user::textOf(seen("txt_Ser_Name")), QString()) << "saved: the boxes are cleared";
    user::click(seen("txt_Ser_Name"));
    user::type(QStringLiteral("ecg"));
    user::press(Qt::Key_Return);
    ASSERT_EQ(user::focusedName(), QStringLiteral("cmdSave"));
    user::press(Qt::Key_Space);
    EXPECT_EQ(user::textOf(seen("txt_Ser_Name")), QString());
    const QStringList listed = wbtest::gridColumn(*seen<wb::ui::FlexGrid>("Msh"), 1);
    EXPECT_TRUE(listed.contains(QStringLiteral("X-RAY")) && listed.contains(QStringLiteral("ECG")))
        << listed.join('|').toStdString();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

TEST_P(WindowKeysTest, TextTypedAfterF2SearchesThePickList) {
    Module1::Con->Execute(
        QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex) "
                       "values (1, 'PAT-1', 'ALI RAZA', 'RAZA', 'M')"));
    Module1::Con->Execute(
        QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex) "
                       "values (2, 'PAT-2', 'SANA TARIQ', 'TARIQ', 'F')"));
    Module1::Con->Execute(QStringLiteral("insert into doc (Row_no, doc_code, doc_name, Status) "
                                         "values (1, 'DOC-1', 'DR. AHMED', 'Doctor')"));
    Module1::Con->Execute(QStringLiteral("insert into doc (Row_no, doc_code, doc_name, Status) "
                                         "values (2, 'DOC-2', 'DR. BUTT', 'Doctor')"));
    struct Case {
        const char* box;
        QString typed, column, listed;
    };
    const Case cases[] = {{"txt_pat_name", "sana", "Pat_name", "SANA TARIQ"},
                          {"txt_opd_doc", "butt", "doc_name", "DR. BUTT"}};
    wbtest::runMenu("mnu_test_slip");
    user::wait();
    wb::ui::Form* slip = user::activeWindow();
    ASSERT_NE(slip, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        user::click(slip->findChild<QWidget*>(QLatin1String(c.box)));
        user::press(Qt::Key_F2);
        ASSERT_NE(user::activeWindow(), slip);
        user::type(c.typed);
        EXPECT_EQ(user::textOf(user::focused()), c.typed.toUpper())
            << "typed into " << user::focusedName().toStdString();
        auto* grid = seen<wb::ui::FlexGrid>("Msh");
        ASSERT_NE(grid, nullptr);
        QStringList shown;
        for (int r = 1; r < grid->Rows(); ++r)
            shown << grid->TextMatrix(r, 2) + u'/' + grid->TextMatrix(r, 3);
        EXPECT_EQ(grid->Rows(), 2) << shown.join('|').toStdString();
        EXPECT_TRUE(shown.join('|').contains(c.listed)) << shown.join('|').toStdString();
        user::press(Qt::Key_F4, Qt::ControlModifier);
        EXPECT_EQ(user::activeWindow(), slip);
    }
}

TEST_P(WindowKeysTest, CtrlF4ClosesTheActiveWindowThroughItsUnload) {
    wbtest::runMenu("mnu_Ser_Reg");
    wbtest::runMenu("mnu_Rep"); // the account reports have no Exit of their own
    user::wait();
    ASSERT_EQ(activeName(), QStringLiteral("frmRPTAccounts"));
    user::press(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(activeName(), QStringLiteral("frm_Services"));
    EXPECT_EQ(user::focusedName(), QStringLiteral("txt_Ser_Name"));
    user::press(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(activeName(), QStringLiteral("frmBack"));
    wbtest::runMenu("mnu_Rep");
    user::wait();
    EXPECT_EQ(activeName(), QStringLiteral("frmRPTAccounts")) << "opens again after its unload";
}

WB_ENGINES(WindowKeysTest);

} // namespace
