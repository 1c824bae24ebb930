#pragma once

#include "data/connection.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <functional>
#include <random>

namespace wbbench {

// Patients' names as a desk meets them, the same on every run (a fixed seed): a few thousand
// distinct names, 45% of the men "MUHAMMAD <name> <surname>", KHAN 15% of the surnames.
class Names {
public:
    explicit Names(unsigned seed = 29) : random_(seed) {}
    // The next name; `male` tells whose it is.
    QString next(bool* male = nullptr);
    // A mobile number and a street address as a desk writes them.
    QString phone();
    QString address();

private:
    std::mt19937 random_;
};

// 1..n in an order of their own (a fixed seed): codes and references that are not in the list's order.
QVector<int> shuffled(int n, unsigned seed = 29);

// Inserts `count` rows into `table` (`columns`), a batch of rows per statement; `row(i)` gives the
// values of row i (from 0). Inside one transaction.
void insertRows(wb::Connection& con, const QString& table, const QStringList& columns, int count,
                const std::function<QVariantList(int)>& row);

} // namespace wbbench
