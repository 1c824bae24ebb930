#include "report/print.h"
#include "reportengine/renderer.h"
#include "reportsupport.h"
#include "shell/module1.h"
#include "support/testdb.h"

#include <QRegularExpression>

using namespace wb::report;
using reporttest::pdfText;

namespace {

class ReportRendering : public wbtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        wbtest::openShared(*db);
        Module1::Con->Execute(QStringLiteral("DELETE FROM User_Information"));
        setTemplateFolder(reporttest::sourceTemplates());
    }
    void TearDown() override {
        setTemplateFolder(QString());
        EngineTest::TearDown();
    }

    static void addUser(int row, const QString& designation, const QString& status = QStringLiteral("U")) {
        Module1::Con->Execute(
            QStringLiteral("INSERT INTO User_Information (Row_No, User_Code, User_Name, Designation, "
                           "PassWard, Status) VALUES (?, ?, ?, ?, ?, ?)"),
            {row, QStringLiteral("UC-%1").arg(row), QStringLiteral("USER %1").arg(row), designation,
             QStringLiteral("SECRET-%1").arg(row), status});
    }

    static void addPatient(int row, const QString& name, const QDate& date) {
        Module1::Con->Execute(
            QStringLiteral(
                "INSERT INTO Patient_Slips (Row_no, Code_no, Pat_name, Pat_date) VALUES (?, ?, ?, ?)"),
            {row, QStringLiteral("PAT-%1").arg(row), name, date});
    }

    // The engine reads through the connection it is handed: here the test's own.
    static std::shared_ptr<Report> connected(std::shared_ptr<Report> report) {
        report->setConnection(Module1::Con);
        return report;
    }

    static std::shared_ptr<Report> usersList() {
        return connected(ReportApplication().OpenReport(templatePath(QStringLiteral("rpt_User_Name.rpt"))));
    }

    std::shared_ptr<Report> open(const QString& text) {
        return connected(ReportApplication().OpenReport(
            reporttest::writeTemplate(dir_, QStringLiteral("rpt_Check.rpt"), text)));
    }

    // Every text of every page.
    static QStringList texts(const Document& doc) {
        QStringList all;
        for (int i = 0; i < doc.pageCount(); ++i)
            all += doc.pageTexts(i);
        return all;
    }

    QTemporaryDir dir_;
};

int occurrences(const QString& text, const QString& what) {
    return int(text.count(what));
}

} // namespace

WB_ENGINES(ReportRendering);

TEST_P(ReportRendering, UsersListShowsEveryUserAndNoPassword) {
    addUser(1, QStringLiteral("RECEPTION"), QStringLiteral("A"));
    addUser(2, QStringLiteral("ACCOUNTS"));
    addUser(12, QStringLiteral("NURSE"));
    const QString text = pdfText(*usersList()->render());
    EXPECT_TRUE(text.contains(QStringLiteral("USER INFORMATION")));
    for (int row : {1, 2, 12}) {
        EXPECT_EQ(occurrences(text, QStringLiteral("USER %1 ").arg(row)), 1) << row;
        EXPECT_TRUE(text.contains(QStringLiteral("UC-%1").arg(row)));
    }
    EXPECT_TRUE(text.contains(QStringLiteral("RECEPTION")));
    EXPECT_TRUE(text.contains(QStringLiteral("Users: 3")));
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of 1")));
    EXPECT_FALSE(text.contains(QStringLiteral("SECRET")));
}

TEST_P(ReportRendering, SelectionFormulaRestrictsTheRowsAndTextsStayData) {
    for (int row = 1; row <= 14; ++row)
        addUser(row, QStringLiteral("STAFF"));
    auto report = usersList();
    report->setRecordSelectionFormula(QStringLiteral("{User_Information.Row_No} = 12"));
    QString text = pdfText(*report->render());
    EXPECT_TRUE(text.contains(QStringLiteral("USER 12")));
    EXPECT_FALSE(text.contains(QStringLiteral("USER 1 ")));
    EXPECT_FALSE(text.contains(QStringLiteral("USER 13")));
    EXPECT_TRUE(text.contains(QStringLiteral("Users: 1")));

    // A quote and SQL inside a text are part of the value looked for: nothing matches, nothing breaks.
    report->setRecordSelectionFormula(QStringLiteral("{User_Information.User_Name} = 'x'' or 1=1 --'"));
    EXPECT_TRUE(texts(*report->render()).contains(QStringLiteral("Users: 0")));
    report->setRecordSelectionFormula(QStringLiteral("{User_Information.User_Name} = 'x''; DELETE FROM "
                                                     "User_Information; --'"));
    report->render();
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("SELECT COUNT(*) FROM User_Information")).toInt(), 14);

    report->setRecordSelectionFormula(
        QStringLiteral("({user_information.row_no} <= 2 or {User_Information.Row_No} >= 13) and not "
                       "{User_Information.Row_No} = 14"));
    EXPECT_TRUE(texts(*report->render()).contains(QStringLiteral("Users: 3")));
}

TEST_P(ReportRendering, ANumberOutOfRangeIsTheSameClearErrorOnBothEngines) {
    addUser(1, QStringLiteral("STAFF"));
    auto report = usersList();
    try {
        report->setRecordSelectionFormula(QStringLiteral("{User_Information.Row_No} = 3000000000"));
        report->render();
        FAIL() << "a number no key can hold was sent to the database";
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.text().contains(QLatin1String("the number 3000000000 is out of range")))
            << e.text().toStdString();
    }
}

TEST_P(ReportRendering, LongReportRunsOverPagesNumberedXOfN) {
    for (int row = 1; row <= 150; ++row)
        addUser(row, QStringLiteral("STAFF"));
    const auto doc = usersList()->render();
    const int pages = doc->pageCount();
    ASSERT_GE(pages, 3);
    const QString text = pdfText(*doc);
    for (int page = 1; page <= pages; ++page)
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
    // The column titles head every page; each user stands once, none is lost at a page break.
    EXPECT_EQ(occurrences(text, QStringLiteral("User Code")), pages);
    for (int row = 1; row <= 150; ++row)
        EXPECT_EQ(occurrences(text, QStringLiteral("USER %1 ").arg(row)), 1) << row;
    EXPECT_TRUE(text.contains(QStringLiteral("Users: 150")));
    // Nothing is drawn into the bottom margin or over the page footer.
    const double limit = doc->pageSizeUnits().height() - 15 * kUnitsPerMm;
    for (const Page& page : doc->pages) {
        for (const TextItem& item : page.texts)
            EXPECT_LE(item.pos.y(), limit);
    }
}

TEST_P(ReportRendering, GroupsCountAndAddUpTheirRows) {
    // NURSE: 2 + 5 + 7 = 14; CLERK: 3 + 11 = 14; DOCTOR: 4.
    const QList<QPair<int, QString>> users = {{2, QStringLiteral("NURSE")},  {3, QStringLiteral("CLERK")},
                                              {4, QStringLiteral("DOCTOR")}, {5, QStringLiteral("NURSE")},
                                              {7, QStringLiteral("NURSE")},  {11, QStringLiteral("CLERK")}};
    for (const auto& [row, designation] : users)
        addUser(row, designation);
    const auto report = open(QStringLiteral(R"([data]
from = User_Information
order = {User_Information.Row_No} desc
[group header {User_Information.Designation}]
text bold = {User_Information.Designation} ({count})
[detail]
text = - {User_Information.User_Name} #{RecordNumber}
[group footer {User_Information.Designation}]
text = {User_Information.Designation} total {sum:User_Information.Row_No}, first {min:User_Information.User_Name}, last {max:User_Information.Row_No}, average {avg:User_Information.Row_No}
[report footer]
text = Grand total {sum:User_Information.Row_No} of {count:User_Information.Row_No} users
)"));
    const QStringList lines = texts(*report->render());
    const QStringList expected = {
        QStringLiteral("CLERK (2)"),
        QStringLiteral("- USER 11 #1"),
        QStringLiteral("- USER 3 #2"),
        QStringLiteral("CLERK total 14, first USER 11, last 11, average 7.00"),
        QStringLiteral("DOCTOR (1)"),
        QStringLiteral("- USER 4 #3"),
        QStringLiteral("DOCTOR total 4, first USER 4, last 4, average 4.00"),
        QStringLiteral("NURSE (3)"),
        QStringLiteral("- USER 7 #4"),
        QStringLiteral("- USER 5 #5"),
        QStringLiteral("- USER 2 #6"),
        QStringLiteral("NURSE total 14, first USER 2, last 7, average 4.67"),
        QStringLiteral("Grand total 32 of 6 users"),
    };
    EXPECT_EQ(lines, expected);
}

TEST_P(ReportRendering, DateFormulasCompareRealDatesInclusively) {
    addPatient(1, QStringLiteral("NOVEMBER LAST"), QDate(2026, 11, 30));
    addPatient(2, QStringLiteral("DECEMBER FIRST"), QDate(2026, 12, 1));
    addPatient(3, QStringLiteral("DECEMBER SEVENTH"), QDate(2026, 12, 7));
    addPatient(4, QStringLiteral("DECEMBER EIGHTH"), QDate(2026, 12, 8));
    auto report = open(QStringLiteral(R"([data]
from = Patient_Slips
order = {Patient_Slips.Row_no}
[detail]
row = {Patient_Slips.Pat_name} | {Patient_Slips.Pat_date}
)"));
    const auto names = [&](const QString& formula) {
        report->setRecordSelectionFormula(formula);
        QStringList out;
        for (const QString& t : texts(*report->render())) {
            if (!t.contains(u'/'))
                out << t;
        }
        return out;
    };
    EXPECT_EQ(names(QStringLiteral("{Patient_Slips.Pat_date} in #2026-12-01#  to #2026-12-07#")),
              QStringList({QStringLiteral("DECEMBER FIRST"), QStringLiteral("DECEMBER SEVENTH")}));
    EXPECT_EQ(names(QStringLiteral("{Patient_Slips.Pat_date} = #2026-12-07#")),
              QStringList({QStringLiteral("DECEMBER SEVENTH")}));
    EXPECT_EQ(names(QStringLiteral("{Patient_Slips.Pat_date} < #2026-12-01# or {Patient_Slips.Pat_date} > "
                                   "#2026-12-07#")),
              QStringList({QStringLiteral("NOVEMBER LAST"), QStringLiteral("DECEMBER EIGHTH")}));
    report->setRecordSelectionFormula(QStringLiteral("{Patient_Slips.Row_no} = 3"));
    EXPECT_TRUE(texts(*report->render()).contains(QStringLiteral("07/12/2026")));
}

TEST_P(ReportRendering, SubreportsFormulaFieldsAndParametersReachTheirSections) {
    addUser(1, QStringLiteral("RECEPTION"));
    addPatient(1, QStringLiteral("SEEN ON THE DAY"), QDate(2026, 12, 7));
    addPatient(2, QStringLiteral("SEEN THE DAY BEFORE"), QDate(2026, 12, 6));
    addPatient(3, QStringLiteral("ALSO ON THE DAY"), QDate(2026, 12, 7));
    auto report = open(QStringLiteral(R"([parameters]
Day = date
[data]
from = User_Information
[formulas]
rptDate = ""
[report header]
text = Sheet of {@rptDate} for {?Day}
[detail]
text = Desk {User_Information.User_Name}
[report footer]
text = Patients:
subreport = rptPatients
text = End
[subreport rptPatients]
[data]
from = Patient_Slips
filter = {Patient_Slips.Pat_date} = {?Day}
order = {Patient_Slips.Row_no}
[detail]
text = * {Patient_Slips.Pat_name}
[report footer]
text = {count} patients
[end subreport]
)"));
    EXPECT_THROW(report->render(), ReportError); // the parameter has no value yet
    report->parameter(1).setValue(QStringLiteral("2026-12-07"));
    report->formulaField(QStringLiteral("rptDate")).setText(QStringLiteral("\"07/12/2026\""));
    EXPECT_EQ(texts(*report->render()),
              QStringList({QStringLiteral("Sheet of 07/12/2026 for 07/12/2026"),
                           QStringLiteral("Desk USER 1"), QStringLiteral("Patients:"),
                           QStringLiteral("* SEEN ON THE DAY"), QStringLiteral("* ALSO ON THE DAY"),
                           QStringLiteral("2 patients"), QStringLiteral("End")}));

    report->subreport(QStringLiteral("rptPatients"))
        .setRecordSelectionFormula(QStringLiteral("{Patient_Slips.Pat_name} = 'ALSO ON THE DAY'"));
    const QStringList lines = texts(*report->render());
    EXPECT_TRUE(lines.contains(QStringLiteral("1 patients")));
    EXPECT_FALSE(lines.contains(QStringLiteral("* SEEN ON THE DAY")));
}
