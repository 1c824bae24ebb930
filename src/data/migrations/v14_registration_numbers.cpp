#include "data/connection.h"
#include "data/migrations/migrations.h"
#include "data/recordset.h"

#include <QDebug>

namespace wb {

namespace {

// A text of the database as an SQL literal (an index's condition takes no bound values).
QString literal(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

} // namespace

// Registration numbers are compared and stored trimmed and upper-cased: "r-100", "R-100" and
// "R-100 " are one number. Stored numbers are brought to that form, and a unique index on it keeps
// two admissions from sharing one. Numbers that already clash under the rule are left as they are
// (the index leaves them out) and reported, so that the ward can correct them.
Migration migrationV14RegistrationNumbers() {
    Migration m{
        14, QStringLiteral("registration numbers trimmed and upper-cased, unique by that rule"), {}, {}};
    m.extra = [](Connection& con) {
        const QString normal = QStringLiteral("upper(trim(Reg_no))");
        Recordset clashes;
        clashes.Open(QStringLiteral("select %1 as Reg_no, count(*) as Admissions from Addmission "
                                    "where Reg_no is not null group by %1 having count(*) > 1 order by 1")
                         .arg(normal),
                     con);
        QStringList numbers, report;
        for (clashes.MoveFirst(); !clashes.isEOF(); clashes.MoveNext()) {
            numbers << clashes.text(QStringLiteral("Reg_no"));
            report << QStringLiteral("%1 (%2 admissions)")
                          .arg(numbers.last(), clashes.text(QStringLiteral("Admissions")));
        }
        QStringList quoted;
        for (const QString& n : numbers)
            quoted << literal(n);
        const QString outsideClashes =
            quoted.isEmpty()
                ? QString()
                : QStringLiteral(" and %1 not in (%2)").arg(normal, quoted.join(QLatin1Char(',')));
        con.Execute(QStringLiteral("update Addmission set Reg_no = %1 where Reg_no <> %1%2")
                        .arg(normal, outsideClashes));
        con.Execute(QStringLiteral("CREATE UNIQUE INDEX Addmission_Reg_no_rule ON Addmission ((%1))%2")
                        .arg(normal, quoted.isEmpty() ? QString()
                                                      : QStringLiteral(" WHERE %1 not in (%2)")
                                                            .arg(normal, quoted.join(QLatin1Char(',')))));
        if (!report.isEmpty())
            qWarning().noquote()
                << QStringLiteral(
                       "Admissions share registration numbers that differ only in letter case or "
                       "blanks, and were left as they are: %1. Give each admission a number of its "
                       "own on the admission screen.")
                       .arg(report.join(QStringLiteral(", ")));
    };
    return m;
}

} // namespace wb
