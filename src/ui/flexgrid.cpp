#include "flexgrid.h"

#include "data/recordset.h"
#include "twips.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QTime>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <vector>

namespace wb::ui {

// The grid's cells: the header texts and the data rows, copied strings only.
class FlexModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return cell(index.row(), index.column());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        return section < headers_.size() ? headers_.at(section) : QString();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    QString cell(int row, int col) const {
        const QStringList& r = rows_.at(row);
        return col < r.size() ? r.at(col) : QString();
    }

    QString header(int col) const { return col < headers_.size() ? headers_.at(col) : QString(); }

    void setCell(int row, int col, const QString& text) {
        QStringList& r = rows_[row];
        if (r.size() <= col)
            r.resize(cols_);
        r[col] = text;
        const QModelIndex at = index(row, col);
        emit dataChanged(at, at, {Qt::DisplayRole});
    }

    void setHeader(int col, const QString& text) {
        if (headers_.size() <= col)
            headers_.resize(cols_);
        headers_[col] = text;
        emit headerDataChanged(Qt::Horizontal, col, col);
    }

    void setRowCount(int count) {
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

    void setColumnCount(int count) {
        if (count > cols_) {
            beginInsertColumns({}, cols_, count - 1);
            cols_ = count;
            endInsertColumns();
        } else if (count < cols_) {
            beginRemoveColumns({}, count, cols_ - 1);
            cols_ = count;
            headers_ = headers_.mid(0, count);
            for (QStringList& r : rows_)
                if (r.size() > count)
                    r.resize(count);
            endRemoveColumns();
        }
    }

    void clearTexts() {
        headers_.clear();
        for (QStringList& r : rows_)
            r.clear();
        if (cols_ > 0) {
            emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
            if (!rows_.isEmpty())
                emit dataChanged(index(0, 0), index(rowCount() - 1, cols_ - 1), {Qt::DisplayRole});
        }
    }

    void replace(int cols, QStringList headers, QVector<QStringList> rows) {
        beginResetModel();
        cols_ = cols;
        headers_ = std::move(headers);
        rows_ = std::move(rows);
        endResetModel();
    }

private:
    int cols_ = 0;
    QStringList headers_;
    QVector<QStringList> rows_;
};

namespace {

[[noreturn]] void outOfRange() {
    throw std::out_of_range("Subscript out of range");
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A number in its shortest form with up to 15 significant digits. Whole numbers, the usual case for
// amounts, take the quick integer path.
QString numberText(double v) {
    constexpr double wholeLimit = 1e15;
    if (std::abs(v) < wholeLimit && v == std::trunc(v))
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 15);
}

// Turns the record set's values into cell texts. Large results are split over a few threads: each
// writes its own rows and only reads the record set.
void convertRows(const Recordset& rs, QVector<QStringList>& rows) {
    const int count = static_cast<int>(rows.size());
    const int cols = rs.fieldCount();
    QStringList* out = rows.data();
    const auto convert = [&](int from, int to) {
        for (int r = from; r < to; ++r) {
            QStringList& line = out[r];
            line.reserve(cols);
            for (int c = 0; c < cols; ++c)
                line.append(FlexGrid::cellText(rs.value(r, c)));
        }
    };
    constexpr int rowsPerWorker = 10000;
    const int workers = qBound(1, count / rowsPerWorker, qBound(1, QThread::idealThreadCount(), 8));
    if (workers == 1) {
        convert(0, count);
        return;
    }
    const int chunk = (count + workers - 1) / workers;
    std::vector<std::jthread> pool;
    for (int w = 1; w < workers; ++w)
        pool.emplace_back(convert, w * chunk, qMin(count, (w + 1) * chunk));
    convert(0, chunk);
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new FlexModel(this)) {
    setModel(model_);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    // A new grid has a header row and one data row, two columns.
    model_->setColumnCount(2);
    model_->setRowCount(1);
}

int FlexGrid::Rows() const {
    return model_->rowCount() + 1;
}

void FlexGrid::setRows(int rows) {
    model_->setRowCount(qMax(rows, 1) - 1);
}

int FlexGrid::Cols() const {
    return model_->columnCount();
}

void FlexGrid::setCols(int cols) {
    model_->setColumnCount(qMax(cols, 0));
}

int FlexGrid::Row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void FlexGrid::setRow(int row) {
    if (row < 0 || row >= Rows())
        outOfRange();
    if (row == 0 || Cols() == 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex at = model_->index(row - 1, qBound(0, Col(), Cols() - 1));
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at);
}

int FlexGrid::Col() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

void FlexGrid::setCol(int col) {
    if (col < 0 || col >= Cols())
        outOfRange();
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    selectionModel()->setCurrentIndex(model_->index(current.row(), col),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        outOfRange();
    return row == 0 ? model_->header(col) : model_->cell(row - 1, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        outOfRange();
    if (row == 0)
        model_->setHeader(col, text);
    else
        model_->setCell(row - 1, col, text);
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= Cols())
        outOfRange();
    if (twips == 0) {
        setColumnHidden(col, true);
        return;
    }
    setColumnHidden(col, false);
    setColumnWidth(col, twips > 0 ? twipsToPixels(twips) : horizontalHeader()->defaultSectionSize());
}

int FlexGrid::colWidth(int col) const {
    if (col < 0 || col >= Cols())
        outOfRange();
    return isColumnHidden(col) ? 0 : pixelsToTwips(columnWidth(col));
}

void FlexGrid::bind(const Recordset& rs) {
    const int cols = rs.fieldCount();
    const int count = rs.RecordCount();
    QStringList headers;
    headers.reserve(cols);
    for (int c = 0; c < cols; ++c)
        headers.append(rs.fieldInfo(c).name);
    QVector<QStringList> rows(count);
    convertRows(rs, rows);
    model_->replace(cols, std::move(headers), std::move(rows));
    if (count > 0 && cols > 0)
        setRow(1);
}

void FlexGrid::clearToEmpty() {
    setRows(2);
    Clear();
}

void FlexGrid::Clear() {
    model_->clearTexts();
}

void FlexGrid::setRedraw(bool on) {
    setUpdatesEnabled(on);
}

QString FlexGrid::cellText(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Int:
        return QString::number(value.toInt());
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    default:
        return value.toString();
    }
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event->key())) {
        event->accept();
        emit KeyPress(13);
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty())
        emit KeyPress(text.at(0).unicode());
    // Typed characters do not search the grid; arrows, paging and copying work as usual.
    if (!text.isEmpty() && text.at(0).isPrint()) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid())
        selectionModel()->setCurrentIndex(at,
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}

} // namespace wb::ui
