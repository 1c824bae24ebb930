#include "flexmodel.h"

#include "data/connection.h"
#include "data/recordset.h"
#include "flexgrid.h"
#include "msgbox.h"
#include "typingwait.h"

#include <QEventLoop>
#include <QTimer>
#include <exception>
#include <stdexcept>

namespace wb::ui {

FlexModel::~FlexModel() {
    supersede();
}

int FlexModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FlexModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant FlexModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(index.row(), index.column());
}

QVariant FlexModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return header(section);
}

Qt::ItemFlags FlexModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool FlexModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && source_.more;
}

void FlexModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !source_.more)
        return;
    try {
        readPage(PageSize, true);
    } catch (const std::exception& e) {
        // Called from the view's scrolling, outside any handler: stop reading and tell the user
        // once the view is done, so the list never looks complete when it is not.
        source_.more = false;
        const QString text =
            QStringLiteral("The rest of the list could not be read: %1").arg(QString::fromUtf8(e.what()));
        QTimer::singleShot(0, [text] { MsgBox(text, vbCritical); });
    }
}

int FlexModel::totalRows() const {
    if (!source_.more)
        return static_cast<int>(rows_.size());
    if (source_.total < 0)
        source_.total = source_.con->scalar(source_.query.count(), source_.query.params()).toLongLong();
    return static_cast<int>(qMax<qint64>(source_.total, rows_.size()));
}

bool FlexModel::ensureRow(int row) {
    while (row >= rows_.size() && source_.more)
        readPage(qMax(PageSize, row + 1 - static_cast<int>(rows_.size())), true);
    return row >= 0 && row < rows_.size();
}

int FlexModel::readPage(int count, bool notify) {
    QVariantList params;
    const QString sql = source_.query.after(source_.last, static_cast<int>(rows_.size()), count, params);
    Recordset page;
    page.Open(sql, *source_.con, params);
    int read = page.RecordCount();
    // The rows whose first order term is Null, when they follow the rows with a value and are read apart.
    Recordset nulls;
    if (read < count) {
        const QString rest = source_.query.afterNulls(source_.last, count - read, params);
        if (!rest.isEmpty()) {
            nulls.Open(rest, *source_.con, params);
            read += nulls.RecordCount();
        }
    }
    if (read < count)
        source_.more = false;
    if (read == 0)
        return 0;
    const int first = static_cast<int>(rows_.size());
    if (notify)
        beginInsertRows({}, first, first + read - 1);
    append(page, source_.query.keyCount());
    if (nulls.fieldCount() > 0)
        append(nulls, source_.query.keyCount());
    if (notify)
        endInsertRows();
    return read;
}

void FlexModel::append(Recordset& rs, int keys) {
    const int fields = rs.fieldCount() - keys;
    // Two rows that tie on the whole order could be listed twice or never at a page's edge: the
    // list is refused before any of its rows is taken.
    QVector<QVariant> last = source_.last;
    QVector<QVariant> order(keys);
    for (int r = 0; keys > 0 && r < rs.RecordCount(); ++r) {
        for (int k = 0; k < keys; ++k)
            order[k] = rs.value(r, fields + k);
        if (order == last)
            throw std::logic_error("The list's order is not total: end it with the key.");
        last = order;
    }
    source_.last = last;
    // The order values after the shown fields are dropped; a row with fewer fields than the
    // columns shows empty cells.
    QVector<QVector<QVariant>> taken = rs.takeRows();
    for (QVector<QVariant>& line : taken) {
        line.resize(qMin(fields, cols_));
        line.resize(cols_);
        rows_.append(std::move(line));
    }
}

void FlexModel::materialise() {
    while (source_.more)
        readPage(PageSize * 16, true);
    source_ = Source{};
}

void FlexModel::setColumnFormat(int col, CellFormat format) {
    if (formats_.size() <= col)
        formats_.resize(col + 1);
    formats_[col] = format;
    if (col < cols_ && !rows_.isEmpty())
        emit dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::DisplayRole});
}

QString FlexModel::cell(int row, int col) const {
    const QVector<QVariant>& r = rows_.at(row);
    if (col >= r.size())
        return {};
    const CellFormat format = col < formats_.size() ? formats_.at(col) : nullptr;
    return format ? format(r.at(col)) : FlexGrid::cellText(r.at(col));
}

QString FlexModel::header(int col) const {
    return col < headers_.size() ? headers_.at(col) : QString();
}

void FlexModel::setCell(int row, int col, const QString& text) {
    supersede();
    materialise();
    QVector<QVariant>& r = rows_[row];
    if (r.size() <= col)
        r.resize(cols_);
    r[col] = text;
    const QModelIndex at = index(row, col);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void FlexModel::setHeader(int col, const QString& text) {
    if (col < headers_.size() && headers_.at(col) == text)
        return;
    if (headers_.size() <= col)
        headers_.resize(cols_);
    headers_[col] = text;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

void FlexModel::setRowCount(int count) {
    supersede();
    materialise();
    const int now = rowCount();
    if (count > now) {
        beginInsertRows({}, now, count - 1);
        rows_.resize(count);
        endInsertRows();
    } else if (count < now) {
        beginRemoveRows({}, count, now - 1);
        rows_.resize(count);
        endRemoveRows();
    }
}

void FlexModel::setColumnCount(int count) {
    supersede();
    materialise();
    if (count > cols_) {
        beginInsertColumns({}, cols_, count - 1);
        cols_ = count;
        endInsertColumns();
    } else if (count < cols_) {
        beginRemoveColumns({}, count, cols_ - 1);
        cols_ = count;
        headers_ = headers_.mid(0, count);
        for (QVector<QVariant>& r : rows_)
            if (r.size() > count)
                r.resize(count);
        endRemoveColumns();
    }
}

void FlexModel::clearTexts() {
    supersede();
    if (source_.more) {
        // Rows not read yet are cleared without reading them.
        const int total = totalRows();
        if (total > rows_.size()) {
            beginInsertRows({}, static_cast<int>(rows_.size()), total - 1);
            rows_.resize(total);
            endInsertRows();
        }
    }
    source_ = Source{};
    headers_.clear();
    for (QVector<QVariant>& r : rows_)
        r.clear();
    if (cols_ > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
        if (!rows_.isEmpty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, cols_ - 1), {Qt::DisplayRole});
    }
}

void FlexModel::replace(const Recordset& rs) {
    supersede();
    Recordset rows(rs);
    beginResetModel();
    source_ = Source{};
    take(rows);
    endResetModel();
}

void FlexModel::take(Recordset& rs, int keys, const QStringList& captions) {
    cols_ = rs.fieldCount() - keys;
    headers_ = rs.fieldNames().mid(0, cols_);
    for (int c = 0; c < cols_ && c < captions.size(); ++c)
        if (!captions.at(c).isEmpty())
            headers_[c] = captions.at(c);
    rows_.clear();
    append(rs, keys);
}

int FlexModel::bindQuery(Connection& con, const QString& sql, const QVariantList& params,
                         const QStringList& captions) {
    PagedQuery query(sql, params, con.engine());
    QVariantList values;
    const QString firstPage = query.first(FirstPage, values);
    Recordset first = readFirst(con, firstPage, values);
    const int read = first.RecordCount();
    const bool more = read == FirstPage;
    if (more && !query.ordered())
        throw std::logic_error("A paged list needs an order that ends with its key.");
    beginResetModel();
    source_ = Source{&con, std::move(query), more, {}};
    try {
        take(first, source_.query.keyCount(), captions);
    } catch (...) {
        source_ = Source{};
        rows_.clear();
        endResetModel();
        throw;
    }
    endResetModel();
    return read;
}

Recordset FlexModel::readFirst(Connection& con, const QString& sql, const QVariantList& params) {
    supersede();
    BackgroundReader* reader = typingTarget() && inHandler() ? con.backgroundReader() : nullptr;
    if (!reader) {
        Recordset rs;
        rs.Open(sql, con, params);
        return rs;
    }
    QEventLoop loop;
    Waiting waiting{reader, reader->start(sql, params, [&loop] { loop.quit(); }), &loop};
    waiting_ = &waiting;
    waitLettingTypingThrough(loop);
    if (waiting_ == &waiting)
        waiting_ = nullptr;
    const bool finished = waiting.read->finished();
    reader->abandon(waiting.read); // no call of `done` after this: the loop is gone
    if (waiting.stale || !finished)
        throw Superseded{};
    return waiting.read->take();
}

void FlexModel::supersede() {
    if (!waiting_)
        return;
    waiting_->stale = true;
    waiting_->reader->abandon(waiting_->read);
    waiting_->loop->quit();
    waiting_ = nullptr;
}

} // namespace wb::ui
