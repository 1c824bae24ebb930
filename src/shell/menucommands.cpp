#include "menucommands.h"

#include "registers/frm_patient_detail.h"

namespace wb::shell {

namespace {

MenuEntry top(const QString& name, const QString& caption) {
    return {MenuEntry::TopMenu, name, caption};
}
MenuEntry separator(const QString& name) {
    return {MenuEntry::Separator, name, QStringLiteral("-")};
}
// A command whose window is not part of the program yet: shown, but disabled.
MenuEntry pending(const QString& name, const QString& caption) {
    return {MenuEntry::Command, name, caption};
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
        pending(QStringLiteral("mnu_Com_Inf"), QStringLiteral("Company Information")),
        separator(QStringLiteral("gp0")),
        placed(command<frm_patient_detail>(QStringLiteral("mnu_Pat_Reg"), QStringLiteral("Patient"), true),
               10140, 5085, 1500, 2500),
        separator(QStringLiteral("gp1")),
        pending(QStringLiteral("mun_Doc_Reg"), QStringLiteral("Doctor")),
        separator(QStringLiteral("gp2")),
        pending(QStringLiteral("mnu_Ser_Reg"), QStringLiteral("Services")),
        separator(QStringLiteral("gp3")),
        pending(QStringLiteral("mnu_Rate_Reg"), QStringLiteral("RateList")),
        separator(QStringLiteral("gp4")),
        pending(QStringLiteral("MNU_panel"), QStringLiteral("Panel")),
        separator(QStringLiteral("gp5")),
        pending(QStringLiteral("mnu_Emp"), QStringLiteral("Employees")),
        separator(QStringLiteral("gp6")),
        pending(QStringLiteral("MNU_shift"), QStringLiteral("SHIFT")),

        top(QStringLiteral("mnu_trans"), QStringLiteral("TRANSACTIONS")),
        pending(QStringLiteral("mnu_test_slip"), QStringLiteral("Patient Slips")),
        separator(QStringLiteral("gp7")),
        pending(QStringLiteral("mnu_add"), QStringLiteral("Admissions")),
        separator(QStringLiteral("gp8")),
        pending(QStringLiteral("mnu_obser"), QStringLiteral("Observations")),
        separator(QStringLiteral("gp9")),
        pending(QStringLiteral("mnu_birth_cer"), QStringLiteral("Birth Certificate")),
        separator(QStringLiteral("gp10")),
        pending(QStringLiteral("mnu_dis_cer"), QStringLiteral("Discharge Certificate")),
        separator(QStringLiteral("gp11")),
        pending(QStringLiteral("mnu_Death_Cer"), QStringLiteral("Death Certificate")),

        top(QStringLiteral("mnu_Report"), QStringLiteral("REPORTS")),
        pending(QStringLiteral("mnu_Rep"), QStringLiteral("Report")),
        separator(QStringLiteral("mun_R_Blank")),

        top(QStringLiteral("mnu_addministrator"), QStringLiteral("ADMINISTRATOR")),
        pending(QStringLiteral("mnuAddUser"), QStringLiteral("Add/Change User")),
        separator(QStringLiteral("MNU_Blank")),
        pending(QStringLiteral("mnuSetMenus"), QStringLiteral("Set Menus")),
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
