// What a hurried desk does to the registers: re-marking the active company, refused and confirmed
// deletes, wildcard characters typed into a search box, and dates across months and years.
#include "registers/frmCompany.h"
#include "registers/frm_Shift.h"
#include "registers/frm_patient_detail.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_frmCompany.h"
#include "ui_frm_Shift.h"
#include "ui_frm_patient_detail.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

using namespace wb;

namespace {

class RegisterRobustnessTest : public wbtest::RegisterTest {
protected:
    int count(const QString& table) {
        return Module1::Con->scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }
    QStringList strings(const QString& sql, const QVariantList& params = {}) {
        QStringList out;
        for (auto q = Module1::Con->query(sql, params); q.next();)
            out << q.value(0).toString();
        return out;
    }
    template <class W> void pick(W& w, wb::ui::FlexGrid& grid, int col, const QString& text) {
        const int r = wbtest::gridRow(grid, col, text);
        ASSERT_GT(r, 0) << "no row " << text.toStdString();
        grid.setRow(r);
        w.Msh_DblClick();
    }
    // Saves a company as the desk does: name, the Active box, Save.
    static void saveCompany(frmCompany& w, const QString& name, bool active) {
        w.ui()->txtCompany->setText(name);
        w.ui()->chkComActive->setChecked(active);
        w.ui()->cmdNew->click();
    }
    QStringList activeCompanies() {
        return strings(QStringLiteral("select Company from Company where comActive = 'Y' order by Company"));
    }
};

TEST_P(RegisterRobustnessTest, TickingActiveOnAnExistingCompanyLeavesOnlyItActive) {
    auto& w = wbtest::openFromMenu<frmCompany>("mnu_Com_Inf");
    saveCompany(w, QStringLiteral("FIRST"), true);
    saveCompany(w, QStringLiteral("SECOND"), false);
    saveCompany(w, QStringLiteral("THIRD"), false);
    ASSERT_EQ(activeCompanies(), QStringList{QStringLiteral("FIRST")});

    // An existing company, picked from the grid, ticked and saved again: the only active one.
    pick(w, *w.Msh, 1, QStringLiteral("SECOND"));
    EXPECT_FALSE(w.ui()->chkComActive->isChecked());
    w.ui()->chkComActive->setChecked(true);
    w.ui()->cmdNew->click();
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("SECOND")});
    // And once more from the other one, still exactly one; no company added on the way.
    pick(w, *w.Msh, 1, QStringLiteral("THIRD"));
    w.ui()->chkComActive->setChecked(true);
    w.ui()->cmdNew->click();
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("THIRD")});
    EXPECT_EQ(count(QStringLiteral("Company")), 3);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

TEST_P(RegisterRobustnessTest, AnEmptyCompanyNameIsRefusedAndTheGridIsInNameOrder) {
    auto& w = wbtest::openFromMenu<frmCompany>("mnu_Com_Inf");
    QApplication::setActiveWindow(main);
    saveCompany(w, QStringLiteral("ZULU CLINIC"), true);

    // Everything but the name, Active ticked: refused before anything is written, the old mark kept.
    w.ui()->txtTel->setText(QStringLiteral("042-111"));
    w.ui()->txtAddr->setText(QStringLiteral("MALL ROAD"));
    saveCompany(w, QString(), true);
    ASSERT_EQ(messages.texts(), QStringList{QStringLiteral("please enter Company Name ")});
    EXPECT_EQ(messages.last().style, ui::vbInformation);
    EXPECT_TRUE(w.ui()->txtCompany->hasFocus());
    EXPECT_EQ(count(QStringLiteral("Company")), 1);
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("ZULU CLINIC")});
    EXPECT_EQ(w.ui()->txtAddr->text(), QStringLiteral("MALL ROAD")); // nothing typed is lost

    saveCompany(w, QStringLiteral("ALPHA CARE"), false);
    saveCompany(w, QStringLiteral("MIKE HOSPITAL"), false);
    saveCompany(w, QStringLiteral("BRAVO HEALTH"), false);
    EXPECT_EQ(wbtest::gridColumn(*w.Msh, 1),
              (QStringList{"ALPHA CARE", "BRAVO HEALTH", "MIKE HOSPITAL", "ZULU CLINIC"}));
    // The search keeps the order.
    w.ui()->txtSearch->setText(QStringLiteral("O"));
    EXPECT_EQ(wbtest::gridColumn(*w.Msh, 1), (QStringList{"BRAVO HEALTH", "MIKE HOSPITAL"}));
}

TEST_P(RegisterRobustnessTest, DeletingAShiftAsksAndNoKeepsIt) {
    auto& w = wbtest::openFromMenu<frm_Shift>("MNU_shift");
    w.ui()->txt_shift->setText(QStringLiteral("MORNING"));
    QTest::keyClicks(w.ui()->msk_from_time, QStringLiteral("0800"));
    QTest::keyClicks(w.ui()->msk_to_time, QStringLiteral("1400"));
    w.ui()->cmdSave->click();
    ASSERT_EQ(count(QStringLiteral("SHIFT")), 1);
    pick(w, *w.ui()->MshShift, 1, QStringLiteral("MORNING"));
    messages.clear();

    messages.answer(ui::vbNo);
    w.ui()->cmdDelete->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("are you sure delete this information"));
    EXPECT_EQ(messages.last().style, ui::vbYesNo + ui::vbInformation);
    EXPECT_EQ(messages.last().title, QStringLiteral("Confirm"));
    EXPECT_EQ(count(QStringLiteral("SHIFT")), 1);
    EXPECT_EQ(w.ui()->txt_shift->text(), QStringLiteral("MORNING")); // the boxes stay too
    EXPECT_FALSE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_EQ(w.ui()->MshShift->Rows(), 2);

    messages.answer(ui::vbYes);
    w.ui()->cmdDelete->click();
    EXPECT_EQ(count(QStringLiteral("SHIFT")), 0);
    EXPECT_EQ(w.ui()->MshShift->Rows(), 1);
    EXPECT_TRUE(w.ui()->txt_shift->text().isEmpty());
}

TEST_P(RegisterRobustnessTest, WildcardsTypedInTheSearchBoxAreLiteralCharacters) {
    int row = 0;
    for (const char* name : {"A_B SONS", "AXB SONS", "A%B TRADERS", "AXXB TRADERS", "KHAN_ALI BROS",
                             "KHANXALI BROS", "100% PURE", "1000 PURE"})
        Module1::Con->Execute(
            QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) "
                           "values (?, ?, ?, 'F')"),
            {++row, QStringLiteral("PAT-%1").arg(row), QString::fromLatin1(name)});
    auto& w = wbtest::openFromMenu<frm_patient_detail>("mnu_Pat_Reg");
    QApplication::setActiveWindow(main);
    w.ui()->SSTab1->setCurrentIndex(1);
    ASSERT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("Patient Name"));
    const auto found = [&](const QString& typed) {
        w.ui()->txt_s_value->clear();
        QTest::keyClicks(w.ui()->txt_s_value, typed);
        QStringList names = wbtest::gridColumn(*w.Msh, 3);
        names.removeAll(QString());
        names.sort();
        return names;
    };
    EXPECT_EQ(found(QStringLiteral("a_b")), QStringList{"A_B SONS"});
    EXPECT_EQ(found(QStringLiteral("a%b")), QStringList{"A%B TRADERS"});
    // Long enough for the search index: still literal.
    EXPECT_EQ(found(QStringLiteral("khan_ali")), QStringList{"KHAN_ALI BROS"});
    EXPECT_EQ(found(QStringLiteral("100%")), QStringList{"100% PURE"});
    EXPECT_EQ(found(QStringLiteral("%")), (QStringList{"100% PURE", "A%B TRADERS"}));
    EXPECT_EQ(found(QStringLiteral("_")), (QStringList{"A_B SONS", "KHAN_ALI BROS"}));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

TEST_P(RegisterRobustnessTest, PatientDatesAreStoredAsDatesTheEngineOrdersAndCompares) {
    auto& w = wbtest::openFromMenu<frm_patient_detail>("mnu_Pat_Reg");
    QApplication::setActiveWindow(main);
    // Typed into the date box as a receptionist does (day, month, year), saved through the window.
    const QList<std::pair<QString, QString>> patients = {{"FEBRUARY", "01022026"},
                                                         {"NEW YEAR", "05012026"},
                                                         {"MID DECEMBER", "10122025"},
                                                         {"YEAR END", "31122025"},
                                                         {"LAST MARCH", "15032025"}};
    for (const auto& [name, digits] : patients) {
        w.ui()->txt_pat_name->setText(name);
        w.ui()->txt_F_name->setText(QStringLiteral("FATHER"));
        w.ui()->txt_tel_no->setFocus();
        QTest::keyClick(w.ui()->txt_tel_no, Qt::Key_Return); // on to the date box, its day part
        QTest::keyClicks(w.ui()->DTPicker1, digits);
        w.ui()->cmdSave->click();
    }
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    ASSERT_EQ(count(QStringLiteral("Patient_Slips")), 5);

    EXPECT_EQ(strings(QStringLiteral("select Pat_name from Patient_Slips order by Pat_date")),
              (QStringList{"LAST MARCH", "MID DECEMBER", "YEAR END", "NEW YEAR", "FEBRUARY"}));
    EXPECT_EQ(strings(QStringLiteral("select Pat_name from Patient_Slips where Pat_date between ? and ? "
                                     "order by Pat_date desc"),
                      {QDate(2025, 12, 15), QDate(2026, 1, 31)}),
              (QStringList{"NEW YEAR", "YEAR END"}));
    EXPECT_EQ(strings(QStringLiteral("select max(Pat_date) from Patient_Slips")).size(), 1);
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select max(Pat_date) from Patient_Slips")).toDate(),
              QDate(2026, 2, 1));
    if (GetParam() == Engine::Sqlite) {
        // The raw stored text is the engine's own date form, which its date functions read back.
        const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
        for (const QString& raw : strings(QStringLiteral("select Pat_date from Patient_Slips")))
            EXPECT_TRUE(iso.match(raw).hasMatch()) << raw.toStdString();
        EXPECT_EQ(count(QStringLiteral("Patient_Slips where date(Pat_date) = Pat_date")), 5);
        EXPECT_EQ(strings(QStringLiteral("select Pat_date from Patient_Slips where Pat_name = 'YEAR END'")),
                  QStringList{"2025-12-31"});
    }
}

WB_ENGINES(RegisterRobustnessTest);

} // namespace
