#include "errortext.h"

#include "data/dberror.h"
#include "form.h"
#include "labels.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace wb::ui {

namespace {

Form* formOf(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* form = qobject_cast<Form*>(w))
            return form;
    return nullptr;
}

} // namespace

QWidget* workingWindow() {
    if (Form* form = formOf(QApplication::focusWidget()))
        return form;
    if (QMdiArea* area = Forms::mdiArea())
        if (QMdiSubWindow* sub = area->activeSubWindow())
            if (Form* form = formOf(sub->widget()))
                return form;
    return QApplication::activeWindow();
}

QString userText(const DbError& error, const QWidget* context) {
    if (error.kind() == DbError::Kind::TooLong && !error.column().isEmpty() && error.limit() > 0) {
        const QString label = labelFor(controlForField(context, error.column()));
        if (!label.isEmpty())
            return QStringLiteral("%1 is too long: at most %2 characters").arg(label).arg(error.limit());
    }
    return error.text();
}

} // namespace wb::ui
