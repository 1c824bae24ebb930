#include "MDIForm1.h"
#include "frmLogin.h"
#include "module1.h"

#include <QAction>

namespace Module1 {

void Main() {
    CreateShared();
    wb::ui::Forms::get<frmLogin>().Show();
}

void ApplyMenuRights() {
    MDIForm1* main = wb::ui::Forms::loaded<MDIForm1>();
    if (!main)
        return;
    OpenRs(QStringLiteral("Select Active From Chart_Of_Menus Where User_ID = ?  And Active='1'"),
           {static_cast<qlonglong>(UserRowNo)});
    if (Rs->RecordCount() < 1) {
        for (const char* top : {"mnu_Reg_Form", "mnu_trans", "mnu_Report"})
            main->menuControl(QLatin1String(top))->setVisible(false);
        return;
    }
    OpenRs(QStringLiteral("Select Menus,Active From Chart_Of_Menus Where User_ID = ?"),
           {static_cast<qlonglong>(UserRowNo)});
    Rs->MoveFirst();
    const int count = Rs->RecordCount();
    for (int i = 0; i < count; ++i) {
        const QString menus = Rs->text(QStringLiteral("Menus"));
        const bool active = Rs->text(QStringLiteral("Active")) == QLatin1String("1");
        for (QAction* control : main->menuControls())
            if (MDIForm1::captionOf(control) == menus)
                control->setVisible(active);
        Rs->MoveNext();
    }
}

} // namespace Module1
