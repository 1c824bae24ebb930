#include "doctorpick.h"

#include "common/picker.h"
#include "data/recordset.h"
#include "registers/frm_Doc_Infor.h"
#include "session/module1.h"
#include "ui/binding.h"

#include <QLineEdit>

namespace wb::certificates {

const DoctorRole* DoctorPick::role(const QString& letter) const {
    for (const DoctorRole& r : roles_)
        if (r.letter == letter)
            return &r;
    return nullptr;
}

void DoctorPick::find(const QString& letter) {
    asked_.find<frm_Doc_Infor>({.top = 500, .left = 2200, .docPickFor = letter});
}

void DoctorPick::take() {
    asked_.take<frm_Doc_Infor>([this](const QString& letter) {
        const DoctorRole* r = role(letter);
        if (!r || Module1::SelDocId <= 0)
            return;
        r->code->setText(QString::number(Module1::SelDocId));
        r->name->setText(Module1::SelDocName);
        Module1::SelDocId = 0;
        Module1::SelDocName.clear();
    });
}

void DoctorPick::show(const QString& letter, const QVariant& doctorKey) {
    const DoctorRole* r = role(letter);
    if (!r)
        return;
    if (doctorKey.isNull()) {
        r->code->clear();
        r->name->clear();
        return;
    }
    r->code->setText(QString::number(doctorKey.toLongLong()));
    r->name->setText(
        Module1::Con
            ->scalar(QStringLiteral("select doc_name from doc where Row_no = ?"), {doctorKey.toLongLong()})
            .toString());
}

void DoctorPick::showStored(Recordset& rs) {
    // Every key is read before the first name is looked up.
    QVariantList keys;
    for (const DoctorRole& r : roles_)
        keys << rs.Fields(ui::dataField(r.code));
    for (int i = 0; i < roles_.size(); ++i)
        show(roles_[i].letter, keys[i]);
}

void DoctorPick::discardEarlierPick() {
    if (Module1::SelDocId > 0 && role(Module1::DocPickFor)) {
        Module1::SelDocId = 0;
        Module1::SelDocName.clear();
    }
}

void DoctorPick::clearNames() {
    for (const DoctorRole& r : roles_)
        r.name->clear();
    asked_.forgetAll();
}

} // namespace wb::certificates
