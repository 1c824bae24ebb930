// The listings and searches of the certificate windows.
#include "certificateform.h"

#include "data/recordset.h"
#include "session/module1.h"
#include "ui/flexgrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace wb::certificates {

QString dateAsTypedText(const Dialect& d, const QString& column) {
    return QStringLiteral("replace(%1, '-', '/')").arg(d.dateAsDdMmYyyy(column));
}

QString CertificateForm::selectList(bool clockTimes) const {
    if (!clockTimes)
        return definition().selectList();
    const Dialect& d = Module1::Con->dialect();
    QStringList parts;
    for (const auto& c : definition().grid) {
        const QString expression = c.expression.isEmpty() ? c.field : c.expression;
        bool isTime = false;
        for (const TimeField& t : times_)
            isTime = isTime || t.column.compare(c.field, Qt::CaseInsensitive) == 0;
        // A clock text under the column's own name would be read back as a time: it gets a name of its own.
        parts << (isTime ? d.timeAsHourMinuteAmPm(expression) + QStringLiteral(" AS clock_") + c.field
                         : expression + QStringLiteral(" AS ") + c.field);
    }
    return parts.join(QLatin1Char(','));
}

QString CertificateForm::listing(bool clockTimes, const QString& filter) const {
    return QStringLiteral("select %1 from %2%3 order by %4")
        .arg(selectList(clockTimes), cert_.from,
             filter.isEmpty() ? QString() : QStringLiteral(" where ") + filter, totalOrder());
}

QString CertificateForm::totalOrder() const {
    // The grid may read a listing a page at a time: certificates that tie in the window's order come
    // in the order of their keys (the grid's key column), so no page repeats or skips one.
    for (const auto& c : definition().grid)
        if (c.field.compare(definition().key, Qt::CaseInsensitive) == 0)
            return definition().orderBy + QStringLiteral(", ") +
                   (c.expression.isEmpty() ? c.field : c.expression);
    return definition().orderBy;
}

QString CertificateForm::criterionColumn(const QString& caption) const {
    for (const auto& c : definition().criteria)
        if (c.caption == caption)
            return c.column;
    return {};
}

QString CertificateForm::containsFilter(const QString& column, QVariantList& params) const {
    params << likeContains(txt_s_value->text());
    return Module1::Con->dialect().containsCI(column);
}

void CertificateForm::FillGird(const QString&) {
    listInGrid(listing(true));
}

void CertificateForm::cmdfind_Click() {
    const QString column = criterionColumn(cmb_s_cri->currentText());
    if (column.isEmpty()) {
        cmdshowall_Click(); // a criterion that filters nothing lists every certificate
        return;
    }
    QVariantList params;
    const QString filter = containsFilter(column, params);
    listInGrid(listing(false, filter), params);
}

void CertificateForm::txt_s_val_Change() {
    cmdfind_Click();
}

void CertificateForm::cmdshowall_Click() {
    listInGrid(listing(cert_.showAllOnClock));
}

void CertificateForm::cmds_cancel_Click() {
    SSTab1->setCurrentIndex(0);
}

} // namespace wb::certificates
