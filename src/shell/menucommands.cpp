#include "menucommands.h"

#include "certificates/Brith_Certificate.h"
#include "certificates/frm_Death_Cer.h"
#include "certificates/frm_Discharge_Cer.h"
#include "inpatient/frm_Addmission.h"
#include "inpatient/frm_Observation.h"
#include "registers/frmCompany.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Employee.h"
#include "registers/frm_Panel.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_Services.h"
#include "registers/frm_Shift.h"
#include "registers/frm_patient_detail.h"
#include "shell/Frm_User.h"
#include "shell/frmSecMenus.h"
#include "shell/module1.h"
#include "slips/frmRPTAccounts.h"
#include "slips/frm_Test_Slips.h"

namespace wb::shell {

namespace {

MenuEntry top(const QString& name, const QString& caption) {
    return {MenuEntry::TopMenu, name, caption};
}
MenuEntry separator(const QString& name) {
    return {MenuEntry::Separator, name, QStringLiteral("-")};
}
MenuEntry placed(MenuEntry e, int width, int height, int topTw, int leftTw) {
    e.width = width;
    e.height = height;
    e.top = topTw;
    e.left = leftTw;
    return e;
}

} // namespace

const QList<MenuEntry>& menuEntries() {
    static const QList<MenuEntry> entries = {
        top(QStringLiteral("mnu_Reg_Form"), QStringLiteral("REGISTRATIONS")),
        placed(
            command<frmCompany>(QStringLiteral("mnu_Com_Inf"), QStringLiteral("Company Information"), true),
            -1, -1, 500, 3100),
        separator(QStringLiteral("gp0")),
        placed(command<frm_patient_detail>(QStringLiteral("mnu_Pat_Reg"), QStringLiteral("Patient"), true),
               10140, 5085, 1500, 2500),
        separator(QStringLiteral("gp1")),
        placed(command<frm_Doc_Infor>(QStringLiteral("mun_Doc_Reg"), QStringLiteral("Doctor"), true), -1, -1,
               400, 2800),
        separator(QStringLiteral("gp2")),
        placed(command<frm_Services>(QStringLiteral("mnu_Ser_Reg"), QStringLiteral("Services"), true), 7815,
               6150, 500, 3700),
        separator(QStringLiteral("gp3")),
        placed(command<frm_Rate_List>(QStringLiteral("mnu_Rate_Reg"), QStringLiteral("RateList"), true), -1,
               -1, 1200, 3300),
        separator(QStringLiteral("gp4")),
        placed(command<frm_Panel>(QStringLiteral("MNU_panel"), QStringLiteral("Panel"), true), 8955, 6225,
               500, 3200),
        separator(QStringLiteral("gp5")),
        placed(command<frm_Employee>(QStringLiteral("mnu_Emp"), QStringLiteral("Employees"), true), 8670,
               4770, 1500, 3300),
        separator(QStringLiteral("gp6")),
        [] {
            // The shift command leaves the program in pick mode once the register is placed.
            MenuEntry e =
                placed(command<frm_Shift>(QStringLiteral("MNU_shift"), QStringLiteral("SHIFT"), true), 8910,
                       6645, 1000, 3000);
            e.further = [] { Module1::PickMode = true; };
            return e;
        }(),

        top(QStringLiteral("mnu_trans"), QStringLiteral("TRANSACTIONS")),
        command<frm_Test_Slips>(QStringLiteral("mnu_test_slip"), QStringLiteral("Patient Slips"), false),
        separator(QStringLiteral("gp7")),
        command<frm_Addmission>(QStringLiteral("mnu_add"), QStringLiteral("Admissions"), false),
        separator(QStringLiteral("gp8")),
        command<frm_Observation>(QStringLiteral("mnu_obser"), QStringLiteral("Observations"), false),
        separator(QStringLiteral("gp9")),
        placed(command<Brith_Certificate>(QStringLiteral("mnu_birth_cer"),
                                          QStringLiteral("Birth Certificate"), false),
               12060, 7905, 400, 1500),
        separator(QStringLiteral("gp10")),
        placed(command<frm_Discharge_Cer>(QStringLiteral("mnu_dis_cer"),
                                          QStringLiteral("Discharge Certificate"), false),
               15360, 10275, 0, 1000),
        separator(QStringLiteral("gp11")),
        placed(command<frm_Death_Cer>(QStringLiteral("mnu_Death_Cer"), QStringLiteral("Death Certificate"),
                                      false),
               15360, 10680, 400, 2000),

        top(QStringLiteral("mnu_Report"), QStringLiteral("REPORTS")),
        [] {
            MenuEntry e =
                placed(command<frmRPTAccounts>(QStringLiteral("mnu_Rep"), QStringLiteral("Report"), true), -1,
                       -1, 600, 1500);
            e.leftBeforeTop = true;
            return e;
        }(),
        separator(QStringLiteral("mun_R_Blank")),

        top(QStringLiteral("mnu_addministrator"), QStringLiteral("ADMINISTRATOR")),
        placed(command<Frm_User>(QStringLiteral("mnuAddUser"), QStringLiteral("Add/Change User"), true), -1,
               -1, 2000, 3500),
        separator(QStringLiteral("MNU_Blank")),
        placed(command<frmSecMenus>(QStringLiteral("mnuSetMenus"), QStringLiteral("Set Menus"), true), 10875,
               8310, 500, 2000),
    };
    return entries;
}

void runMenuCommand(const MenuEntry& e) {
    if (!e.open)
        return;
    if (e.unloadFirst && e.unload)
        e.unload();
    ui::Form& form = e.open();
    form.Show();
    if (e.width >= 0)
        form.setWidthTw(e.width);
    if (e.height >= 0)
        form.setHeightTw(e.height);
    if (e.leftBeforeTop && e.left >= 0)
        form.setLeftTw(e.left);
    if (e.top >= 0)
        form.setTopTw(e.top);
    if (!e.leftBeforeTop && e.left >= 0)
        form.setLeftTw(e.left);
    if (e.further)
        e.further();
}

} // namespace wb::shell
