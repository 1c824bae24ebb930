#pragma once

#include <QHash>
#include <QObject>

class QTableView;

namespace wb::ui {

// The width a grid column needs to show its header and the values in view whole, in pixels.
int neededColumnWidth(const QTableView& grid, int col);

// Keeps the shown columns of a grid wide enough for their header and the values in view: a column
// is as wide as designed, or wider when its header or a value would be cut. Hidden columns stay
// hidden. Refits after the grid's data or headers change, once the pending events have run.
class ColumnFit : public QObject {
public:
    explicit ColumnFit(QTableView* grid);

    // The width a column is designed at, in pixels (before any widening).
    void setDesigned(int col, int pixels);
    int designed(int col) const;

    void fit();

private:
    void fitSoon();
    QTableView* grid_;
    QHash<int, int> designed_;
    bool pending_ = false;
};

} // namespace wb::ui
