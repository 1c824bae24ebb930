#include "sliplines.h"

#include "data/recordset.h"
#include "money.h"
#include "session/module1.h"
#include "ui/flexgrid.h"

namespace wb::slips::lines {

void setGrid(ui::FlexGrid& g) {
    g.setRows(1);
    g.setCols(ColumnCount);
    const QStringList headers = {QStringLiteral("Service code"), QStringLiteral("Test code"),
                                 QStringLiteral("Service"), QStringLiteral("Test"), QStringLiteral("Rate")};
    const int widths[ColumnCount] = {0, 0, 4000, 4000, 1500};
    for (int c = 0; c < ColumnCount; ++c) {
        g.setTextMatrix(0, c, headers[c]);
        g.setColWidth(c, widths[c]);
    }
}

bool hasTest(const ui::FlexGrid& g, const QString& testCode) {
    for (int r = 1; r < g.Rows(); ++r)
        if (g.TextMatrix(r, TestCode) == testCode)
            return true;
    return false;
}

void append(ui::FlexGrid& g, const Line& line) {
    const int row = g.Rows();
    g.setRows(row + 1);
    g.setTextMatrix(row, ServiceCode, line.serviceCode);
    g.setTextMatrix(row, TestCode, line.testCode);
    g.setTextMatrix(row, Service, line.service);
    g.setTextMatrix(row, Test, line.test);
    g.setTextMatrix(row, Rate, line.rate);
}

void removeCurrent(ui::FlexGrid& g) {
    if (g.Rows() < 3) {
        g.setRows(1);
        return;
    }
    const int row = g.Row() >= 1 ? g.Row() : g.Rows() - 1;
    for (int r = row; r < g.Rows() - 1; ++r)
        for (int c = 0; c < g.Cols(); ++c)
            g.setTextMatrix(r, c, g.TextMatrix(r + 1, c));
    g.setRows(g.Rows() - 1);
}

qint64 total(const ui::FlexGrid& g) {
    qint64 sum = 0;
    for (int r = 1; r < g.Rows(); ++r)
        sum += money::valueOf(g.TextMatrix(r, Rate));
    return sum;
}

QList<SlipLine> toSave(const ui::FlexGrid& g) {
    QList<SlipLine> out;
    for (int r = 1; r < g.Rows(); ++r)
        out.append({g.TextMatrix(r, ServiceCode), g.TextMatrix(r, TestCode), g.TextMatrix(r, Rate)});
    return out;
}

void showStored(ui::FlexGrid& g, qint64 key) {
    Module1::OpenRs(QStringLiteral("Select Row_no,service,rate_list,"
                                   "(Select S_name From Services where Row_no = service) as servicename,"
                                   "(Select Cata From Rate_List where Row_no = rate_list) as Test,"
                                   "test_rate From SLIP_DETAIL where Row_no = ? order by Line_no"),
                    {key});
    auto& rs = *Module1::Rs;
    if (rs.RecordCount() < 1)
        return;
    g.setRows(rs.RecordCount() + 1);
    // The query's columns in the grid's order.
    const QStringList columns = {QStringLiteral("service"), QStringLiteral("rate_list"),
                                 QStringLiteral("servicename"), QStringLiteral("Test"),
                                 QStringLiteral("test_rate")};
    for (int r = 0; r < rs.RecordCount(); ++r) {
        rs.Move(r);
        for (int c = 0; c < columns.size(); ++c)
            g.setTextMatrix(r + 1, c, rs.text(columns[c]));
    }
}

} // namespace wb::slips::lines
