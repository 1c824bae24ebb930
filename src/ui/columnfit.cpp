#include "columnfit.h"

#include <QHeaderView>
#include <QTableView>
#include <QTimer>

namespace wb::ui {

namespace {

// The rows looked at: those in view, at most a screenful.
constexpr int RowsLooked = 50;

// The last row in view, or -1 when the rows end above the view's bottom or the grid is not shown
// yet (its view is not laid out: a screenful is looked at).
int lastRowInView(const QTableView& grid) {
    return grid.isVisible() ? grid.rowAt(grid.viewport()->height() - 1) : -1;
}

} // namespace

int neededColumnWidth(const QTableView& grid, int col) {
    const QAbstractItemModel* model = grid.model();
    int needed = grid.horizontalHeader()->sectionSizeHint(col);
    const int first = qMax(0, grid.rowAt(0));
    const int inView = lastRowInView(grid);
    const int last = qMin(inView < 0 ? model->rowCount() : inView + 1, first + RowsLooked);
    const int gridLine = grid.showGrid() ? 1 : 0;
    for (int r = first; r < last; ++r)
        needed = qMax(needed, grid.sizeHintForIndex(model->index(r, col)).width() + gridLine);
    return needed;
}

ColumnFit::ColumnFit(QTableView* grid) : QObject(grid), grid_(grid) {
    QAbstractItemModel* model = grid->model();
    connect(model, &QAbstractItemModel::modelReset, this, &ColumnFit::fitSoon);
    // Rows read below those in view (the next page of a list) change nothing the user sees.
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int) {
        const int inView = lastRowInView(*grid_);
        if (inView < 0 || first <= inView)
            fitSoon();
    });
    connect(model, &QAbstractItemModel::columnsInserted, this, &ColumnFit::fitSoon);
    connect(model, &QAbstractItemModel::dataChanged, this, &ColumnFit::fitSoon);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &ColumnFit::fitSoon);
    connect(model, &QAbstractItemModel::layoutChanged, this, &ColumnFit::fitSoon);
}

void ColumnFit::setDesigned(int col, int pixels) {
    designed_.insert(col, pixels);
    fitSoon();
}

int ColumnFit::designed(int col) const {
    return designed_.value(col, grid_->horizontalHeader()->defaultSectionSize());
}

void ColumnFit::fitSoon() {
    if (pending_)
        return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] { fit(); });
}

void ColumnFit::fit() {
    pending_ = false;
    const int cols = grid_->model()->columnCount();
    for (int c = 0; c < cols; ++c) {
        if (grid_->isColumnHidden(c))
            continue;
        const int width = qMax(designed(c), neededColumnWidth(*grid_, c));
        if (grid_->columnWidth(c) != width)
            grid_->setColumnWidth(c, width);
    }
}

} // namespace wb::ui
