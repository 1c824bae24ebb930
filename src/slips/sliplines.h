#pragma once

#include "slipstore.h"

#include <QList>
#include <QString>

namespace wb::ui {
class FlexGrid;
}

// The slip's treatment lines grid: one header row, then one line per test charged, with the numbers
// of the service head and of the test in two hidden columns.
namespace wb::slips::lines {

// The grid's columns.
enum Column { ServiceCode = 0, TestCode = 1, Service = 2, Test = 3, Rate = 4, ColumnCount = 5 };

// A line as the entry boxes give it.
struct Line {
    QString serviceCode;
    QString testCode;
    QString service;
    QString test;
    QString rate;
};

// The header row and the column widths; no line.
void setGrid(ui::FlexGrid& g);
// Whether a line charges the test (the same service head may appear twice, the same test not).
bool hasTest(const ui::FlexGrid& g, const QString& testCode);
// Adds a line below the last one.
void append(ui::FlexGrid& g, const Line& line);
// Removes the current line (the last one when no line is current); with one line or none left, the
// grid is cut back to its header row.
void removeCurrent(ui::FlexGrid& g);
// The sum of the rates of every line, in cents.
qint64 total(const ui::FlexGrid& g);
// The lines as the save takes them, in grid order.
QList<SlipLine> toSave(const ui::FlexGrid& g);
// Shows the stored lines of the slip `key` (a test or service deleted meanwhile shows an empty name);
// a slip without lines leaves the grid as it is.
void showStored(ui::FlexGrid& g, qint64 key);

} // namespace wb::slips::lines
