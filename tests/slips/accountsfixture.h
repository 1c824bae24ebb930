#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace wb {
class Connection;
}

// Slips over three days, two shifts and two users, referred by two doctors and a panel doctor or by
// nobody, billed under three service heads, one of them cancelled; an active and an inactive company.
// The expected figures are computed here from the same data, never by the program's queries.
namespace accounts {

struct Line {
    int head; // index into heads()
    int test; // index into tests()
    double rate;
};

struct Slip {
    int no;
    QDate date;
    QString shift;
    QString user;
    QString patient;
    int doctor; // doc.Row_no; 0: none
    double discount;
    double cash;
    bool cancelled;
    QVector<Line> lines;
    double amount() const;
    double balance() const { return amount() - discount - cash; }
};

struct Test {
    int head;
    QString name;
    double rate;
};

struct Doctor {
    int rowNo;
    QString name;
    QString status;
};

const QStringList& heads();
const QVector<Test>& tests();
const QVector<Doctor>& doctors();
const QVector<Slip>& slips();
QDate day(int n); // day 1, 2 or 3

// Writes the fixture; heads and tests get their keys from the database.
struct Keys {
    QVector<long> heads;
    QVector<long> tests;
};
Keys write(wb::Connection& con);

// Sums of the slips that pass `take`: count, bill, discount, net, cash, balance.
struct Totals {
    int count = 0;
    double bill = 0, discount = 0, net = 0, cash = 0, balance = 0;
    QVector<double> numbers() const { return {double(count), bill, discount, net, cash, balance}; }
};
template <class Pred> Totals totals(Pred take) {
    Totals t;
    for (const Slip& s : slips()) {
        if (!take(s))
            continue;
        ++t.count;
        t.bill += s.amount();
        t.discount += s.discount;
        t.net += s.amount();
        t.cash += s.cash;
        t.balance += s.balance();
    }
    return t;
}

// The line of a printed report that holds `text` (first one from `from`), trimmed; empty when none.
QString lineWith(const QString& printed, const QString& text, int from = 0);
// How many lines hold the text.
int linesWith(const QString& printed, const QString& text);
// The numbers of a printed line, in order ("Total of the day 4 slips 5900.00 ..." -> 4, 5900, ...).
QVector<double> numbersIn(const QString& line);

} // namespace accounts
