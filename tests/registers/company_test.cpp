#include "registers/frmCompany.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_frmCompany.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <atomic>
#include <thread>

using namespace wb;

namespace {

class CompanyProfileTest : public wbtest::RegisterTest {
protected:
    frmCompany& open() { return wbtest::openFromMenu<frmCompany>("mnu_Com_Inf"); }
    void save(frmCompany& w, const QString& name, bool active) {
        w.ui()->txtCompany->setText(name);
        w.ui()->chkComActive->setChecked(active);
        w.ui()->cmdNew->click();
    }
    // Loads the company of that name from the grid.
    void pick(frmCompany& w, const QString& name) {
        w.ui()->txtSearch->clear();
        const int r = rowOf(w, 1, name);
        if (r < 0) {
            ADD_FAILURE() << "no company " << name.toStdString();
            return;
        }
        w.Msh->setRow(r);
        w.Msh_DblClick();
    }
    QStringList activeCompanies() {
        QStringList out;
        for (auto q = Module1::Con->query(
                 QStringLiteral("select Company from Company where comActive = 'Y' order by Company"));
             q.next();)
            out << q.value(0).toString();
        return out;
    }
    QVariant column(const QString& name, const QString& col) {
        return Module1::Con->scalar(QStringLiteral("select %1 from Company where Company = ?").arg(col),
                                    {name});
    }
};

TEST_P(CompanyProfileTest, OpensPlacedAndItsUnloadEndsPickModeAndReappliesRights) {
    auto& w = open();
    EXPECT_NEAR(w.topTw(), 500, 15);
    EXPECT_NEAR(w.leftTw(), 3100, 15);
    EXPECT_EQ(w.ui()->txtCompany->maxLength(), 60); // from the column
    // An empty result shows one empty row; picking it only forgets the key.
    ASSERT_EQ(w.Msh->Rows(), 2);
    w.ui()->txtCompCode->setText(QStringLiteral("9"));
    w.Msh->setRow(1);
    w.Msh_DblClick();
    EXPECT_TRUE(w.ui()->txtCompCode->text().isEmpty());

    Module1::UserRowNo = 5;
    Module1::Con->Execute(QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (5, "
                                         "'Patient', '0'), (5, 'Company Information', '1')"));
    Module1::PickMode = true;
    w.cmdExit_Click();
    EXPECT_FALSE(Module1::PickMode);
    EXPECT_FALSE(main->menuControl(QStringLiteral("mnu_Pat_Reg"))->isVisible());
}

TEST_P(CompanyProfileTest, TickingActiveLeavesOnlyThatCompanyActive) {
    auto& w = open();
    save(w, QStringLiteral("ALPHA"), true);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(column(QStringLiteral("ALPHA"), QStringLiteral("comFax")).isNull()); // empty box: Null
    save(w, QStringLiteral("BETA"), false);
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("ALPHA")});
    save(w, QStringLiteral("GAMMA"), true);
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("GAMMA")});

    // Unticking the active company and saving keeps its mark.
    pick(w, QStringLiteral("GAMMA"));
    EXPECT_TRUE(w.ui()->chkComActive->isChecked());
    save(w, QStringLiteral("GAMMA 2"), false);
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("GAMMA 2")});
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from Company")).toInt(), 3);

    // Deleting the active company leaves none active.
    pick(w, QStringLiteral("GAMMA 2"));
    messages.answer(ui::vbYes);
    w.ui()->cmdDelete->click();
    EXPECT_TRUE(activeCompanies().isEmpty());
}

// However the delete ends, the focus goes to the company name.
TEST_P(CompanyProfileTest, DeleteEndsWithTheFocusInTheCompanyName) {
    auto& w = open();
    save(w, QStringLiteral("ALPHA"), false);
    save(w, QStringLiteral("BETA"), false);
    const struct {
        const char* what;
        const char* loaded; // nothing loaded when empty
        int answer;
        int companiesAfter;
    } cases[] = {{"nothing loaded", "", ui::vbYes, 2},
                 {"answered No", "ALPHA", ui::vbNo, 2},
                 {"answered Yes", "ALPHA", ui::vbYes, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (*c.loaded) {
            pick(w, QLatin1String(c.loaded));
            messages.answer(c.answer);
        }
        w.ui()->txtSearch->setFocus();
        w.ui()->cmdDelete->click();
        EXPECT_EQ(w.focusWidget(), w.ui()->txtCompany); // the window's focus, shown when it is active
        EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from Company")).toInt(),
                  c.companiesAfter);
        w.ui()->cmdCancel->click();
        messages.clear();
    }
}

TEST_P(CompanyProfileTest, AFailedSaveKeepsThePreviouslyActiveCompany) {
    auto& w = open();
    save(w, QStringLiteral("OLD ACTIVE"), true);
    save(w, QStringLiteral("OTHER"), false);

    // A value the column cannot hold fails the save after the marks were cleared: all is undone.
    w.ui()->txtEmail->setMaxLength(500);
    w.ui()->txtEmail->setText(QString(100, u'e'));
    save(w, QStringLiteral("NEW"), true);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().style, ui::vbCritical);
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("OLD ACTIVE")});
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from Company")).toInt(), 2);

    // The company being edited was deleted at another desk: nothing changes.
    w.cmdCancel_Click();
    pick(w, QStringLiteral("OTHER"));
    db->connect()->Execute(QStringLiteral("delete from Company where Company = 'OTHER'"));
    save(w, QStringLiteral("OTHER"), true);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("deleted")));
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("OLD ACTIVE")});
}

TEST_P(CompanyProfileTest, TaxNumbersAreStoredCompleteOrRefused) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    w.ui()->txtCompany->setText(QStringLiteral("TAXED"));
    QTest::keyClicks(w.ui()->mskTax, QStringLiteral("1234567890a12")); // one digit short
    QTest::keyClicks(w.ui()->mskNTN, QStringLiteral("1234567"));       // one digit short
    w.ui()->cmdNew->click();
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("Sale Tax No")));
    EXPECT_TRUE(w.ui()->mskTax->hasFocus());
    w.ui()->mskTax->setCursorPosition(w.ui()->mskTax->text().size());
    QTest::keyClicks(w.ui()->mskTax, QStringLiteral("4"));
    w.ui()->cmdNew->click();
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("NTN No.")));
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from Company")).toInt(), 0);
    QTest::keyClicks(w.ui()->mskNTN, QStringLiteral("9"));
    w.ui()->cmdNew->click();
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(column(QStringLiteral("TAXED"), QStringLiteral("comTax")).toString(),
              QStringLiteral("12-34-5678-901-24"));
    EXPECT_EQ(column(QStringLiteral("TAXED"), QStringLiteral("comNTN")).toString(),
              QStringLiteral("1234567-9"));

    // A company without numbers shows the empty masks when picked; emptying a number removes it.
    save(w, QStringLiteral("PLAIN"), false);
    pick(w, QStringLiteral("TAXED"));
    pick(w, QStringLiteral("PLAIN"));
    EXPECT_EQ(w.ui()->mskTax->displayText(), QStringLiteral("__-__-____-___-__"));
    pick(w, QStringLiteral("TAXED"));
    w.ui()->mskNTN->clear();
    w.ui()->cmdNew->click();
    EXPECT_TRUE(column(QStringLiteral("TAXED"), QStringLiteral("comNTN")).isNull());
    EXPECT_FALSE(column(QStringLiteral("TAXED"), QStringLiteral("comTax")).isNull());
}

TEST_P(CompanyProfileTest, KeyFiltersAndTheLiveSearch) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    w.ui()->txtCompany->setFocus();
    QTest::keyClicks(w.ui()->txtCompany, QStringLiteral("o'neil & co"));
    EXPECT_EQ(w.ui()->txtCompany->text(), QStringLiteral("O'NEIL & CO"));
    QTest::keyClick(w.ui()->txtCompany, Qt::Key_Return);
    EXPECT_TRUE(w.ui()->txtTel->hasFocus());
    QTest::keyClicks(w.ui()->txtTel, QStringLiteral("(042) 35-7a,+1x/."));
    QTest::keyClick(w.ui()->txtTel, Qt::Key_Backspace);
    EXPECT_EQ(w.ui()->txtTel->text(), QStringLiteral("(042) 35-7,+"));
    QTest::keyClick(w.ui()->txtTel, Qt::Key_Return);
    EXPECT_TRUE(w.ui()->txtFax->hasFocus());
    QTest::keyClicks(w.ui()->txtFax, QStringLiteral("12-34 (5),6a"));
    EXPECT_EQ(w.ui()->txtFax->text(), QStringLiteral("1234 5,6"));
    QTest::keyClicks(w.ui()->txtEmail, QStringLiteral("Info@Example.com"));
    EXPECT_EQ(w.ui()->txtEmail->text(), QStringLiteral("Info@Example.com")); // as typed
    w.ui()->cmdNew->click();
    save(w, QStringLiteral("NORTH"), false);

    // The search runs as the user types, matching parts of names; a quote is just a character.
    QTest::keyClicks(w.ui()->txtSearch, QStringLiteral("o'"));
    ASSERT_EQ(w.Msh->Rows(), 2);
    EXPECT_EQ(w.Msh->TextMatrix(1, 1), QStringLiteral("O'NEIL & CO"));
    w.Msh->setRow(1);
    w.Msh_DblClick();
    EXPECT_EQ(w.ui()->SSTab->currentIndex(), 0);
    EXPECT_EQ(w.ui()->txtTel->text(), QStringLiteral("(042) 35-7,+"));
    w.cmdCancel_Click(); // the search text stays
    EXPECT_EQ(w.ui()->txtSearch->text(), QStringLiteral("O'"));
}

TEST_P(CompanyProfileTest, TwoDesksSavingActiveCompaniesAtOnceLeaveOneActive) {
    auto& w = open();
    // The other desk adds an active company in a transaction it holds open for a moment.
    std::atomic<bool> inserted{false};
    std::atomic<bool> failed{false};
    std::thread otherDesk([&] {
        try {
            auto con = db->connect();
            Transaction t(*con);
            con->Execute(QStringLiteral("update Company set comActive = null"));
            con->Execute(QStringLiteral("insert into Company (Company, comActive) values ('THERE', 'Y')"));
            inserted = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            t.commit();
        } catch (...) {
            failed = true;
            inserted = true;
        }
    });
    while (!inserted)
        std::this_thread::yield();
    save(w, QStringLiteral("HERE"), true);
    otherDesk.join();
    EXPECT_FALSE(failed);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(activeCompanies(), QStringList{QStringLiteral("HERE")});
}

WB_ENGINES(CompanyProfileTest);

} // namespace
