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
    const QString label =
        error.column().isEmpty() ? QString() : labelFor(controlForField(context, error.column()));
    if (label.isEmpty())
        return error.text();
    switch (error.kind()) {
    case DbError::Kind::TooLong:
        if (error.limit() > 0)
            return QStringLiteral("%1 is too long: at most %2 characters").arg(label).arg(error.limit());
        break;
    case DbError::Kind::TooLarge:
        return QStringLiteral("%1 is too large: at most %2").arg(label, error.takes());
    case DbError::Kind::NotANumber:
        return QStringLiteral("%1 must be %2: type digits%3.")
            .arg(label, error.takes(),
                 error.takes() == QLatin1String("a number") ? QStringLiteral(" with at most one point")
                                                            : QString());
    default:
        break;
    }
    return error.text();
}

} // namespace wb::ui
