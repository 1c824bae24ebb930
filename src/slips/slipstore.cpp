#include "slipstore.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "data/textsearch.h"

namespace wb::slips {

namespace {

void writeHeader(Recordset& rs, const SlipRecord& slip) {
    for (auto it = slip.values.cbegin(); it != slip.values.cend(); ++it)
        rs.setField(it.key(), it.value());
    rs.setField(QStringLiteral("Slip_date"), slip.slipDate);
    rs.setField(QStringLiteral("admdate"), slip.admDate.isValid() ? QVariant(slip.admDate) : QVariant());
    rs.setField(QStringLiteral("status"), slip.status);
    rs.setField(QStringLiteral("PanelStatus"), slip.panelStatus);
}

void insertLines(Connection& con, qint64 key, const SlipRecord& slip) {
    Recordset rs;
    rs.Open(QStringLiteral("select * from SLIP_DETAIL where 0=1"), con);
    int lineNo = 0;
    for (const SlipLine& line : slip.lines) {
        if (line.service.isEmpty())
            continue;
        rs.AddNew();
        rs.setField(QStringLiteral("Row_no"), key);
        rs.setField(QStringLiteral("Line_no"), ++lineNo);
        rs.setField(QStringLiteral("slip_date"), slip.slipDate);
        rs.setField(QStringLiteral("service"), line.service);
        rs.setField(QStringLiteral("rate_list"),
                    line.rateList.isEmpty() ? QVariant() : QVariant(line.rateList));
        rs.setField(QStringLiteral("test_rate"), line.rate.isEmpty() ? QVariant() : QVariant(line.rate));
        rs.Update();
    }
}

// Locks the slip's row until the end of the transaction (the embedded engine locks the whole file
// when the transaction begins).
QString lockedRow(const Connection& con, const QString& select) {
    return con.engine() == Engine::Postgres ? select + QStringLiteral(" for update") : select;
}

} // namespace

QString goneMessage() {
    return QStringLiteral("This slip no longer exists: another desk has deleted it. Nothing was saved.");
}

qint64 saveSlip(Connection& con, const SlipRecord& slip, const QString& userName, const QDateTime& now) {
    if (slip.key == 0) {
        return saveWithNextKey(con, QStringLiteral("SLIPS_MASTER"), QStringLiteral("Row_no"),
                               [&](qint64 key) {
                                   Recordset rs;
                                   rs.Open(QStringLiteral("select * from SLIPS_MASTER where 0=1"), con);
                                   rs.AddNew();
                                   rs.setField(QStringLiteral("Row_no"), key);
                                   rs.setField(QStringLiteral("Slip_Time"), now);
                                   rs.setField(QStringLiteral("User_Name"), userName);
                                   writeHeader(rs, slip);
                                   rs.Update();
                                   insertLines(con, key, slip);
                               });
    }
    Transaction t(con);
    Recordset rs;
    rs.Open(lockedRow(con, QStringLiteral("select * from SLIPS_MASTER where Row_no = ?")), con, {slip.key});
    if (rs.RecordCount() < 1)
        throw DbError(goneMessage(), DbError::Kind::NotFound);
    rs.MoveFirst();
    writeHeader(rs, slip);
    rs.Update();
    con.Execute(QStringLiteral("delete from SLIP_DETAIL where Row_no = ?"), {slip.key});
    insertLines(con, slip.key, slip);
    t.commit();
    return slip.key;
}

bool cancelSlip(Connection& con, qint64 key, const QString& reason) {
    Transaction t(con);
    const int n = con.Execute(
        QStringLiteral("update SLIPS_MASTER set CancelStatus = 'CANCEL', CanResign = ? where Row_no = ?"),
        {reason.isEmpty() ? QVariant() : QVariant(reason), key});
    t.commit();
    return n > 0;
}

bool deleteSlip(Connection& con, qint64 key) {
    Transaction t(con);
    con.Execute(QStringLiteral("delete from SLIP_DETAIL where Row_no = ?"), {key});
    const int n = con.Execute(QStringLiteral("delete from SLIPS_MASTER where Row_no = ?"), {key});
    t.commit();
    return n > 0;
}

QString searchQuery(Connection& con, const QString& criterion, const QString& value, const QDate& date,
                    QVariantList& params) {
    const Dialect& dialect = con.dialect();
    QString sql = QStringLiteral("select Row_no,%1 as slipdate,Slip_code,Shift,CancelStatus,p_name,"
                                 "(select doc_name from doc where row_no = opd_doc) as opddoc,"
                                 "(select doc_Name from doc where Row_no = r_doc) as panelList,"
                                 "amount,status,User_Name,Slip_Time from SLIPS_MASTER a")
                      .arg(dialect.dateAsDdMmYyyy(QStringLiteral("Slip_date")));
    const auto contains = [&](const QString& column) {
        return TextSearch::contains(con, QStringLiteral("SLIPS_MASTER"), column, value, params,
                                    QStringLiteral("a"));
    };
    if (criterion == QLatin1String("Patient Name")) {
        sql += QStringLiteral(" where ") + contains(QStringLiteral("p_name"));
    } else if (criterion == QLatin1String("Slip Code")) {
        sql += QStringLiteral(" where ") + contains(QStringLiteral("Slip_code"));
    } else if (criterion == QLatin1String("Slip Date")) {
        sql += QStringLiteral(" where Slip_date = ?");
        params << date;
    } else if (criterion == QLatin1String("OPD") || criterion == QLatin1String("IPD")) {
        params << criterion;
        sql += QStringLiteral(" where status = ") + dialect.textParam() + QStringLiteral(" and ") +
               contains(QStringLiteral("p_name"));
    }
    // Newest reference first; slips without one come last on both engines. The list index has
    // this order, so a screenful is read without sorting the book.
    return sql + QStringLiteral(
                     " order by case when Slip_code is null then 1 else 0 end, Slip_code desc, Row_no desc");
}

} // namespace wb::slips
