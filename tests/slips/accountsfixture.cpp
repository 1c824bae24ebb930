#include "accountsfixture.h"

#include "data/connection.h"

#include <QDateTime>
#include <QRegularExpression>

namespace accounts {

double Slip::amount() const {
    double sum = 0;
    for (const Line& l : lines)
        sum += l.rate;
    return sum;
}

const QStringList& heads() {
    static const QStringList h = {QStringLiteral("LABORATORY"), QStringLiteral("RADIOLOGY"),
                                  QStringLiteral("CARDIOLOGY")};
    return h;
}

const QVector<Test>& tests() {
    static const QVector<Test> t = {{0, QStringLiteral("CBC"), 500},
                                    {0, QStringLiteral("LFT"), 1200},
                                    {1, QStringLiteral("X-RAY CHEST"), 800},
                                    {1, QStringLiteral("ULTRASOUND"), 1500},
                                    {2, QStringLiteral("ECG"), 600}};
    return t;
}

const QVector<Doctor>& doctors() {
    static const QVector<Doctor> d = {{1, QStringLiteral("DR AHMED"), QStringLiteral("Doctor")},
                                      {2, QStringLiteral("DR BUTT"), QStringLiteral("Doctor")},
                                      {3, QStringLiteral("STATE LIFE"), QStringLiteral("Panel")}};
    return d;
}

QDate day(int n) {
    return QDate(2026, 12, 4 + n);
}

namespace {
Line line(int test) {
    return {tests()[test].head, test, tests()[test].rate};
}
} // namespace

const QVector<Slip>& slips() {
    static const QVector<Slip> s = {
        {1, day(1), "M", "CASHIER1", "ALI RAZA", 1, 0, 1300, false, {line(0), line(2)}},
        {2, day(1), "E", "CASHIER2", "BANO BIBI", 3, 100, 1000, false, {line(3)}},
        {3, day(2), "M", "CASHIER1", "O'NEIL", 1, 50, 1000, false, {line(0), line(1)}},
        {4, day(2), "M", "CASHIER1", "SADIA KHAN", 2, 0, 600, false, {line(4)}},
        {5, day(2), "E", "CASHIER2", "TARIQ MEHMOOD", 3, 200, 2000, false, {line(2), line(3), line(0)}},
        {6, day(2), "E", "CASHIER2", "USMAN GHANI", 2, 0, 1700, true, {line(0), line(1)}},
        {7, day(2), "M", "CASHIER1", "WAQAS ALI", 0, 0, 800, false, {line(2)}},
        {8, day(3), "M", "CASHIER1", "ZARA SHAH", 2, 0, 1200, false, {line(1)}},
        {9, day(3), "E", "CASHIER2", "YASIR BAIG", 1, 25, 500, false, {line(4)}},
    };
    return s;
}

Keys write(wb::Connection& con) {
    Keys k;
    con.Execute(
        QStringLiteral("INSERT INTO Company (Company, comAddr, comTel, comActive) VALUES (?, ?, ?, NULL)"),
        {QStringLiteral("OLD CLINIC"), QStringLiteral("OLD ROAD"), QStringLiteral("111")});
    con.Execute(
        QStringLiteral("INSERT INTO Company (Company, comAddr, comTel, comActive) VALUES (?, ?, ?, 'Y')"),
        {QStringLiteral("CITY HOSPITAL"), QStringLiteral("12 MALL ROAD, LAHORE"),
         QStringLiteral("042-1234567")});
    for (const QString& h : heads()) {
        con.Execute(QStringLiteral("INSERT INTO Services (S_name, S_code) VALUES (?, 'CAT-')"), {h});
        k.heads << con.scalar(QStringLiteral("SELECT max(Row_no) FROM Services")).toLongLong();
    }
    for (const Test& t : tests()) {
        con.Execute(
            QStringLiteral("INSERT INTO Rate_List (S_code, Cata, Rate, Status) VALUES (?, ?, ?, 'Rountine')"),
            {qlonglong(k.heads[t.head]), t.name, t.rate});
        k.tests << con.scalar(QStringLiteral("SELECT max(Row_no) FROM Rate_List")).toLongLong();
    }
    for (const Doctor& d : doctors())
        con.Execute(
            QStringLiteral("INSERT INTO doc (Row_no, doc_code, doc_name, Status) VALUES (?, ?, ?, ?)"),
            {d.rowNo, QStringLiteral("DOC-%1").arg(d.rowNo), d.name, d.status});
    for (const Slip& s : slips()) {
        const QVariant nullText(QMetaType::fromType<QString>());
        con.Execute(
            QStringLiteral(
                "INSERT INTO SLIPS_MASTER (Row_no, Slip_code, Slip_date, Slip_Time, User_Name, Shift, "
                "p_name, r_doc, status, amount, discount, n_amou, Cash_rece, Bal, PanelStatus, "
                "CancelStatus, CanResign) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 'OPD', ?, ?, ?, ?, ?, ?, ?, ?)"),
            {s.no, QStringLiteral("REF-%1").arg(s.no), s.date, QDateTime(s.date, QTime(10, 0)), s.user,
             s.shift, s.patient, s.doctor ? QVariant(s.doctor) : QVariant(QMetaType::fromType<int>()),
             s.amount(), s.discount, s.amount(), s.cash, s.balance(),
             s.doctor ? QVariant(doctors()[s.doctor - 1].status) : nullText,
             s.cancelled ? QVariant(QStringLiteral("CANCEL")) : nullText,
             s.cancelled ? QVariant(QStringLiteral("WRONG PATIENT")) : nullText});
        int n = 0;
        for (const Line& l : s.lines)
            con.Execute(
                QStringLiteral("INSERT INTO SLIP_DETAIL (Row_no, Line_no, slip_date, service, rate_list, "
                               "test_rate) VALUES (?, ?, ?, ?, ?, ?)"),
                {s.no, ++n, s.date, qlonglong(k.heads[l.head]), qlonglong(k.tests[l.test]), l.rate});
    }
    return k;
}

QString lineWith(const QString& printed, const QString& text, int from) {
    const QStringList lines = printed.split(QLatin1Char('\n'));
    for (int i = from; i < lines.size(); ++i)
        if (lines[i].contains(text))
            return lines[i].simplified();
    return {};
}

int linesWith(const QString& printed, const QString& text) {
    int n = 0;
    for (const QString& l : printed.split(QLatin1Char('\n')))
        n += l.contains(text) ? 1 : 0;
    return n;
}

QVector<double> numbersIn(const QString& line) {
    static const QRegularExpression number(QStringLiteral("(?<![\\w/.-])(\\d+(?:\\.\\d+)?)(?![\\w/-])"));
    QVector<double> out;
    for (auto it = number.globalMatch(line); it.hasNext();)
        out << it.next().captured(1).toDouble();
    return out;
}

} // namespace accounts
