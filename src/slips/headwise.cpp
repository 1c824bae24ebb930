#include "headwise.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "data/schema.h"

#include <QDate>

namespace wb::slips {

namespace {

// The connection's own temporary table of that name, never the catalogue's.
QString privateTable(Connection& con) {
    return con.engine() == Engine::Postgres ? QStringLiteral("pg_temp.rptHeadWise")
                                            : QStringLiteral("temp.rptHeadWise");
}

void createPrivateTable(Connection& con) {
    const Table* def = Schema::table(QStringLiteral("rptHeadWise"));
    QString create = Schema::createStatement(*def, con);
    create.replace(0, QStringLiteral("CREATE TABLE ").size(), QStringLiteral("CREATE TEMPORARY TABLE "));
    con.Execute(create);
}

} // namespace

void CreateHeadWise(Connection& con, const QString& day) {
    const QDate date = QDate::fromString(day, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw DbError(QStringLiteral("CreateHeadWise: '%1' is not a date (yyyy-mm-dd).").arg(day));
    Transaction t(con);
    con.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(privateTable(con)));
    createPrivateTable(con);
    con.Execute(
        QStringLiteral("INSERT INTO %1 (Slip_date, S_Code, S_Name, Test_Code, Test_Name, Qty, Amount) "
                       "SELECT m.Slip_date, d.service, s.S_name, d.rate_list, r.Cata, count(*), "
                       "sum(d.test_rate) "
                       "FROM SLIP_DETAIL d JOIN SLIPS_MASTER m ON m.Row_no = d.Row_no "
                       "LEFT JOIN Services s ON s.Row_no = d.service "
                       "LEFT JOIN Rate_List r ON r.Row_no = d.rate_list "
                       "WHERE m.Slip_date = ? AND m.CancelStatus IS NULL "
                       "GROUP BY m.Slip_date, d.service, s.S_name, d.rate_list, r.Cata")
            .arg(privateTable(con)),
        {date});
    t.commit();
}

void DropHeadWise(Connection& con) {
    con.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(privateTable(con)));
}

HeadWiseRun::HeadWiseRun(Connection& con, const QString& day) : con_(con) {
    CreateHeadWise(con, day);
}

HeadWiseRun::~HeadWiseRun() {
    try {
        DropHeadWise(con_);
    } catch (...) {
        // The rows go with the connection anyway; a failed clean-up must not hide the report's error.
    }
}

} // namespace wb::slips
