// The papers handed to a patient or a family, each printed for one record as its window prints it,
// read back from the PDF: the active company's letterhead, no empty lines, no listing count, the
// doctor's signature line; and the daily counter sheet's shifts in the order of their start times.
#include "report/print.h"
#include "reportsupport.h"
#include "shell/module1.h"
#include "support/testdb.h"

#include <QRegularExpression>

using namespace wb::report;
using reporttest::pdfText;

namespace {

struct Paper {
    const char* file;
    const char* formula; // as the window sets it for the record open there
    const char* record;
    QStringList shows;   // besides the letterhead
    QStringList leftOut; // empty lines and listing counts
};

const QList<Paper>& papers() {
    static const QList<Paper> list = {
        {"rpt_Pat_master_slip.rpt",
         "{SLIPS_MASTER.Row_no} = 123",
         "123",
         {"PATIENT SLIP", "Slip No: 123", "Age: 32 Y", "ZARA KHAN", "BLOOD CBC", "Checkup Doctor: DR OPD",
          "Balance 0.00", "Discount 0.00", "Cash Received 500.00"},
         {"IPD No:", "Reg No:", "Employee:", "32.00", "Slips:"}},
        {"rpt_Admission.rpt",
         "{Addmission.Row_no} = 7",
         "7",
         {"ADMISSION FORM", "IPD-7", "ZARA KHAN", "32 Y", "Consultant DR CONSULTANT", "________",
          "DR DUTY Duty Doctor"},
         {"Admissions:", "Observation ", "Financial Responsible", "Reffered Doctor"}},
        {"rpt_Observation.rpt",
         "{Observation_from.Row_no} = 7",
         "7",
         {"OBSERVATION FORM", "R-7", "ZARA KHAN", "32 Y"},
         {"Observations:", "Financial Responsible", "Reffered Doctor"}},
        {"rpt_Birth_Certificate.rpt",
         "{Brith_Certificate.row_no} = 3",
         "3",
         {"BIRTH CERTIFICATE", "Brith-3", "AMNA", "________", "DR DUTY Duty Doctor"},
         {"Number of births", "Remarks", "Address"}},
    };
    return list;
}

class Papers : public wbtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        wbtest::openShared(*db);
        setTemplateFolder(reporttest::sourceTemplates());
        exec("INSERT INTO Company (Company, comAddr, comTel, comActive) VALUES ('OLD CLINIC', 'GONE', '1', "
             "NULL)");
        exec("INSERT INTO Company (Company, comAddr, comTel, comActive) VALUES ('CITY HOSPITAL', "
             "'12 MALL ROAD LAHORE', '042-1112223', 'Y')");
        exec("INSERT INTO doc (Row_no, doc_name, Status) VALUES (1, 'DR OPD', 'Doctor'), "
             "(2, 'DR CONSULTANT', 'Doctor'), (3, 'DR DUTY', 'Doctor')");
        exec("INSERT INTO Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex) VALUES "
             "(1, 'PAT-1', 'ZARA KHAN', 'IMRAN KHAN', 'F')");
        exec("INSERT INTO Services (S_name) VALUES ('BLOOD')");
        const QVariant service = Module1::Con->scalar(QStringLiteral("SELECT MAX(Row_no) FROM Services"));
        Module1::Con->Execute(
            QStringLiteral("INSERT INTO Rate_List (S_code, Cata, Rate) VALUES (?, 'CBC', 500)"), {service});
        const QVariant test = Module1::Con->scalar(QStringLiteral("SELECT MAX(Row_no) FROM Rate_List"));
        // An OPD slip: no admission, no employee, nothing owed and no discount typed (Null).
        exec("INSERT INTO SLIPS_MASTER (Row_no, Slip_code, Slip_date, Shift, p_name, Relation, Age, Yr, Sex, "
             "opd_doc, status, amount, discount, n_amou, Cash_rece, Bal, User_Name) VALUES (123, 'SL-123', "
             "'2026-12-09', 'M', 'ZARA KHAN', '', 32, 'Y', 'F', 1, 'OPD', 500, NULL, 500, 500, NULL, "
             "'ADMIN')");
        Module1::Con->Execute(
            QStringLiteral("INSERT INTO SLIP_DETAIL (Row_no, Line_no, slip_date, service, "
                           "rate_list, test_rate) VALUES (123, 1, '2026-12-09', ?, ?, 500)"),
            {service, test});
        for (int row : {6, 7}) {
            Module1::Con->Execute(
                QStringLiteral(
                    "INSERT INTO Addmission (Row_no, Ipd_code, Reg_no, admdate, Pat_row_id, Age, Yr, "
                    "Room_no, consultant, duty_doc, Shift) VALUES (?, ?, ?, '2026-12-09', 1, 32, 'Y', "
                    "'R1', 2, 3, 'M')"),
                {row, QStringLiteral("IPD-%1").arg(row), QStringLiteral("R-%1").arg(row)});
        }
        for (int row : {2, 3}) {
            Module1::Con->Execute(
                QStringLiteral(
                    "INSERT INTO Brith_Certificate (row_no, serial_no, reg_no, delivery_no, mother_name, "
                    "father_name, sex, date_brith, duty_doc, issu_date) VALUES (?, ?, 'R-9', 'D-9', "
                    "'AMNA', 'BILAL', 'F', '2026-12-08', 3, '2026-12-09')"),
                {row, QStringLiteral("Brith-%1").arg(row)});
        }
    }
    void TearDown() override {
        setTemplateFolder(QString());
        EngineTest::TearDown();
    }

    static void exec(const char* sql) { Module1::Con->Execute(QString::fromUtf8(sql)); }

    // The paper as its window prints it, read back from the PDF with its blanks made single.
    static QString print(const Paper& paper, bool oneRecord = true) {
        auto report = ReportApplication().OpenReport(templatePath(QString::fromUtf8(paper.file)));
        report->setConnection(Module1::Con);
        if (oneRecord) {
            report->setRecordSelectionFormula(QString::fromUtf8(paper.formula));
            report->setRecordKey(QString::fromUtf8(paper.record));
        }
        return readable(pdfText(*report->render()));
    }

    // The text with its blanks made single and the font's ligatures ("ﬀ" in "Reffered") spelt out.
    static QString readable(QString text) {
        const QStringList spelt = {"ff", "fi", "fl", "ffi", "ffl"};
        for (int i = 0; i < spelt.size(); ++i)
            text.replace(QChar(0xFB00 + i), spelt.at(i));
        return text.simplified();
    }
};

} // namespace

WB_ENGINES(Papers);

TEST_P(Papers, EveryPaperCarriesTheLetterheadAndNoEmptyLineOrCount) {
    for (const Paper& paper : papers()) {
        SCOPED_TRACE(paper.file);
        const QString text = print(paper);
        for (const QString& letterhead :
             QStringList{"CITY HOSPITAL", "12 MALL ROAD LAHORE", "Tel: 042-1112223"})
            EXPECT_TRUE(text.contains(letterhead))
                << letterhead.toStdString() << " in " << text.toStdString();
        EXPECT_FALSE(text.contains(QLatin1String("OLD CLINIC")));
        for (const QString& shown : paper.shows)
            EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << " in " << text.toStdString();
        for (const QString& absent : paper.leftOut)
            EXPECT_FALSE(text.contains(absent)) << absent.toStdString() << " in " << text.toStdString();
    }
}

TEST_P(Papers, WithoutAnActiveCompanyThePapersPrintWithoutTheLetterhead) {
    exec("UPDATE Company SET comActive = NULL");
    for (const Paper& paper : papers()) {
        SCOPED_TRACE(paper.file);
        const QString text = print(paper);
        EXPECT_TRUE(text.contains(paper.shows.first())) << text.toStdString();
        EXPECT_TRUE(text.contains(paper.shows.at(1))) << text.toStdString();
        EXPECT_FALSE(text.contains(QLatin1String("CITY HOSPITAL")));
        EXPECT_FALSE(text.contains(QLatin1String("Tel:")));
    }
}

TEST_P(Papers, ListingsOfEveryRecordKeepTheirCount) {
    const QStringList counts = {{}, "Admissions: 2", "Observations: 2", "Number of births: 2"};
    for (int i = 1; i < papers().size(); ++i)
        EXPECT_TRUE(print(papers().at(i), false).contains(counts.at(i))) << papers().at(i).file;
}

TEST_P(Papers, TheDailyCounterListsTheShiftsInTheOrderOfTheirStartTimes) {
    // Registered in another order than the day's, and one name twice.
    for (const char* shift : {"('E', '14:00')", "('N', '20:00')", "('M', '08:00')", "('M', '10:00')"})
        exec(QByteArray("INSERT INTO SHIFT (shift, time_from) VALUES ").append(shift).constData());
    exec("INSERT INTO SLIPS_MASTER (Row_no, Slip_code, Slip_date, Shift, p_name, status, amount, n_amou, "
         "Cash_rece, Bal) VALUES (201, 'SL-201', '2026-12-09', 'N', 'NIGHT PATIENT', 'OPD', 100, 100, 60, "
         "40), "
         "(202, 'SL-202', '2026-12-09', 'E', 'EVENING PATIENT', 'OPD', 200, 200, 200, NULL)");
    auto report = ReportApplication().OpenReport(templatePath(QStringLiteral("rpt_DailyCounter.rpt")));
    report->setConnection(Module1::Con);
    report->setRecordSelectionFormula(
        QStringLiteral("{Company.comActive} = 'Y' and {SLIPS_MASTER.Slip_date} = #2026-12-09#"));
    const QString text = pdfText(*report->render());
    const int m = int(text.indexOf(QLatin1String("Shift M total")));
    const int e = int(text.indexOf(QLatin1String("Shift E total")));
    const int n = int(text.indexOf(QLatin1String("Shift N total")));
    EXPECT_TRUE(m >= 0 && m < e && e < n) << text.toStdString();
    EXPECT_EQ(text.count(QLatin1String("ZARA KHAN")), 1) << "a shift named twice repeats no slip";
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Total of the day +Slips: 3"))));
    // A balance left empty is nothing owed: 0.00 in its cell as in the totals.
    const QString evening = text.section(QLatin1String("EVENING PATIENT"), 1).section(u'\n', 0, 0);
    EXPECT_TRUE(evening.simplified().endsWith(QLatin1String("200.00 200.00 0.00"))) << evening.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("CITY HOSPITAL")));
}
