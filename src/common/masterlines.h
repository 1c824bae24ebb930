#pragma once

#include <QString>
#include <functional>

namespace wb {
class Connection;
class Recordset;
} // namespace wb

namespace wb::common {

// A header row saved with its lines in one transaction (a slip and its tests, ...): the header is
// added or overwritten, its old lines are deleted and the new ones inserted; either all of it is
// written or nothing. New header keys are "highest plus one", taken inside the transaction, and a
// collision with another desk's save starts again with the following key; the lines' own keys, when
// they have one, are taken the same way.
//
// Use: describe the tables once, then save from the window's save handler with two writers that
// copy the window's values into the record sets (their own, never Module1::Rs):
//
//   const common::MasterLines slips({.headerTable = "Slips", .headerKey = "Row_no",
//                                    .linesTable = "Slip_Tests", .linesParent = "Slip_no",
//                                    .linesKey = "Row_no"});
//   const qint64 key = slips.save(*Module1::Con, txt_Row_No->text().toLongLong(),   // 0: new
//       [&](Recordset& h) { h.setField("Pat_name", txt_pat_name->text()); },
//       grid->Rows() - 1,
//       [&](Recordset& l, int i) { l.setField("Test", grid->TextMatrix(i + 1, 1)); });
//
// The writers run inside the transaction; one that throws rolls everything back. The header key
// and the parent column of each line are set by the component. save() raises DbError (kind
// NotFound) when an existing header has been deleted by another desk meanwhile.
class MasterLines {
public:
    struct Tables {
        QString headerTable;
        QString headerKey;
        QString linesTable;
        QString linesParent; // the lines' column that holds the header's key
        QString linesKey;    // the lines' own key column, "highest plus one"; empty: none
    };
    using HeaderWriter = std::function<void(Recordset& header)>;
    using LineWriter = std::function<void(Recordset& line, int index)>;

    explicit MasterLines(Tables tables) : t_(std::move(tables)) {}

    // Saves the header (a new one when `key` <= 0) and replaces its lines by `lineCount` new
    // lines. Returns the header's key.
    qint64 save(Connection& con, qint64 key, const HeaderWriter& writeHeader, int lineCount,
                const LineWriter& writeLine) const;
    // Deletes the header and its lines together.
    void remove(Connection& con, qint64 key) const;
    // Opens the header's lines into `lines`, in the order of their key (or as stored).
    void readLines(Connection& con, qint64 key, Recordset& lines) const;

private:
    void writeAll(Connection& con, qint64 key, bool isNew, const HeaderWriter& writeHeader, int lineCount,
                  const LineWriter& writeLine) const;
    Tables t_;
};

} // namespace wb::common
