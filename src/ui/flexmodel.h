#pragma once

#include "data/backgroundreader.h"
#include "pagedquery.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariantList>
#include <QVector>

namespace wb {
class Connection;
} // namespace wb

class QEventLoop;

namespace wb::ui {

// The flex grid's cells: the header texts and the data rows as values, turned into text only when
// a cell is shown or read. A grid bound to a query holds the rows read so far and reads the next
// page when the view scrolls to its end (canFetchMore / fetchMore) or a row further down is asked for.
class FlexModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    ~FlexModel() override;

    // Rows read at once: the first screenful, then one page per fetch.
    static constexpr int FirstPage = 64;
    static constexpr int PageSize = 64;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Every row of the result, read or not (a count on the server while pages remain).
    int totalRows() const;
    // Reads pages until data row `row` (from 0) is read; false when the result has no such row.
    bool ensureRow(int row);

    // How the cells of column `col` are shown from here on (nullptr: the default text).
    using CellFormat = QString (*)(const QVariant& value);
    void setColumnFormat(int col, CellFormat format);

    QString cell(int row, int col) const;
    QString header(int col) const;
    void setCell(int row, int col, const QString& text);
    void setHeader(int col, const QString& text);
    void setRowCount(int count);
    void setColumnCount(int count);
    void clearTexts();

    // Copies the record set's values; the headers are the field names.
    void replace(const Recordset& rs);
    // Binds the query: its first page is read now, the rest on demand, each page after the last row
    // read (see PagedQuery). Returns the rows read. Throws std::logic_error when the query has no
    // order and more rows than its first page, or when two rows read tie on every term of it (the order is
    // not total, so pages could repeat or skip rows).
    // While a key is being typed into a box the first page is read in the background and typing
    // goes on; a newer change of the cells (another bind, a clear) stops that read, and this call
    // then throws Superseded without touching the cells.
    // `captions`, where given and not empty, head their columns in place of the field names.
    int bindQuery(Connection& con, const QString& sql, const QVariantList& params,
                  const QStringList& captions = {});

private:
    // A first page being read in the background, and the loop that waits for it.
    struct Waiting {
        BackgroundReader* reader = nullptr;
        std::shared_ptr<BackgroundReader::Read> read;
        QEventLoop* loop = nullptr;
        bool stale = false;
    };
    Recordset readFirst(Connection& con, const QString& sql, const QVariantList& params);
    // The cells change: a first page still being read is no longer wanted.
    void supersede();

    struct Source {
        Connection* con = nullptr;
        PagedQuery query;
        bool more = false;
        QVector<QVariant> last; // the order values of the last row read
        mutable qint64 total = -1;
    };
    // Reads up to `count` rows after those read; appends them (signalling the view when `notify`).
    int readPage(int count, bool notify);
    // Reads every remaining row and forgets the query: the cells may then be changed.
    void materialise();
    // The record set's fields and rows become the model's (inside a reset); its last `keys` fields
    // are the order values of a bound query's rows.
    void take(Recordset& rs, int keys = 0, const QStringList& captions = {});
    // Moves the rows of `rs` to the end of the model's, keeping the order values of the last one.
    void append(Recordset& rs, int keys);

    QVector<CellFormat> formats_;
    int cols_ = 0;
    QStringList headers_;
    QVector<QVector<QVariant>> rows_;
    Source source_;
    Waiting* waiting_ = nullptr;
};

} // namespace wb::ui
