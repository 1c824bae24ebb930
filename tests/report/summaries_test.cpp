// Counts, averages, smallest and largest values over fields where some rows have no value.
#include "reportengine/report.h"
#include "reportsupport.h"
#include "shell/module1.h"
#include "support/testdb.h"

using namespace wb::report;

namespace {

class ReportSummaries : public wbtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        wbtest::openShared(*db);
    }
    // A slip with its patient's name, amount and age; an invalid QVariant writes Null.
    static void slip(int row, const QString& shift, const QVariant& name, const QVariant& amount,
                     const QVariant& age) {
        const auto orNull = [](const QVariant& v, QMetaType type) {
            return v.isValid() ? v : QVariant(type);
        };
        Module1::Con->Execute(QStringLiteral("insert into SLIPS_MASTER (Row_no, Shift, p_name, amount, Age) "
                                             "values (?, ?, ?, ?, ?)"),
                              {row, shift, orNull(name, QMetaType::fromType<QString>()),
                               orNull(amount, QMetaType::fromType<double>()),
                               orNull(age, QMetaType::fromType<double>())});
    }
    QStringList lines(const QString& text) {
        auto report = ReportApplication().OpenReport(
            reporttest::writeTemplate(dir_, QStringLiteral("rpt_Summaries.rpt"), text));
        report->setConnection(Module1::Con);
        const auto doc = report->render();
        QStringList all;
        for (int i = 0; i < doc->pageCount(); ++i)
            all += doc->pageTexts(i);
        return all;
    }
    QTemporaryDir dir_;
};

TEST_P(ReportSummaries, CountsAveragesAndExtremesSkipRowsWithoutAValue) {
    // Morning: amounts 100, -, 300, -, 50 (three values); names BETA, -, ALPHA, GAMMA, -.
    slip(1, QStringLiteral("M"), QStringLiteral("BETA"), 100, 40);
    slip(2, QStringLiteral("M"), {}, {}, {});
    slip(3, QStringLiteral("M"), QStringLiteral("ALPHA"), 300, {});
    slip(4, QStringLiteral("M"), QStringLiteral("GAMMA"), {}, 20);
    slip(5, QStringLiteral("M"), {}, 50, {});
    // Evening: no amount and no age at all.
    slip(6, QStringLiteral("E"), QStringLiteral("DELTA"), {}, {});
    const QStringList printed = lines(QStringLiteral(R"([data]
from = SLIPS_MASTER
order = {SLIPS_MASTER.Row_no}
[group footer {SLIPS_MASTER.Shift}]
text = {SLIPS_MASTER.Shift}: {count} slips, {count:SLIPS_MASTER.amount} amounts, avg [{avg:SLIPS_MASTER.amount}], min [{min:SLIPS_MASTER.amount}], max [{max:SLIPS_MASTER.amount}], ages {count:SLIPS_MASTER.Age} min [{min:SLIPS_MASTER.Age}]
[report footer]
text = names {count:SLIPS_MASTER.p_name} of {count}, first [{min:SLIPS_MASTER.p_name}], last [{max:SLIPS_MASTER.p_name}], avg age [{avg:SLIPS_MASTER.Age}]
)"));
    EXPECT_EQ(printed,
              (QStringList{
                  QStringLiteral("E: 1 slips, 0 amounts, avg [], min [], max [], ages 0 min []"),
                  QStringLiteral("M: 5 slips, 3 amounts, avg [150.00], min [50.00], max [300.00], ages 2 min "
                                 "[20.00]"),
                  QStringLiteral("names 4 of 6, first [ALPHA], last [GAMMA], avg age [30.00]"),
              }));
}

WB_ENGINES(ReportSummaries);

} // namespace
