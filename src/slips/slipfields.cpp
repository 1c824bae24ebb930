#include "slipfields.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/binding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace wb::slips {

namespace {

const QString M = QStringLiteral("M");

// The combo boxes of the window whose designed Tag is `tag`, in designed order.
QList<QComboBox*> boundCombos(const QWidget* root, const QString& tag) {
    QList<QComboBox*> out;
    for (QComboBox* c : root->findChildren<QComboBox*>())
        if (ui::tagOf(c) == tag)
            out.append(c);
    return out;
}

} // namespace

QVariantMap masterValues(const QWidget* root) {
    QVariantMap values;
    for (QLineEdit* b : ui::boundBoxes(root, M))
        values.insert(ui::dataField(b), b->text().isEmpty() ? QVariant() : QVariant(b->text()));
    for (QComboBox* c : boundCombos(root, M))
        values.insert(ui::dataField(c), c->currentText().isEmpty() ? QStringLiteral("") : c->currentText());
    return values;
}

void showMaster(const QWidget* root, const Recordset& rs) {
    // The stored values as they were saved: the rules that follow typing (the cash and balance
    // rules) do not run on them.
    for (QLineEdit* b : ui::boundBoxes(root, M)) {
        const QSignalBlocker quiet(b);
        b->setText(rs.text(ui::dataField(b)));
    }
    for (QComboBox* c : boundCombos(root, M))
        c->setCurrentText(rs.text(ui::dataField(c)));
}

bool readSlip(qint64 key) {
    Module1::OpenRs(
        QStringLiteral(
            "select "
            "Row_no,Slip_code,Slip_date,Shift,p_name,f_name,Age,tele,sex,card_no,Yr,r_doc,opd_doc,panel,"
            "Ipd_Code,Reg_No,admdate,status,amount,discount,n_amou,Cash_rece,PanelStatus,Emp_No,Emp_Desig,"
            "Emp_Reff_No,Emp_Name,Relation,bal,"
            "(select doc_name from doc where row_no = r_doc) as refdoc,"
            "(select doc_name from doc where row_no = opd_doc) as opddoc,"
            "(select Panel_Name from Panel where Row_no = panel) as panelList "
            "from SLIPS_MASTER a where row_no = ?"),
        {key});
    if (Module1::Rs->RecordCount() < 1)
        return false;
    Module1::Rs->MoveFirst();
    return true;
}

} // namespace wb::slips
