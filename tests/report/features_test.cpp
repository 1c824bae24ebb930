// The template features papers rely on: rows left out when blank, numbers without decimals, a Null
// number shown as zero, listing lines, the one-row lookup and where rows without a value sort.
#include "report/print.h"
#include "reportsupport.h"
#include "shell/module1.h"
#include "support/testdb.h"

using namespace wb::report;

namespace {

class TemplateFeatures : public wbtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        wbtest::openShared(*db);
    }

    // A slip with what the tests print: its age, its balance, its shift and its IPD number.
    static void addSlip(int row, const QVariant& age, const QVariant& balance, const QString& shift = {},
                        const QVariant& ipd = {}) {
        Module1::Con->Execute(
            QStringLiteral("INSERT INTO SLIPS_MASTER (Row_no, p_name, Age, Bal, Shift, Ipd_Code) VALUES "
                           "(?, ?, ?, ?, ?, ?)"),
            {row, QStringLiteral("PATIENT %1").arg(row), age, balance, shift, ipd});
    }

    static void addShift(const QString& name, const QString& from) {
        Module1::Con->Execute(QStringLiteral("INSERT INTO SHIFT (shift, time_from) VALUES (?, ?)"),
                              {name, from});
    }

    std::shared_ptr<Report> open(const QString& text) {
        auto report = ReportApplication().OpenReport(
            reporttest::writeTemplate(dir_, QStringLiteral("rpt_Check.rpt"), text));
        report->setConnection(Module1::Con);
        return report;
    }

    static QStringList texts(const Report& report) {
        const auto doc = report.render();
        QStringList all;
        for (int i = 0; i < doc->pageCount(); ++i)
            all += doc->pageTexts(i);
        return all;
    }

    QTemporaryDir dir_;
};

} // namespace

WB_ENGINES(TemplateFeatures);

TEST_P(TemplateFeatures, SuppressBlankLeavesOutALineWhoseFieldsAreAllEmpty) {
    addSlip(1, 30, QVariant(), {}, QStringLiteral("IPD-4"));
    addSlip(2, 40, QVariant());
    const auto report = open(QStringLiteral(R"([data]
from = SLIPS_MASTER
order = {SLIPS_MASTER.Row_no}
[detail]
text = Slip {SLIPS_MASTER.Row_no}
text suppressblank = IPD No: {SLIPS_MASTER.Ipd_Code} Reg No: {SLIPS_MASTER.Reg_No}
row suppressblank = Employee: | {SLIPS_MASTER.Emp_No} | {SLIPS_MASTER.Emp_Name}
text suppressblank = A line without fields stays
)"));
    EXPECT_EQ(texts(*report),
              QStringList({QStringLiteral("Slip 1"), QStringLiteral("IPD No: IPD-4 Reg No: "),
                           QStringLiteral("A line without fields stays"), QStringLiteral("Slip 2"),
                           QStringLiteral("A line without fields stays")}));
}

TEST_P(TemplateFeatures, ANumberFieldIsShownWithTheDecimalsAskedFor) {
    addSlip(1, 32, QVariant());
    addSlip(2, QVariant(), QVariant());
    const auto report = open(QStringLiteral(R"([data]
from = SLIPS_MASTER
order = {SLIPS_MASTER.Row_no}
[detail]
text = Age: {SLIPS_MASTER.Age:0} Y, as stored {SLIPS_MASTER.Age}, one place {SLIPS_MASTER.Age : 1}
)"));
    EXPECT_EQ(texts(*report), QStringList({QStringLiteral("Age: 32 Y, as stored 32.00, one place 32.0"),
                                           QStringLiteral("Age:  Y, as stored , one place ")}));
    // Decimals belong to numbers: a text field is refused where it is written.
    try {
        open(QStringLiteral("[data]\nfrom = SLIPS_MASTER\n[detail]\ntext = {SLIPS_MASTER.p_name:0}\n"));
        FAIL() << "decimals were accepted on a text field";
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.text().contains(QLatin1String("line 4"))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QLatin1String("not a number field"))) << e.text().toStdString();
    }
}

TEST_P(TemplateFeatures, ZeroShowsANumberWithoutAValueAsZero) {
    addSlip(1, QVariant(), QVariant());
    addSlip(2, QVariant(), 12.5);
    const auto report = open(QStringLiteral(R"([data]
from = SLIPS_MASTER
order = {SLIPS_MASTER.Row_no}
[detail]
row zero = {SLIPS_MASTER.p_name} | {SLIPS_MASTER.Reg_No} | {SLIPS_MASTER.Bal} | {SLIPS_MASTER.Age:0}
row = {SLIPS_MASTER.p_name} | {SLIPS_MASTER.Bal}
)"));
    EXPECT_EQ(texts(*report),
              QStringList({QStringLiteral("PATIENT 1"), QStringLiteral("0.00"), QStringLiteral("0"),
                           QStringLiteral("PATIENT 1"), QStringLiteral("PATIENT 2"), QStringLiteral("12.50"),
                           QStringLiteral("0"), QStringLiteral("PATIENT 2"), QStringLiteral("12.50")}));
}

TEST_P(TemplateFeatures, ListingLinesAreLeftOutOfOneRecordsPaper) {
    addSlip(1, 30, QVariant());
    addSlip(2, 40, QVariant());
    const auto report = open(QStringLiteral(R"([data]
from = SLIPS_MASTER
order = {SLIPS_MASTER.Row_no}
[detail]
text = {SLIPS_MASTER.p_name}
[report footer]
rule listing
text listing = Slips: {count}
text = End
)"));
    EXPECT_EQ(texts(*report), QStringList({QStringLiteral("PATIENT 1"), QStringLiteral("PATIENT 2"),
                                           QStringLiteral("Slips: 2"), QStringLiteral("End")}));
    EXPECT_EQ(report->render()->pages.at(0).rules.size(), 1);
    report->setRecordSelectionFormula(QStringLiteral("{SLIPS_MASTER.Row_no} = 2"));
    report->setRecordKey(QStringLiteral("2"));
    const auto doc = report->render();
    EXPECT_EQ(doc->record, QStringLiteral("2"));
    EXPECT_EQ(doc->pageTexts(0), QStringList({QStringLiteral("PATIENT 2"), QStringLiteral("End")}));
    EXPECT_TRUE(doc->pages.at(0).rules.isEmpty());
}

TEST_P(TemplateFeatures, ALookupReadsOneRowOfItsTableAndRepeatsNoRowOfTheReport) {
    addShift(QStringLiteral("E"), QStringLiteral("14:00"));
    addShift(QStringLiteral("M"), QStringLiteral("08:00"));
    addShift(QStringLiteral("M"), QStringLiteral("09:30")); // the same name twice: the first one counts
    addShift(QStringLiteral("N"), QStringLiteral("20:00"));
    addSlip(1, 30, 1, QStringLiteral("N"));
    addSlip(2, 30, 2, QStringLiteral("E"));
    addSlip(3, 30, 4, QStringLiteral("M"));
    addSlip(4, 30, 8, QStringLiteral("X")); // a shift the register no longer holds
    const auto report = open(QStringLiteral(R"([data]
from = SLIPS_MASTER
lookup = SHIFT as ShiftOf on ShiftOf.shift = SLIPS_MASTER.Shift
order = {ShiftOf.time_from}, {SLIPS_MASTER.Row_no}
[detail]
text = {SLIPS_MASTER.Shift} {ShiftOf.time_from} slip {SLIPS_MASTER.Row_no}
[report footer]
text = {count} slips, balance {sum:SLIPS_MASTER.Bal}
)"));
    EXPECT_EQ(texts(*report), QStringList({QStringLiteral("M 08:00 slip 3"), QStringLiteral("E 14:00 slip 2"),
                                           QStringLiteral("N 20:00 slip 1"), QStringLiteral("X  slip 4"),
                                           QStringLiteral("4 slips, balance 15.00")}));
    // A lookup compares a field of its own table with one of the tables before it.
    EXPECT_THROW(open(QStringLiteral("[data]\nfrom = SLIPS_MASTER\nlookup = SHIFT on SLIPS_MASTER.Shift = "
                                     "SLIPS_MASTER.p_name\n")),
                 ReportError);
}
