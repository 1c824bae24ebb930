#include "frm_Add_Search.h"

#include "common/picker.h"
#include "data/textsearch.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui_frm_Add_Search.h"

using namespace wb;
using Module1::Con;
using Module1::Rs;

frm_Add_Search::frm_Add_Search() : ui_(std::make_unique<Ui::frm_Add_Search>()) {
    ui_->setupUi(this);
    Msh = ui_->Msh;
    ui::keys::enterToTab(ui_->txt_s_val);
    ui::keys::upperCase(ui_->txt_s_val);
    ui::keys::onUpDown(ui_->txt_s_val, [this] { Msh->setFocus(); });
    connect(ui_->txt_s_val, &QLineEdit::textChanged, this, ui::handler([this] { FillGrid(); }));
    connect(Msh, &ui::FlexGrid::DblClick, this, ui::handler([this] { Msh_DblClick(); }));
    connect(Msh, &ui::FlexGrid::KeyPress, this, [this](int key) {
        if (key == 13)
            ui::guarded([this] { Msh_DblClick(); });
    });
    connect(ui_->Cmd_Exit, &QPushButton::clicked, this, ui::handler([this] { Cmd_Exit_Click(); }));
}

frm_Add_Search::~frm_Add_Search() = default;

void frm_Add_Search::FillGrid() {
    // Admissions whose patient row is missing are not listed, whatever the search text. The list has
    // no order of its own; the grid reads it a page at a time, so it is kept in the key's order.
    QVariantList params;
    const QString filter =
        TextSearch::contains(*Con, QStringLiteral("Patient_Slips"), QStringLiteral("Pat_name"),
                             ui_->txt_s_val->text(), params, QStringLiteral("b"));
    Msh->setRedraw(false);
    Msh->bindQuery(*Con,
                   QStringLiteral("select a.Row_no,a.Ipd_code,a.Reg_no,a.Age,a.Yr,%1 as adm_date,"
                                  "b.Pat_name,b.Fat_name,b.Sex,b.Tel_no,b.Card_no "
                                  "from Addmission a left join Patient_Slips b on b.Row_no = a.Pat_row_id "
                                  "where %2 order by a.Row_no")
                       .arg(Con->dialect().dateAsDdMmYyyy(QStringLiteral("a.admdate")), filter),
                   params);
    Msh->setRedraw(true);
    setGrid();
}

void frm_Add_Search::setGrid() {
    static const QList<std::pair<QString, int>> columns = {
        {QStringLiteral("Row No"), 0},          {QStringLiteral("IPD Code"), 1100},
        {QStringLiteral("Reg No"), 1100},       {QStringLiteral("Age"), 500},
        {QStringLiteral("Year"), 500},          {QStringLiteral("Adm Date"), 1100},
        {QStringLiteral("Patient Name"), 4000}, {QStringLiteral("Father Name"), 3000},
        {QStringLiteral("Sex"), 500},           {QStringLiteral("TelePhone No"), 4000},
        {QStringLiteral("Card No"), 1500}};
    for (int c = 0; c < columns.size() && c < Msh->Cols(); ++c) {
        Msh->setTextMatrix(0, c, columns[c].first);
        Msh->setColWidth(c, columns[c].second);
    }
}

void frm_Add_Search::Form_Activate() {
    FillGrid();
    ui_->txt_s_val->setFocus();
}

void frm_Add_Search::Form_Unload() {
    Module1::PickMode = false;
}

void frm_Add_Search::Msh_DblClick() {
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        return;
    Module1::SelAdmissionId = Msh->TextMatrix(row, 0).toLong();
    common::picks::answer(this);
    unload();
}

void frm_Add_Search::Cmd_Exit_Click() {
    unload();
}
