#include "names.h"

#include "benchdb.h"

#include <QSqlQuery>
#include <algorithm>

namespace wbbench {

namespace {

const char* const Men[] = {"ALI",    "AHMED",  "HASSAN",  "HUSSAIN", "USMAN",  "BILAL",  "OMAR",  "HAMZA",
                           "IMRAN",  "FAISAL", "TARIQ",   "ASIF",    "KAMRAN", "ZAHID",  "SAJID", "NAVEED",
                           "ARSHAD", "JAVED",  "RASHID",  "SHAHID",  "WAQAS",  "ADNAN",  "FAHAD", "SALMAN",
                           "YASIR",  "ZUBAIR", "KHALID",  "NADEEM",  "AAMIR",  "IRFAN",  "JOSÉ",  "ABDUL",
                           "SAEED",  "RIZWAN", "SHAKEEL", "TAHIR",   "WASEEM", "YOUSAF", "ZAFAR", "IQBAL"};
const char* const Women[] = {"FATIMA",  "AYESHA", "SARA",   "ZARA",     "HINA",    "NIDA",   "SANA",  "AMNA",
                             "MARIA",   "RABIA",  "IQRA",   "ZAINAB",   "KHADIJA", "MARYAM", "SADIA", "SAIMA",
                             "BUSHRA",  "NAILA",  "SHAZIA", "UZMA",     "NOREEN",  "FARAH",  "HUMA",  "ASMA",
                             "MEHWISH", "SOBIA",  "TAHIRA", "RUKHSANA", "NASREEN", "PARVEEN"};
const char* const Surnames[] = {
    "AHMED",  "ALI",   "HUSSAIN", "SHAH",   "MALIK",  "QURESHI",  "BUTT",   "CHAUDHRY", "SHEIKH",   "MIRZA",
    "RAJA",   "AWAN",  "ABBASI",  "BHATTI", "DAR",    "GILL",     "HASHMI", "IQBAL",    "JAVED",    "KHOKHAR",
    "LODHI",  "MEMON", "NAQVI",   "RANA",   "RAZA",   "SIDDIQUI", "SIAL",   "TAREEN",   "WARRAICH", "ZAIDI",
    "MÜLLER", "ÑÚÑEZ", "ANSARI",  "BAIG",   "CHEEMA", "DURRANI",  "FAROOQ", "GONDAL",   "JATOI",    "KAZMI"};

template <class T, size_t N> const char* pick(std::mt19937& r, T (&list)[N]) {
    return list[std::uniform_int_distribution<size_t>(0, N - 1)(r)];
}

} // namespace

QString Names::next(bool* male) {
    std::uniform_real_distribution<double> chance(0, 1);
    const bool man = chance(random_) < 0.55;
    if (male)
        *male = man;
    const QString surname =
        chance(random_) < 0.15 ? QStringLiteral("KHAN") : QString::fromUtf8(pick(random_, Surnames));
    if (!man)
        return QStringLiteral("%1 %2").arg(QString::fromUtf8(pick(random_, Women)), surname);
    const QString first = QString::fromUtf8(pick(random_, Men));
    if (chance(random_) < 0.45)
        return QStringLiteral("MUHAMMAD %1 %2").arg(first, surname);
    return QStringLiteral("%1 %2").arg(first, surname);
}

QString Names::phone() {
    std::uniform_int_distribution<int> network(300, 349);
    std::uniform_int_distribution<int> number(0, 9999999);
    return QStringLiteral("0%1-%2").arg(network(random_)).arg(number(random_), 7, 10, QLatin1Char('0'));
}

QString Names::address() {
    static const char* const Towns[] = {"LAHORE", "KASUR", "SHEIKHUPURA", "GUJRANWALA", "OKARA", "SAHIWAL"};
    std::uniform_int_distribution<int> house(1, 999);
    std::uniform_int_distribution<int> street(1, 60);
    return QStringLiteral("HOUSE %1, STREET %2, %3")
        .arg(house(random_))
        .arg(street(random_))
        .arg(QString::fromUtf8(pick(random_, Towns)));
}

QVector<int> shuffled(int n, unsigned seed) {
    QVector<int> out(n);
    for (int i = 0; i < n; ++i)
        out[i] = i + 1;
    std::mt19937 random(seed);
    std::shuffle(out.begin(), out.end(), random);
    return out;
}

void insertRows(wb::Connection& con, const QString& table, const QStringList& columns, int count,
                const std::function<QVariantList(int)>& row) {
    constexpr int Batch = 200;
    const QString one = u'(' + QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')';
    const QString head = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, columns.join(u','));
    wb::Transaction t(con);
    QSqlQuery full(con.database());
    full.prepare(head + QStringList(Batch, one).join(u','));
    for (int from = 0; from < count; from += Batch) {
        const int n = std::min(Batch, count - from);
        QSqlQuery part(con.database());
        QSqlQuery& q = n == Batch ? full : part;
        if (n < Batch)
            q.prepare(head + QStringList(n, one).join(u','));
        for (int i = from; i < from + n; ++i)
            for (const QVariant& v : row(i))
                q.addBindValue(v);
        exec(q);
    }
    full.finish();
    t.commit();
}

} // namespace wbbench
