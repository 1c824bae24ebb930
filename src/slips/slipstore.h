#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace wb {
class Connection;
class Dialect;
} // namespace wb

// The stored slips: a SLIPS_MASTER row per slip and its SLIP_DETAIL lines, written and removed whole.
namespace wb::slips {

// One line of a slip: the service head, the test and the rate charged, as the lines grid holds them.
struct SlipLine {
    QString service;
    QString rateList;
    QString rate;
};

// A slip as the screen hands it over for saving.
struct SlipRecord {
    qint64 key = 0;     // 0: a new slip
    QVariantMap values; // master columns by name, as the boxes and combos give them (Null: empty box)
    QDate slipDate;
    QDate admDate; // invalid for an out-patient slip
    QString status;
    QString panelStatus;
    QList<SlipLine> lines; // in grid order; a line without a service head is not stored
};

// The text shown when a slip was deleted by another desk meanwhile.
QString goneMessage();

// Writes the slip in one transaction and returns its key. A new slip takes the next key inside the
// transaction (retrying when another desk took it first) and records its creation time and user; an
// existing one keeps them, and its lines are replaced. Raises DbError (kind NotFound, goneMessage())
// when the slip to overwrite no longer exists; nothing is written then.
qint64 saveSlip(Connection& con, const SlipRecord& slip, const QString& userName, const QDateTime& now);

// Marks the slip cancelled with the reason; false when there is no such slip.
bool cancelSlip(Connection& con, qint64 key, const QString& reason);
// Removes the slip's lines and header together; false when there is no such slip.
bool deleteSlip(Connection& con, qint64 key);

// The search of the slip list: criterion, typed value and chosen date; the bound values go to
// `params`. Newest reference numbers first.
QString searchQuery(Connection& con, const QString& criterion, const QString& value, const QDate& date,
                    QVariantList& params);

} // namespace wb::slips
