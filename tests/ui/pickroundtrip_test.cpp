// A pick as a user makes it: in the calling screen the user asks for the pick list by keys, picks a
// row by keys, and the pick list closes; the calling screen is the active window again and shows the
// picked value at once.
#include "session/module1.h"
#include "support/registertest.h"
#include "support/userdriver.h"

#include <QWidget>

namespace user = wbtest::user;

namespace {

QString activeName() {
    wb::ui::Form* w = user::activeWindow();
    return w ? w->objectName() : QStringLiteral("(none)");
}

struct RoundTrip {
    const char* menu;     // the menu command that opens the calling screen
    const char* caller;   // the calling screen
    const char* start;    // the box the user clicks into
    const char* receiver; // the box that shows the pick
    QString shown;
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
        Module1::Con->Execute(QStringLiteral("insert into doc (Row_no, doc_code, doc_name, Status) "
                                             "values (1, 'DOC-1', 'DR. AHMED', 'Doctor')"));
    }
};

TEST_P(PickRoundTripTest, PickByKeysShowsTheValueInTheActiveCaller) {
    const RoundTrip trips[] = {
        {"mnu_test_slip", "frm_Test_Slips", "txt_opd_doc", "txt_opd_doc", QStringLiteral("DR. AHMED")},
    };
    for (const RoundTrip& t : trips) {
        SCOPED_TRACE(t.start);
        wbtest::runMenu(t.menu);
        user::wait();
        wb::ui::Form* caller = user::activeWindow();
        ASSERT_NE(caller, nullptr);
        ASSERT_EQ(caller->objectName(), QLatin1String(t.caller));
        user::click(caller->findChild<QWidget*>(QLatin1String(t.start)));
        user::press(Qt::Key_F2);
        ASSERT_NE(user::activeWindow(), caller) << "the pick list is not shown";
        const QString pickList = activeName();
        user::press(Qt::Key_Down);
        user::press(Qt::Key_Return);
        EXPECT_EQ(activeName(), caller->objectName()) << "after a pick in " << pickList.toStdString();
        EXPECT_EQ(user::textOf(caller->findChild<QWidget*>(QLatin1String(t.receiver))), t.shown);
        caller->unload();
        user::wait();
    }
}

WB_ENGINES(PickRoundTripTest);

} // namespace
