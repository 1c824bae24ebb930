#include "catalogue.h"
#include "reportengine/renderer.h"
#include "reportengine/report.h"
#include "reportsupport.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wb::report;

namespace {

// An account sheet: slips of the active company with their doctor, grouped by doctor, a subreport,
// a formula field and a date parameter.
const char* kSheet = R"(# slips of one day
[report]
title = Doctor Wise Summary
columns = 50 25 25
align = left right right

[parameters]
ReportDate = date, 2026-01-01

[data]
from = SLIPS_MASTER
left join = doc as Consultant on Consultant.Row_no = SLIPS_MASTER.Doc_id
cross join = Company
filter = {Company.comActive} = 'Y'
selection = {SLIPS_MASTER.Slip_date} = {?ReportDate}
order = {SLIPS_MASTER.Row_no} desc

[formulas]
FDate = ""
TDate = "" & {?ReportDate}

[report header]
text huge bold center = {Title}
text center = From {@FDate} to {@TDate}

[group header {Consultant.Doc_name}]
text bold = {Consultant.Doc_name} ({count} slips)

[detail]
row = Slip {SLIPS_MASTER.Row_no} | {SLIPS_MASTER.Amount}

[group footer Consultant.Doc_name]
row bold = Total | {sum:SLIPS_MASTER.Amount} | {count:SLIPS_MASTER.CancelStatus}

[report footer]
subreport = rptCacelSlip

[page footer]
text right = Page {PageNumber} of {TotalPages}

[subreport rptCacelSlip]
[data]
from = SLIPS_MASTER
selection = {SLIPS_MASTER.CancelStatus} = 'C'
[detail]
row = Cancelled {SLIPS_MASTER.Row_no}
[end subreport]
)";

std::unique_ptr<ReportTemplate> parse(const QString& text,
                                      const QString& name = QStringLiteral("rpt_Test.rpt")) {
    return parseTemplate(text, name, reporttest::lookup());
}

// The error text of reading `text`, or an empty text when it was read.
QString errorOf(const QString& text) {
    try {
        parse(text);
    } catch (const ReportError& e) {
        return e.text();
    }
    return {};
}

} // namespace

TEST(ReportTemplate, ReadsDataSectionsGroupsFormulasParametersAndSubreports) {
    auto t = parse(QString::fromUtf8(kSheet));
    EXPECT_EQ(t->title, QStringLiteral("Doctor Wise Summary"));
    ASSERT_EQ(t->tables.size(), 3);
    EXPECT_EQ(t->tables[1].name, QStringLiteral("Consultant"));
    EXPECT_EQ(t->tables[1].table, QStringLiteral("doc"));
    ASSERT_EQ(t->groups.size(), 1); // the header and footer name the same group, with or without braces
    EXPECT_EQ(t->groups[0].display, QStringLiteral("Consultant.Doc_name"));
    EXPECT_EQ(t->groups[0].header.lines.size(), 1);
    EXPECT_EQ(t->groups[0].footer.lines.size(), 1);
    ASSERT_EQ(t->parameters.size(), 1u);
    EXPECT_EQ(t->parameters[0].value, QVariant(QDate(2026, 1, 1)));
    ASSERT_NE(t->subreport(QStringLiteral("RPTCACELSLIP")), nullptr);
    EXPECT_EQ(t->subreport(QStringLiteral("rptCacelSlip"))->parent, t.get());
    EXPECT_TRUE(t->pageFooter.lines[0].cells[0].pageMarks);

    // Groups come first in the order, rows without a value last; the filter always applies; the
    // selection is the template's own until the program sets one.
    ReportQuery q = buildQuery(*t);
    EXPECT_TRUE(
        q.sql.contains(QStringLiteral(" FROM SLIPS_MASTER t0 LEFT JOIN doc t1 ON t1.Row_no = t0.Doc_id "
                                      "CROSS JOIN Company t2 WHERE t2.comActive = ? AND t0.Slip_date = ? "
                                      "ORDER BY t1.Doc_name NULLS LAST, t0.Row_no DESC NULLS LAST")))
        << q.sql.toStdString();
    EXPECT_EQ(q.values, QVariantList({QStringLiteral("Y"), QDate(2026, 1, 1)}));
    t->selection = QStringLiteral("{consultant.doc_name} = 'DR. O''HARA'");
    t->selectionSet = true;
    q = buildQuery(*t);
    EXPECT_TRUE(q.sql.contains(QStringLiteral("WHERE t2.comActive = ? AND t1.Doc_name = ? ORDER BY")));
    EXPECT_EQ(q.values, QVariantList({QStringLiteral("Y"), QStringLiteral("DR. O'HARA")}));

    const ReportQuery sub = buildQuery(*t->subreport(QStringLiteral("rptCacelSlip")));
    EXPECT_TRUE(sub.sql.endsWith(QStringLiteral(" FROM SLIPS_MASTER t0 WHERE t0.CancelStatus = ?")));
}

TEST(ReportTemplate, RefusesMistakesWithTheirLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"[data]\nfrom = Nowhere\n", "rpt_Test.rpt, line 2: there is no table Nowhere"},
        {"[data]\nfrom = Services\n[detail]\nrow = {Services.Price}\n",
         "line 4: the table Services has no field Price"},
        {"[data]\nfrom = Services\n[detail]\nrow = {doc.Doc_name}\n",
         "line 4: the report does not read the table doc (it reads Services)"},
        {"[data]\nfrom = Services\njoin = Services on Services.Row_no = Services.Row_no\n",
         "reads Services twice"},
        {"[data]\nfrom = Services\njoin = doc on doc.Doc_name = Services.Row_no\n",
         "line 3: doc.Doc_name and Services.Row_no hold different kinds of values"},
        {"[data]\nfrom = Services\nselection = {Services.S_name} like 'a'\n",
         "unknown word 'like' at character 19"},
        {"[data]\nfrom = Services\n[detial]\n", "line 3: unknown block [detial]"},
        {"[data]\nfrom = Services\n[detail]\ntext blinking = x\n", "line 4: unknown option \"blinking\""},
        {"[report]\ncolumns = 50 50\n[data]\nfrom = Services\n[detail]\nrow = a | b | c\n",
         "line 6: the row has 3 cells but the columns are 2"},
        {"[data]\nfrom = Services\n[detail]\ntext = {@Nothing}\n",
         "line 4: there is no formula field Nothing"},
        {"[data]\nfrom = Services\n[detail]\ntext = {?Nothing}\n", "line 4: there is no parameter Nothing"},
        {"[data]\nfrom = Services\n[report footer]\ntext = {sum:Services.S_name}\n",
         "line 4: sum adds up numbers; Services.S_name is not a number field"},
        {"[data]\nfrom = Services\n[detail]\ntext = {Services.S_name\n", "line 4: a { is not closed"},
        {"[data]\nfrom = Services\n[detail]\nsubreport = Missing\n",
         "line 4: there is no [subreport Missing]"},
        {"[data]\nfrom = Services\n[subreport Sub]\n[data]\nfrom = doc\n",
         "is not closed with [end subreport]"},
        {"[detail]\ntext = x\n", "names no table"},
        {"[data]\nfrom = Services\n[subreport Sub]\n[data]\nfrom = doc\n[page header]\ntext = x\n[end "
         "subreport]\n",
         "line 6: a subreport has no page header or footer"},
        {"text = x\n", "line 1: this line stands before the first [block]"},
        {"[report]\npage = A9\n[data]\nfrom = Services\n", "line 2: page is A4, A5, A3, Letter or Legal"},
        {"[parameters]\nDay = colour\n[data]\nfrom = Services\n",
         "line 2: a parameter is a date, a number or a text"},
        {"[data]\nfrom = Services\n[formulas]\nF = 'a' 'b'\n", "line 4: Formula field F"},
    };
    for (const auto& c : cases) {
        const QString error = errorOf(QString::fromUtf8(c.text));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message)))
            << c.text << "\n -> " << error.toStdString();
    }
}

TEST(ReportTemplate, TheUsersListNeverShowsThePassword) {
    const QString path = reporttest::sourceTemplates() + QStringLiteral("/rpt_User_Name.rpt");
    auto t = readTemplate(path, reporttest::lookup());
    ASSERT_EQ(t->tables.size(), 1);
    EXPECT_EQ(t->tables[0].table, QStringLiteral("User_Information"));
    for (const ResolvedField& f : t->fields)
        EXPECT_NE(f.column.name.toLower(), QStringLiteral("passward"));
    EXPECT_FALSE(t->pageFooter.isEmpty());
}

TEST(ReportObject, ProtocolCallsCheckWhatTheyAreGiven) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rpt_DoctorWise.rpt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kSheet);
    }
    ReportApplication app(reporttest::lookup());
    try {
        app.OpenReport(dir.filePath(QStringLiteral("rpt_Missing.rpt")));
        ADD_FAILURE() << "a missing template was opened";
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("The report template rpt_Missing.rpt cannot be found")));
    }

    auto report = app.OpenReport(path);
    EXPECT_EQ(report->databaseTableCount(), 3);
    report->databaseTable(1).setLogOn(QStringLiteral("RECEPTION"), QStringLiteral("secret"));
    EXPECT_EQ(report->databaseTable(1).logOnUser(), QStringLiteral("RECEPTION"));
    EXPECT_THROW(report->databaseTable(4), ReportError);

    // A refused formula leaves the one in force.
    report->setRecordSelectionFormula(QStringLiteral("{SLIPS_MASTER.Row_no} = 4"));
    EXPECT_THROW(report->setRecordSelectionFormula(QStringLiteral("{SLIPS_MASTER.Row_no} = 4 or")),
                 FormulaError);
    EXPECT_THROW(report->setRecordSelectionFormula(QStringLiteral("{doc.Row_no} = 4")), FormulaError);
    EXPECT_EQ(report->recordSelectionFormula(), QStringLiteral("{SLIPS_MASTER.Row_no} = 4"));

    report->formulaField(QStringLiteral("fdate")).setText(QStringLiteral("\"07/12/2026\""));
    EXPECT_EQ(report->formulaField(QStringLiteral("FDate")).text(), QStringLiteral("\"07/12/2026\""));
    EXPECT_THROW(report->formulaField(QStringLiteral("FDate")).setText(QStringLiteral("07/12/2026")),
                 FormulaError);
    EXPECT_EQ(report->formulaField(QStringLiteral("FDate")).text(), QStringLiteral("\"07/12/2026\""));
    EXPECT_THROW(report->formulaField(QStringLiteral("rptDate")), ReportError);

    report->parameter(1).setValue(QStringLiteral("2026-12-07"));
    EXPECT_EQ(report->parameter(QStringLiteral("reportdate")).value(), QVariant(QDate(2026, 12, 7)));
    EXPECT_THROW(report->parameter(1).setValue(QStringLiteral("someday")), ReportError);
    EXPECT_THROW(report->parameter(2), ReportError);

    Report& sub = report->subreport(QStringLiteral("rptCacelSlip"));
    EXPECT_EQ(&sub, &report->subreport(QStringLiteral("RPTCACELSLIP")));
    sub.setRecordSelectionFormula(QStringLiteral("{SLIPS_MASTER.Slip_date} = #2026-12-07#"));
    EXPECT_THROW(sub.setRecordSelectionFormula(QStringLiteral("{Company.comActive} = 'Y'")), FormulaError);
    EXPECT_EQ(sub.parameter(1).value(), QVariant(QDate(2026, 12, 7))); // the main report's parameters
    EXPECT_THROW(report->subreport(QStringLiteral("rptSlipsTotal")), ReportError);
}

TEST(ReportTemplate, EveryTemplateOfTheProgramOpensAgainstTheSchema) {
    const QDir folder(reporttest::sourceTemplates());
    const QStringList files = folder.entryList({QStringLiteral("*.rpt")}, QDir::Files);
    EXPECT_TRUE(files.contains(QStringLiteral("rpt_User_Name.rpt")));
    for (const QString& file : files) {
        try {
            ReportApplication().OpenReport(folder.filePath(file));
        } catch (const ReportError& e) {
            ADD_FAILURE() << e.text().toStdString();
        }
    }
}
