#include "flexgrid.h"

#include "columnfit.h"
#include "data/recordset.h"
#include "flexmodel.h"
#include "twips.h"
#include "typingwait.h"

#include <QDate>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTime>
#include <cmath>
#include <stdexcept>

namespace wb::ui {

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

// `col` when the grid shows it, else the first column it shows: the current cell is always a shown one.
int shownColumn(const QTableView& grid, int col) {
    const int cols = grid.model()->columnCount();
    col = qBound(0, col, cols - 1);
    if (!grid.isColumnHidden(col))
        return col;
    for (int c = 0; c < cols; ++c)
        if (!grid.isColumnHidden(c))
            return c;
    return col;
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
    // Tab and Shift+Tab leave the grid for the next or previous control.
    setTabKeyNavigation(false);
    // A new grid has a header row and one data row, two columns.
    model_->setColumnCount(2);
    model_->setRowCount(1);
    fit_ = new ColumnFit(this);
}

int FlexGrid::Rows() const {
    return model_->totalRows() + 1;
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
    if (row < 0 || (row > 0 && !model_->ensureRow(row - 1)))
        outOfRange();
    if (row == 0 || Cols() == 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex at = model_->index(row - 1, shownColumn(*this, Col()));
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
    if (row < 0 || (row > 0 && !model_->ensureRow(row - 1)) || col < 0 || col >= Cols())
        outOfRange();
    return row == 0 ? model_->header(col) : model_->cell(row - 1, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || (row > 0 && !model_->ensureRow(row - 1)) || col < 0 || col >= Cols())
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
    // Shown as designed, or wider where its header or a value in view would be cut.
    const int designed = twips > 0 ? twipsToPixels(twips) : horizontalHeader()->defaultSectionSize();
    // A column already fitted wider than the same design is left to the fit that follows: set back
    // and widened again, it would be laid out and painted twice for every list.
    if (fit_->designed(col) != designed || columnWidth(col) < designed)
        setColumnWidth(col, designed);
    fit_->setDesigned(col, designed);
}

int FlexGrid::colWidth(int col) const {
    if (col < 0 || col >= Cols())
        outOfRange();
    return isColumnHidden(col) ? 0 : pixelsToTwips(fit_->designed(col));
}

void FlexGrid::bind(const Recordset& rs) {
    model_->replace(rs);
    if (rs.RecordCount() > 0 && rs.fieldCount() > 0)
        setRow(1);
}

int FlexGrid::bindQuery(Connection& con, const QString& sql, const QVariantList& params,
                        const QStringList& captions) {
    int read = 0;
    try {
        read = model_->bindQuery(con, sql, params, captions);
    } catch (const Superseded&) {
        // The handler that switched repainting off for this list ends here: the grid shows the
        // newer keystroke's list.
        setRedraw(true);
        throw;
    }
    if (read > 0 && Cols() > 0)
        setRow(1);
    return read;
}

void FlexGrid::clearToEmpty() {
    setRows(2);
    Clear();
}

void FlexGrid::Clear() {
    model_->clearTexts();
}

void FlexGrid::setRedraw(bool on) {
    // The rows alone: the frame, header and scroll bars repaint themselves when they change, and
    // switching the whole grid back on would paint them over again for every list.
    viewport()->setUpdatesEnabled(on);
}

void FlexGrid::setColumnFormat(int col, QString (*format)(const QVariant& value)) {
    model_->setColumnFormat(col, format);
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
    // The keys move from a shown cell: from a hidden column the view would not move at all.
    const QModelIndex current = currentIndex();
    if (current.isValid() && isColumnHidden(current.column()))
        selectionModel()->setCurrentIndex(model_->index(current.row(), shownColumn(*this, current.column())),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
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
