#include "masterlines.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "data/recordset.h"

namespace wb::common {

void MasterLines::writeAll(Connection& con, qint64 key, bool isNew, const HeaderWriter& writeHeader,
                           int lineCount, const LineWriter& writeLine) const {
    Recordset header;
    if (isNew) {
        header.Open(QStringLiteral("select * from %1 where 0 = 1").arg(t_.headerTable), con);
        header.AddNew();
        header.setField(t_.headerKey, key);
    } else {
        header.Open(QStringLiteral("select * from %1 where %2 = ?").arg(t_.headerTable, t_.headerKey), con,
                    {key});
        if (header.RecordCount() < 1)
            throw DbError(QStringLiteral("This record no longer exists: another desk has deleted it. "
                                         "Nothing was saved."),
                          DbError::Kind::NotFound);
        header.MoveFirst();
        con.Execute(QStringLiteral("delete from %1 where %2 = ?").arg(t_.linesTable, t_.linesParent), {key});
    }
    writeHeader(header);
    header.Update();

    qint64 lineKey = 0;
    if (!t_.linesKey.isEmpty() && lineCount > 0)
        lineKey =
            con.scalar(QStringLiteral("select coalesce(max(%1),0) from %2").arg(t_.linesKey, t_.linesTable))
                .toLongLong();
    Recordset line;
    line.Open(QStringLiteral("select * from %1 where 0 = 1").arg(t_.linesTable), con);
    for (int i = 0; i < lineCount; ++i) {
        line.AddNew();
        if (!t_.linesKey.isEmpty())
            line.setField(t_.linesKey, ++lineKey);
        line.setField(t_.linesParent, key);
        writeLine(line, i);
        line.Update();
    }
}

qint64 MasterLines::save(Connection& con, qint64 key, const HeaderWriter& writeHeader, int lineCount,
                         const LineWriter& writeLine) const {
    if (key <= 0)
        return saveWithNextKey(con, t_.headerTable, t_.headerKey, [&](qint64 next) {
            writeAll(con, next, true, writeHeader, lineCount, writeLine);
        });
    // An existing header: a collision of line keys with another desk's lines starts again.
    constexpr int attempts = 20;
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction t(con);
            writeAll(con, key, false, writeHeader, lineCount, writeLine);
            t.commit();
            return key;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::Duplicate || attempt == attempts || con.inTransaction())
                throw;
        }
    }
}

void MasterLines::remove(Connection& con, qint64 key) const {
    Transaction t(con);
    con.Execute(QStringLiteral("delete from %1 where %2 = ?").arg(t_.linesTable, t_.linesParent), {key});
    con.Execute(QStringLiteral("delete from %1 where %2 = ?").arg(t_.headerTable, t_.headerKey), {key});
    t.commit();
}

void MasterLines::readLines(Connection& con, qint64 key, Recordset& lines) const {
    QString sql = QStringLiteral("select * from %1 where %2 = ?").arg(t_.linesTable, t_.linesParent);
    if (!t_.linesKey.isEmpty())
        sql += QStringLiteral(" order by ") + t_.linesKey;
    lines.Open(sql, con, {key});
}

} // namespace wb::common
