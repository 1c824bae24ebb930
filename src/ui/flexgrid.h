#pragma once

#include <QStringList>
#include <QTableView>
#include <QVariantList>

namespace wb {
class Connection;
class Recordset;
} // namespace wb

namespace wb::ui {

class ColumnFit;
class FlexModel;

// The flex grid: row 0 is the header, rows 1.. the data; TextMatrix, Rows, Row, column widths in
// twips (0 hides a column but keeps its values) and the 2-row empty state. Binding copies the
// record set's rows, since the shared record set is replaced by the next query.
class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const;
    void setRows(int rows); // at least 1 (the header)
    int Cols() const;
    void setCols(int cols);
    int Row() const; // current row; 0 when none is current
    void setRow(int row);
    int Col() const;
    void setCol(int col);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // The designed width of a column; 0 hides it. A shown column is widened beyond it where its
    // header or a value in view would be cut; colWidth gives the designed width.
    void setColWidth(int col, int twips);
    int colWidth(int col) const;

    // Copies every row of the record set; the headers are the field names.
    void bind(const Recordset& rs);
    // Binds a query's result read page by page: the first screenful now, the next pages as the
    // user scrolls or a row further down is read. Rows counts the whole result. The query must not
    // end in LIMIT; its values are bound parameters. Returns the rows of the first page (0: empty).
    int bindQuery(Connection& con, const QString& sql, const QVariantList& params = {},
                  const QStringList& captions = {});
    // Unbound, cleared, 2 rows (the empty header and one empty row).
    void clearToEmpty();
    // Clears every cell, keeping Rows and Cols.
    void Clear();
    // Switches repainting off while filling.
    void setRedraw(bool on);

    // The text a bound cell shows for a value (dates dd/MM/yyyy).
    static QString cellText(const QVariant& value);
    // Shows the bound values of column `col` through `format` from now on (nullptr: cellText).
    void setColumnFormat(int col, QString (*format)(const QVariant& value));

signals:
    void DblClick();
    // Key press in the grid: the key's character code (13 for Enter).
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    FlexModel* model_;
    ColumnFit* fit_;
};

} // namespace wb::ui
