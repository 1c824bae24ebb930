#include "ratelistrules.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "session/module1.h"

#include <QRegularExpression>

namespace wb::ratelist {

bool isRate(const QString& text) {
    static const QRegularExpression rate(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    return rate.match(text.trimmed()).hasMatch();
}

void holdHead(const QVariant& head, const QString& name) {
    Connection& con = *Module1::Con;
    const QVariant found = con.scalar(QStringLiteral("select Row_no from Services where Row_no = ?") +
                                          con.dialect().lockForShare(),
                                      {head});
    if (!found.isValid())
        throw DbError(QStringLiteral("The service head \"%1\" no longer exists: another desk has deleted it. "
                                     "Nothing was saved.")
                          .arg(name),
                      DbError::Kind::Refused);
}

QString headFormula(const QString& name) {
    // A quote inside a formula text is written as two quotes.
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("{Services.S_name} ='") + quoted + QLatin1Char('\'');
}

} // namespace wb::ratelist
