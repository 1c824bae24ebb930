#include "catalogue.h"
#include "reportengine/formula.h"
#include "support/printers.h"

#include <gtest/gtest.h>

using namespace wb::report;

namespace {

// Every table of the catalogue, named in SQL by its own name; one date parameter.
class Scope : public FormulaScope {
public:
    ResolvedField field(const QString& table, const QString& name) const override {
        const wb::Table* t = reporttest::table(table);
        if (!t)
            throw ReportError(QStringLiteral("there is no table %1").arg(table));
        for (const wb::Column& c : t->columns) {
            if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                return {t->name + u'.' + c.name, t->name + u'.' + c.name, c, 0};
        }
        throw ReportError(QStringLiteral("the table %1 has no field %2").arg(t->name, name));
    }
    const ParameterDecl* parameter(const QString& name) const override {
        return name.compare(reportDate.name, Qt::CaseInsensitive) == 0 ? &reportDate : nullptr;
    }
    ParameterDecl reportDate{QStringLiteral("ReportDate"), ValueKind::Date, QVariant()};
};

SqlFilter translate(const QString& formula, const Scope& scope = Scope()) {
    return translateSelection(formula, scope, QStringLiteral("Record selection formula"));
}

QVariantList values(std::initializer_list<QVariant> list) {
    return QVariantList(list);
}

} // namespace

TEST(SelectionFormula, TheFormulasTheWindowsHandOver) {
    auto f = translate(QStringLiteral("{User_Information.Row_No} = 12"));
    EXPECT_EQ(f.sql, QStringLiteral("User_Information.Row_No = ?"));
    EXPECT_EQ(f.values, values({qlonglong(12)}));

    f = translate(QStringLiteral("{Services.S_name} ='O''NEIL LAB'"));
    EXPECT_EQ(f.sql, QStringLiteral("Services.S_name = ?"));
    EXPECT_EQ(f.values, values({QStringLiteral("O'NEIL LAB")}));

    f = translate(QStringLiteral(
        "{Company.comActive} = 'Y' and {SLIPS_MASTER.Slip_date} in #2026-12-01#  to #2026-12-07#"));
    EXPECT_EQ(f.sql, QStringLiteral("(Company.comActive = ? AND (SLIPS_MASTER.Slip_date >= ? AND "
                                    "SLIPS_MASTER.Slip_date <= ?))"));
    EXPECT_EQ(f.values, values({QStringLiteral("Y"), QDate(2026, 12, 1), QDate(2026, 12, 7)}));

    f = translate(
        QStringLiteral("isnull({SLIPS_MASTER.CancelStatus}) and {SLIPS_MASTER.Slip_date} = #2026-12-07#"));
    EXPECT_EQ(f.sql, QStringLiteral("(SLIPS_MASTER.CancelStatus IS NULL AND SLIPS_MASTER.Slip_date = ?)"));
    EXPECT_EQ(f.values, values({QDate(2026, 12, 7)}));

    // The head-wise or-list has no parentheses: "and" binds the company term to the last service only.
    f = translate(
        QStringLiteral("{rptHeadWise.S_Code} = 3 or {rptHeadWise.S_Code} = 5 or {rptHeadWise.S_Code} = 9 "
                       "and {Company.comActive} = 'Y' "));
    EXPECT_EQ(f.sql,
              QStringLiteral("((rptHeadWise.S_Code = ? OR rptHeadWise.S_Code = ?) OR (rptHeadWise.S_Code = ? "
                             "AND Company.comActive = ?))"));
    EXPECT_EQ(f.values, values({qlonglong(3), qlonglong(5), qlonglong(9), QStringLiteral("Y")}));
}

TEST(SelectionFormula, OperatorsNotParenthesesAndCase) {
    const struct {
        const char* formula;
        const char* sql;
    } cases[] = {
        {"{Services.Row_no} <> 1", "Services.Row_no <> ?"},
        {"{Services.Row_no} < 1", "Services.Row_no < ?"},
        {"{Services.Row_no} > 1", "Services.Row_no > ?"},
        {"{Services.Row_no} <= 1", "Services.Row_no <= ?"},
        {"{Services.Row_no} >= 1", "Services.Row_no >= ?"},
        // A value on the left turns the comparison round.
        {"1 < {Services.Row_no}", "Services.Row_no > ?"},
        {"1 >= {Services.Row_no}", "Services.Row_no <= ?"},
        {"not {Services.Row_no} = 1 and {Services.S_name} = 'a'",
         "(NOT (Services.Row_no = ?) AND Services.S_name = ?)"},
        {"not ({Services.Row_no} = 1 or {Services.S_name} = 'a')",
         "NOT ((Services.Row_no = ? OR Services.S_name = ?))"},
        {"({Services.Row_no} = 1 or {Services.Row_no} = 2) and {Services.S_name} = 'a'",
         "((Services.Row_no = ? OR Services.Row_no = ?) AND Services.S_name = ?)"},
        {"{Services.Row_no} = 1 or {Services.Row_no} = 2 and {Services.S_name} = 'a'",
         "(Services.Row_no = ? OR (Services.Row_no = ? AND Services.S_name = ?))"},
        {"{services.s_NAME} = 'a' AND Not IsNull( { SERVICES . ROW_NO } ) Or {Services.Row_no} = 1",
         "((Services.S_name = ? AND NOT (Services.Row_no IS NULL)) OR Services.Row_no = ?)"},
        {"{SLIPS_MASTER.Doc_id} = {doc.Row_no}", "SLIPS_MASTER.Doc_id = doc.Row_no"},
        {"{SLIPS_MASTER.Amount} in 10 to 20.5", "(SLIPS_MASTER.Amount >= ? AND SLIPS_MASTER.Amount <= ?)"},
        // A whole-number column against a fraction compares as a real number.
        {"{Services.Row_no} = 2.5", "CAST(Services.Row_no AS DOUBLE PRECISION) = ?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(translate(QString::fromUtf8(c.formula)).sql, QString::fromUtf8(c.sql)) << c.formula;

    EXPECT_EQ(translate(QStringLiteral("{SLIPS_MASTER.Amount} >= 12.50")).values, values({12.5}));
    EXPECT_EQ(translate(QStringLiteral("{SLIPS_MASTER.Amount} > -3")).values, values({qlonglong(-3)}));
    EXPECT_EQ(translate(QStringLiteral("{Services.S_name} = \"double \"\"quoted\"\"\"")).values,
              values({QStringLiteral("double \"quoted\"")}));
    EXPECT_TRUE(translate(QStringLiteral("   ")).isEmpty());
}

TEST(SelectionFormula, TextsStayDataWhateverTheyHold) {
    EXPECT_EQ(quoteText(QStringLiteral("O'NEIL LAB")), QStringLiteral("'O''NEIL LAB'"));
    const QStringList texts = {QStringLiteral("x' or 1=1 --"), QStringLiteral("'; DROP TABLE Services; --"),
                               QStringLiteral("{Services.Row_no} = 1"), QStringLiteral("? or ?")};
    for (const QString& text : texts) {
        const auto f = translate(QStringLiteral("{Services.S_name} = ") + quoteText(text));
        EXPECT_EQ(f.sql, QStringLiteral("Services.S_name = ?")) << text.toStdString();
        EXPECT_EQ(f.values, values({text})) << text.toStdString();
    }
}

TEST(SelectionFormula, DatesAgainstDateAndTimeColumnsTakeTheWholeDay) {
    const QDate d(2026, 12, 7);
    const QDate next(2026, 12, 8);
    const struct {
        const char* formula;
        const char* sql;
        QVariantList values;
    } cases[] = {
        {"{SLIPS_MASTER.Issued_at} = #2026-12-07#",
         "(SLIPS_MASTER.Issued_at >= ? AND SLIPS_MASTER.Issued_at < ?)",
         {d, next}},
        {"{SLIPS_MASTER.Issued_at} <> #2026-12-07#",
         "(SLIPS_MASTER.Issued_at < ? OR SLIPS_MASTER.Issued_at >= ?)",
         {d, next}},
        {"{SLIPS_MASTER.Issued_at} <= #2026-12-07#", "SLIPS_MASTER.Issued_at < ?", {next}},
        {"{SLIPS_MASTER.Issued_at} > #2026-12-07#", "SLIPS_MASTER.Issued_at >= ?", {next}},
        {"{SLIPS_MASTER.Issued_at} < #2026-12-07#", "SLIPS_MASTER.Issued_at < ?", {d}},
        {"#2026-12-07# <= {SLIPS_MASTER.Issued_at}", "SLIPS_MASTER.Issued_at >= ?", {d}},
        {"{SLIPS_MASTER.Issued_at} in #2026-12-01# to #2026-12-07#",
         "(SLIPS_MASTER.Issued_at >= ? AND SLIPS_MASTER.Issued_at < ?)",
         {QDate(2026, 12, 1), next}},
        {"{SLIPS_MASTER.Slip_date}in#2026-12-01#to#2026-12-07#",
         "(SLIPS_MASTER.Slip_date >= ? AND SLIPS_MASTER.Slip_date <= ?)",
         {QDate(2026, 12, 1), d}},
    };
    for (const auto& c : cases) {
        const auto f = translate(QString::fromUtf8(c.formula));
        EXPECT_EQ(f.sql, QString::fromUtf8(c.sql)) << c.formula;
        EXPECT_EQ(f.values, c.values) << c.formula;
    }
}

TEST(SelectionFormula, ParametersAreBoundAndMustHaveAValue) {
    Scope scope;
    const QString formula = QStringLiteral("{SLIPS_MASTER.Slip_date} = {?reportdate}");
    EXPECT_THROW(translate(formula, scope), FormulaError);
    // Checking a formula before the program hands the value over is allowed.
    EXPECT_EQ(translateSelection(formula, scope, QStringLiteral("check"), true).sql,
              QStringLiteral("SLIPS_MASTER.Slip_date = ?"));
    scope.reportDate.value = QDate(2026, 12, 7);
    EXPECT_EQ(translate(formula, scope).values, values({QDate(2026, 12, 7)}));
}

TEST(SelectionFormula, RefusesWhatTheLanguageDoesNotHaveAndNamesWhere) {
    const struct {
        const char* formula;
        const char* at; // the fault starts at the first occurrence of this text ("" = the end)
        const char* reason;
    } cases[] = {
        {"{User_Information.Row_No} == 12", "= 12", "a field or a value is expected"},
        {"{User_Information.User_Name} like 'A%'", "like", "unknown word 'like'"},
        {"{User_Information.Row_No} = 12; DELETE FROM User_Information", ";", "unexpected character ';'"},
        {"{User_Information.Row_No} = 1 -- all", "-", "'-' is not expected here"},
        {"{User_Information.Row_No} = 1 /* x */", "/", "unexpected character '/'"},
        {"{User_Information.User_Name} = 'open", "'open", "the text is not closed"},
        {"{User_Information.Pass} = 'x'", "{User", "the table User_Information has no field Pass"},
        {"{Nowhere.Row_No} = 1", "{Nowhere", "there is no table Nowhere"},
        {"{User_Information} = 1", "{User", "a field is written {Table.Field}"},
        {"{User_Information.Row_No = 1", "{User", "a field is not closed"},
        {"{SLIPS_MASTER.Slip_date} = #2026-02-30#", "#", "there is no such date"},
        {"{SLIPS_MASTER.Slip_date} = #07/12/2026#", "#", "a date is written #yyyy-mm-dd#"},
        {"{User_Information.Row_No} = '12'", "'12'",
         "is a number field and cannot be compared with the text"},
        {"{User_Information.User_Name} = 12", "12", "is a text field and cannot be compared with the number"},
        {"{SLIPS_MASTER.Slip_date} = 'yesterday'", "'yes", "is a date field"},
        {"{SLIPS_MASTER.Slip_time} = '10:00'", "'10", "is a time field"},
        {"{SLIPS_MASTER.Slip_date} = {User_Information.User_Name}", "{User",
         "cannot be compared with the text field"},
        {"({User_Information.Row_No} = 1", "", "')' is expected"},
        {"{User_Information.Row_No} = 1)", ")", "')' is not expected here"},
        {"{User_Information.Row_No} = 1 and", "", "the formula ends where a field or a value is expected"},
        {"{User_Information.Row_No}", "", "a comparison (=, <>, <, >, <=, >=) or 'in' is expected"},
        {"{User_Information.Row_No} = 1 {User_Information.Row_No} = 2", "{User_Information.Row_No} = 2",
         "is not expected here"},
        {"{SLIPS_MASTER.Slip_date} in #2026-12-01# #2026-12-07#", "#2026-12-07#", "'to' is expected"},
        {"{SLIPS_MASTER.Slip_date} in {SLIPS_MASTER.Slip_date} to #2026-12-07#",
         "{SLIPS_MASTER.Slip_date} to", "the limits of 'in ... to ...' are values"},
        {"1 = 1", "1 =", "a comparison needs a field on one side"},
        {"isnull('x')", "'x'", "isnull() takes a field"},
        {"{@Heading} = 'x'", "{@", "a formula field cannot be used in a selection formula"},
        {"{?Unknown} = 1", "{?", "the report has no parameter Unknown"},
        {"{User_Information.Row_No} = 1.", "1.", "a decimal number needs digits after the point"},
        {"{User_Information.Row_No} = 1x", "1x", "a number is written with digits"},
    };
    for (const auto& c : cases) {
        const QString formula = QString::fromUtf8(c.formula);
        const int expected = *c.at ? int(formula.indexOf(QString::fromUtf8(c.at))) : int(formula.size());
        try {
            translate(formula);
            ADD_FAILURE() << "accepted: " << c.formula;
        } catch (const FormulaError& e) {
            EXPECT_EQ(e.offset(), expected) << c.formula << " -> " << e.text().toStdString();
            EXPECT_TRUE(e.reason().contains(QString::fromUtf8(c.reason)))
                << c.formula << " -> " << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QStringLiteral("at character %1").arg(expected + 1)))
                << e.text().toStdString();
        }
    }
}

TEST(DisplayFormula, TextsValuesAndFieldsJoinedByAmpersand) {
    Scope scope;
    auto terms = compileDisplayFormula(QStringLiteral("\"07/12/2026\""), scope, QStringLiteral("rptDate"));
    ASSERT_EQ(terms.size(), 1);
    EXPECT_EQ(terms[0].kind, DisplayTerm::Literal);
    EXPECT_EQ(terms[0].text, QStringLiteral("07/12/2026"));

    terms =
        compileDisplayFormula(QStringLiteral("'From ' & #2026-12-01# & \" to \" & {?ReportDate} & ' / ' & "
                                             "{services.s_name} & 12"),
                              scope, QStringLiteral("f"));
    ASSERT_EQ(terms.size(), 7);
    EXPECT_EQ(terms[1].text, QStringLiteral("01/12/2026"));
    EXPECT_EQ(terms[3].kind, DisplayTerm::Parameter);
    EXPECT_EQ(terms[5].kind, DisplayTerm::Field);
    EXPECT_EQ(terms[5].field.display, QStringLiteral("Services.S_name"));
    EXPECT_EQ(terms[6].text, QStringLiteral("12"));
    EXPECT_TRUE(compileDisplayFormula(QString(), scope, QStringLiteral("f")).isEmpty());

    EXPECT_THROW(compileDisplayFormula(QStringLiteral("\"a\" \"b\""), scope, QStringLiteral("f")),
                 FormulaError);
    EXPECT_THROW(compileDisplayFormula(QStringLiteral("\"a\" &"), scope, QStringLiteral("f")), FormulaError);
    EXPECT_THROW(compileDisplayFormula(QStringLiteral("{Services.Nope}"), scope, QStringLiteral("f")),
                 FormulaError);
}

TEST(ParameterValues, ReadInTheDeclaredKind) {
    EXPECT_EQ(parameterValue(QStringLiteral("2026-12-07"), ValueKind::Date, QStringLiteral("d")),
              QVariant(QDate(2026, 12, 7)));
    EXPECT_EQ(parameterValue(QStringLiteral("07/12/2026"), ValueKind::Date, QStringLiteral("d")),
              QVariant(QDate(2026, 12, 7)));
    EXPECT_EQ(parameterValue(QDate(2026, 1, 2), ValueKind::Date, QStringLiteral("d")),
              QVariant(QDate(2026, 1, 2)));
    EXPECT_EQ(parameterValue(QStringLiteral("42"), ValueKind::Number, QStringLiteral("n")),
              QVariant(qlonglong(42)));
    EXPECT_EQ(parameterValue(QStringLiteral("4.5"), ValueKind::Number, QStringLiteral("n")), QVariant(4.5));
    EXPECT_THROW(parameterValue(QStringLiteral("2026-13-07"), ValueKind::Date, QStringLiteral("d")),
                 ReportError);
    EXPECT_THROW(parameterValue(QStringLiteral("four"), ValueKind::Number, QStringLiteral("n")), ReportError);
}

TEST(SelectionFormula, DeepNestingIsRefusedNotACrash) {
    const QString inner = QStringLiteral("{User_Information.Row_No} = 1");
    const auto nested = [&](int depth, const QString& open, const QString& close) {
        return open.repeated(depth) + inner + close.repeated(depth);
    };
    EXPECT_EQ(translate(nested(100, QStringLiteral("("), QStringLiteral(")"))).values,
              values({qlonglong(1)}));
    for (const QString& formula : {nested(10000, QStringLiteral("("), QStringLiteral(")")),
                                   nested(10000, QStringLiteral("not "), QString()),
                                   nested(101, QStringLiteral("("), QStringLiteral(")"))}) {
        try {
            translate(formula);
            ADD_FAILURE() << "a formula nested too deeply was taken";
        } catch (const FormulaError& e) {
            EXPECT_TRUE(e.text().contains(QLatin1String("more than 100 deep"))) << e.text().toStdString();
        }
    }
}

TEST(SelectionFormula, NumbersTheFieldCannotHoldAreRefused) {
    for (const char* formula :
         {"{User_Information.Row_No} = 99999999999999999999", "{User_Information.Row_No} = 2147483648",
          "{User_Information.Row_No} = -2147483649", "{User_Information.Row_No} in 1 to 3000000000"}) {
        try {
            translate(QString::fromLatin1(formula));
            ADD_FAILURE() << formula << " was taken";
        } catch (const FormulaError& e) {
            EXPECT_TRUE(e.text().contains(QLatin1String("out of range for {User_Information.Row_No}")))
                << e.text().toStdString();
        }
    }
    EXPECT_EQ(translate(QStringLiteral("{User_Information.Row_No} = 2147483647")).values,
              values({qlonglong(2147483647)}));
}
