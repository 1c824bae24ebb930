#include "certificates/Brith_Certificate.h"
#include "session/module1.h"
#include "shell/MDIForm1.h"
#include "support/registertest.h"

#include <QAction>

using namespace wb;

namespace {

// A user whose rights allow the birth and discharge certificates but not the death certificate.
class CertificateMenuTest : public wbtest::RegisterTest {
protected:
    void beforeMainWindow() override {
        Module1::UserRowNo = 5;
        for (const auto& [menus, active] : {std::pair{"Birth Certificate", "1"},
                                            {"Discharge Certificate", "1"},
                                            {"Death Certificate", "0"}})
            Module1::Con->Execute(
                QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (5, ?, ?)"),
                {QString::fromLatin1(menus), QString::fromLatin1(active)});
    }
};

TEST_P(CertificateMenuTest, TheCommandsAreEnabledAndFollowTheUsersRights) {
    for (const char* name : {"mnu_birth_cer", "mnu_dis_cer"}) {
        EXPECT_TRUE(main->menuControl(QLatin1String(name))->isVisible()) << name;
        EXPECT_TRUE(main->menuControl(QLatin1String(name))->isEnabled()) << name;
    }
    EXPECT_FALSE(main->menuControl(QStringLiteral("mnu_Death_Cer"))->isVisible());
    main->menuControl(QStringLiteral("mnu_birth_cer"))->trigger();
    EXPECT_NE(ui::Forms::loaded<Brith_Certificate>(), nullptr);
}

WB_ENGINES(CertificateMenuTest);

} // namespace
