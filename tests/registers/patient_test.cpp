#include "common/picker.h"
#include "data/dialect.h"
#include "registers/frm_patient_detail.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/enginework.h"
#include "support/printed.h"
#include "support/registertest.h"
#include "support/userdriver.h"
#include "ui/flexgrid.h"
#include "ui_frm_patient_detail.h"

#include <QApplication>
#include <QDate>
#include <QMdiArea>
#include <QSqlQuery>
#include <QTest>
#include <algorithm>
#include <functional>
#include <thread>

using namespace wb;

namespace {

// A screen that borrows the patient register as its pick list and takes the pick when it becomes
// active again, as the slip and admission screens do.
class PatientTaker : public ui::Form {
public:
    void Form_Activate() override {
        ++activations;
        if (Module1::PickedPatientRowNo > 0) {
            taken = Module1::PickedPatientRowNo;
            Module1::PickedPatientRowNo = 0;
        }
    }
    void find() { common::openPicker<frm_patient_detail>({.unloadFirst = true, .top = 300, .left = 500}); }
    long taken = 0;
    int activations = 0;
};

class PatientRegisterTest : public wbtest::RegisterTest {
protected:
    frm_patient_detail& open() { return wbtest::openFromMenu<frm_patient_detail>("mnu_Pat_Reg"); }
    void enter(frm_patient_detail& w, const QString& name, const QString& father, const QString& tel = {}) {
        w.ui()->txt_pat_name->setText(name);
        w.ui()->txt_F_name->setText(father);
        w.ui()->txt_tel_no->setText(tel);
        w.cmdSave_Click();
    }
};

TEST_P(PatientRegisterTest, OpensFromTheMenuFreshAndPlaced) {
    auto& w = open();
    EXPECT_NEAR(w.widthTw(), 10140, 15);
    EXPECT_NEAR(w.heightTw(), 5085, 15);
    EXPECT_NEAR(w.topTw(), 1500, 15);
    EXPECT_NEAR(w.leftTw(), 2500, 15);
    EXPECT_EQ(w.ui()->DTPicker1->date(), QDate::currentDate());
    EXPECT_EQ(w.ui()->cmb_sex->currentText(), QStringLiteral("M"));
    EXPECT_EQ(w.ui()->cmb_s_cri->count(), 3);
    EXPECT_EQ(w.Msh->Rows(), 2); // the empty table's empty grid
    w.ui()->txt_pat_name->setText(QStringLiteral("TYPED"));
    auto& again = open(); // unload first: what was typed is gone
    EXPECT_TRUE(again.ui()->txt_pat_name->text().isEmpty());
}

TEST_P(PatientRegisterTest, SaveGivesKeysCodesAndNullsAndReSaveRewritesTheCode) {
    auto& w = open();
    w.ui()->DTPicker1->setDate(QDate(2026, 12, 7));
    w.ui()->cmb_sex->setCurrentText(QStringLiteral("F"));
    enter(w, QStringLiteral("AMINA O'HARA"), QStringLiteral("100% KHAN"));
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_pat_name->text().isEmpty());
    EXPECT_EQ(w.ui()->cmb_sex->currentText(), QStringLiteral("F")); // cleared boxes only
    EXPECT_EQ(w.ui()->DTPicker1->date(), QDate(2026, 12, 7));

    Module1::OpenRs(QStringLiteral("select * from Patient_Slips"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 1);
    EXPECT_EQ(Module1::Rs->Fields(QStringLiteral("Row_no")).toInt(), 1);
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Code_no")), QStringLiteral("PAT-1"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Pat_name")), QStringLiteral("AMINA O'HARA"));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Fat_name")), QStringLiteral("100% KHAN"));
    EXPECT_TRUE(Module1::Rs->Fields(QStringLiteral("Tel_no")).isNull());
    EXPECT_TRUE(Module1::Rs->Fields(QStringLiteral("Card_no")).isNull());
    EXPECT_EQ(Module1::Rs->Fields(QStringLiteral("Pat_date")).toDate(), QDate(2026, 12, 7));
    EXPECT_EQ(Module1::Rs->text(QStringLiteral("Sex")), QStringLiteral("F"));

    // A pick loads the row for editing; the save overwrites it and writes the code again.
    Module1::Con->Execute(QStringLiteral("update Patient_Slips set Code_no = 'OLD' where Row_no = 1"));
    w.FillGird(QString());
    w.Msh->setRow(1);
    w.Msh_DblClick();
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QStringLiteral("1"));
    EXPECT_EQ(w.ui()->txt_pat_name->text(), QStringLiteral("AMINA O'HARA"));
    EXPECT_EQ(w.ui()->DTPicker1->date(), QDate(2026, 12, 7));
    w.ui()->txt_Add->setText(QStringLiteral("HOUSE 4"));
    w.cmdSave_Click();
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select count(*) from Patient_Slips")).toInt(), 1);
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select Code_no from Patient_Slips")).toString(),
              QStringLiteral("PAT-1"));
    EXPECT_EQ(Module1::Con->scalar(QStringLiteral("select Addr from Patient_Slips")).toString(),
              QStringLiteral("HOUSE 4"));
}

TEST_P(PatientRegisterTest, SearchIsLiveCaseInsensitiveAndInDescendingCodeTextOrder) {
    auto& w = open();
    for (int i = 1; i <= 10; ++i)
        enter(w, QStringLiteral("PATIENT %1").arg(i), QStringLiteral("F"),
              i == 10 ? QStringLiteral("0300-55") : QString());
    enter(w, QStringLiteral("50% OFF"), QStringLiteral("F"));
    EXPECT_EQ(column(w, 1).mid(0, 3), (QStringList{"PAT-9", "PAT-8", "PAT-7"}));
    EXPECT_EQ(column(w, 1).last(), QStringLiteral("PAT-1"));

    w.SSTab1->setCurrentIndex(1);
    w.ui()->cmb_s_cri->setCurrentIndex(0); // Patient Name
    QTest::keyClicks(w.ui()->txt_s_value, QStringLiteral("patient 1"));
    EXPECT_EQ(w.ui()->txt_s_value->text(), QStringLiteral("PATIENT 1")); // upper-cased as typed
    EXPECT_EQ(column(w, 3), (QStringList{"PATIENT 10", "PATIENT 1"}));
    w.ui()->txt_s_value->setText(QStringLiteral("%"));
    EXPECT_EQ(column(w, 3), QStringList{"50% OFF"}); // a percent sign is searched as typed

    w.ui()->cmb_s_cri->setCurrentIndex(1); // Patient Code
    w.ui()->txt_s_value->setText(QStringLiteral("1"));
    EXPECT_EQ(column(w, 1), (QStringList{"PAT-11", "PAT-10", "PAT-1"}));
    w.ui()->cmb_s_cri->setCurrentIndex(2); // Telephone No
    w.ui()->txt_s_value->setText(QStringLiteral("55"));
    EXPECT_EQ(column(w, 3), QStringList{"PATIENT 10"});
    w.ui()->txt_s_value->setText(QStringLiteral("NO SUCH"));
    EXPECT_EQ(w.Msh->Rows(), 2);
    EXPECT_EQ(w.Msh->TextMatrix(1, 0), QString());
    w.Msh->setRow(1);
    w.Msh_DblClick(); // the empty row picks nothing
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_EQ(w.SSTab1->currentIndex(), 1);

    // The grid's headers and hidden code column.
    w.ui()->txt_s_value->clear();
    EXPECT_EQ(w.Msh->TextMatrix(0, 0), QStringLiteral("Pat ID"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 7), QStringLiteral("Date"));
    EXPECT_TRUE(w.Msh->isColumnHidden(1));
}

TEST_P(PatientRegisterTest, APickAfterScrollingDownHandsBackTheRowTheUserSees) {
    constexpr int count = 300; // several screenfuls
    {
        Transaction t(*Module1::Con);
        for (int i = 1; i <= count; ++i)
            Module1::Con->Execute(
                QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, "
                               "Tel_no, Sex, Pat_date) values (?, ?, ?, ?, ?, 'F', ?)"),
                {i, QStringLiteral("PAT-%1").arg(i), QStringLiteral("NAME %1").arg(i),
                 QStringLiteral("FATHER %1").arg(i), QStringLiteral("TEL %1").arg(i),
                 QDate(2024, 1, 1).addDays(i)});
        t.commit();
    }
    QStringList codes; // the register's order: the code as text, descending
    for (int i = 1; i <= count; ++i)
        codes << QStringLiteral("PAT-%1").arg(i);
    std::sort(codes.begin(), codes.end(), std::greater<>());

    auto& w = open();
    w.SSTab1->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(w.Msh->Rows(), count + 1);
    EXPECT_EQ(column(w, 1), codes);
    for (int i = 0; i < 4; ++i) {
        w.Msh->scrollToBottom();
        QApplication::processEvents();
    }
    const int last = w.Msh->model()->rowCount() - 1;
    ASSERT_GT(last, 100);
    const QModelIndex at = w.Msh->model()->index(last, 3);
    w.Msh->scrollTo(at);
    QTest::mouseDClick(w.Msh->viewport(), Qt::LeftButton, {}, w.Msh->visualRect(at).center());

    const long key = codes.at(last).mid(4).toLong();
    EXPECT_EQ(Module1::SelPatId, key);
    EXPECT_EQ(Module1::SelPatName, QStringLiteral("NAME %1").arg(key));
    EXPECT_EQ(Module1::SelPatTel, QStringLiteral("TEL %1").arg(key));
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QString::number(key));
    EXPECT_EQ(w.ui()->txt_F_name->text(), QStringLiteral("FATHER %1").arg(key));
    EXPECT_EQ(w.ui()->DTPicker1->date(), QDate(2024, 1, 1).addDays(key));
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
}

TEST_P(PatientRegisterTest, PickHandsThePatientBackByDoubleClickOrEnter) {
    auto& w = open();
    w.ui()->cmb_sex->setCurrentText(QStringLiteral("F"));
    w.ui()->txt_cardno->setText(QStringLiteral("C-7"));
    enter(w, QStringLiteral("SARA"), QStringLiteral("ALI"), QStringLiteral("0300"));
    w.unload();

    // Borrowed by another screen: a double-click writes every value and closes the register.
    PatientTaker taker;
    ui::Forms::setMdiArea(main->area());
    taker.Show();
    taker.find();
    auto* reg = ui::Forms::loaded<frm_patient_detail>();
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->SSTab1->currentIndex(), 1);
    EXPECT_TRUE(Module1::PickMode);
    reg->Msh->setRow(1);
    QTest::mouseDClick(reg->Msh->viewport(), Qt::LeftButton, {},
                       reg->Msh->visualRect(reg->Msh->model()->index(0, 2)).center());
    EXPECT_EQ(ui::Forms::loaded<frm_patient_detail>(), nullptr);
    EXPECT_FALSE(Module1::PickMode); // its unload clears the flag
    EXPECT_EQ(Module1::SelPatId, 1);
    EXPECT_EQ(Module1::SelPatName, QStringLiteral("SARA"));
    EXPECT_EQ(Module1::SelPatFather, QStringLiteral("ALI"));
    EXPECT_EQ(Module1::SelPatTel, QStringLiteral("0300"));
    EXPECT_EQ(Module1::SelPatCard, QStringLiteral("C-7"));
    EXPECT_EQ(Module1::SelPatSex, QStringLiteral("F"));
    // The taker is the active window again at once, and has taken the patient.
    EXPECT_EQ(wbtest::user::activeWindow(), &taker);
    EXPECT_EQ(taker.taken, 1);
    EXPECT_EQ(Module1::PickedPatientRowNo, 0);

    // Enter in the grid hands back the same values and closes, with or without PickMode: the taker,
    // active again, takes what was left for the next taker.
    Module1::ResetVariables();
    taker.taken = 0;
    auto& menuOpened = open();
    menuOpened.Msh->setRow(1);
    menuOpened.Msh->setFocus();
    QTest::keyClick(menuOpened.Msh, Qt::Key_Return);
    EXPECT_EQ(ui::Forms::loaded<frm_patient_detail>(), nullptr);
    EXPECT_EQ(wbtest::user::activeWindow(), &taker);
    EXPECT_EQ(taker.taken, 1);
    EXPECT_EQ(Module1::SelPatId, 1);
    EXPECT_EQ(Module1::SelPatName, QStringLiteral("SARA"));

    // Opened from the menu without PickMode, a double-click loads the row and keeps the window.
    auto& editing = open();
    editing.Msh->setRow(1);
    editing.Msh_DblClick();
    EXPECT_NE(ui::Forms::loaded<frm_patient_detail>(), nullptr);
    EXPECT_EQ(editing.ui()->txt_cardno->text(), QStringLiteral("C-7"));
    taker.close();
}

TEST_P(PatientRegisterTest, NewPatientsFromTwoDesksAtOnceAllGetDistinctKeys) {
    auto& w = open();
    std::atomic<bool> failed{false};
    std::thread otherDesk([&] {
        try {
            auto con = db->connect();
            for (int i = 0; i < 10; ++i)
                saveWithNextKey(
                    *con, QStringLiteral("Patient_Slips"), QStringLiteral("Row_no"), [&](qint64 key) {
                        con->Execute(
                            QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) "
                                           "values (?, ?, 'OTHER', 'DESK')"),
                            {key, QStringLiteral("PAT-%1").arg(key)});
                    });
        } catch (...) {
            failed = true;
        }
    });
    for (int i = 0; i < 10; ++i)
        enter(w, QStringLiteral("THIS %1").arg(i), QStringLiteral("DESK"));
    otherDesk.join();
    EXPECT_FALSE(failed);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(
        Module1::Con->scalar(QStringLiteral("select count(distinct Row_no) from Patient_Slips")).toInt(), 20);
}

WB_ENGINES(PatientRegisterTest);

} // namespace

namespace {

TEST_P(PatientRegisterTest, PrintsTheLoadedPatientOrEveryPatient) {
    auto& w = open();
    enter(w, QStringLiteral("FIRST PATIENT"), QStringLiteral("F1"));
    enter(w, QStringLiteral("SECOND PATIENT"), QStringLiteral("F2"));
    w.cmdPrint_Click();
    QString text = wbtest::printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("FIRST PATIENT"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("SECOND PATIENT")));

    w.FillGird(QString());
    w.Msh->setRow(2); // PAT-1
    w.Msh_DblClick();
    w.cmdPrint_Click();
    text = wbtest::printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("FIRST PATIENT"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("SECOND PATIENT")));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

} // namespace

// Codes searched in the register's own order, newest code first: a code whose matches all come late
// in that order ("PAT-1" after every "PAT-2" to "PAT-9") lists its first screenful from about a
// screenful of rows, not from walking the list up to them or from every match, and the pages read
// as the user scrolls on follow in the same order.
TEST_P(PatientRegisterTest, ACodeWhoseMatchesComeLateInTheListIsListedFromAScreenfulOfRows) {
    Module1::Con->Execute(
        QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
                       "insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) "
                       "select i, 'PAT-' || i, 'NAME ' || i, 'F' from n"));
    wbtest::settleStatistics(*Module1::Con);
    const auto plain = [](int rows) {
        QStringList codes;
        QSqlQuery q =
            Module1::Con->query(QStringLiteral("select Code_no from Patient_Slips where %1 order by "
                                               "Code_no desc, Row_no limit %2")
                                    .arg(Module1::Con->dialect().containsCI(QStringLiteral("Code_no")))
                                    .arg(rows),
                                {likeContains(QStringLiteral("PAT-1"))});
        while (q.next())
            codes << q.value(0).toString();
        return codes;
    };
    const qint64 walked =
        wbtest::engineWork(*Module1::Con, QStringLiteral("Patient_Slips"), [&] { plain(64); });
    auto& w = open();
    w.SSTab1->setCurrentIndex(1);
    w.ui()->cmb_s_cri->setCurrentIndex(1); // Patient Code
    // The cost of the search as a pasted text reads it; then the same typed key by key.
    const qint64 searched = wbtest::engineWork(*Module1::Con, QStringLiteral("Patient_Slips"), [&] {
        w.ui()->txt_s_value->setText(QStringLiteral("PAT-1"));
    });
    // The embedded engine's steps against walking the list; the server's rows read (its walk of the
    // code order tests the codes in an index and reads none of the rows it passes).
    if (Module1::Con->engine() == Engine::Sqlite)
        EXPECT_LT(searched * 5, walked) << searched << " against " << walked;
    else
        EXPECT_LE(searched, 4 * 64) << searched << " rows read";
    w.ui()->txt_s_value->clear();
    wbtest::user::click(w.ui()->txt_s_value);
    wbtest::user::type(QStringLiteral("PAT-1"));
    EXPECT_EQ(wbtest::user::textOf(w.ui()->txt_s_value), QStringLiteral("PAT-1"));
    EXPECT_EQ(column(w, 1).mid(0, 64), plain(64));

    wbtest::user::click(w.Msh);
    wbtest::user::press(Qt::Key_PageDown, Qt::NoModifier, 30);
    const QStringList listed = column(w, 1);
    EXPECT_GT(listed.size(), 300);
    EXPECT_EQ(listed, plain(static_cast<int>(listed.size())));
}

// A name that one patient in twelve holds, searched in the register's code order (walked, as many
// match): the server tests each name it passes in the code order's index and reads only the
// patients it lists, not every patient it passes.
TEST_P(PatientRegisterTest, AThinlySpreadNameReadsOnlyThePatientsItLists) {
    Module1::Con->Execute(QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
        "insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name) select i, 'PAT-' || i, "
        "case when i % 12 = 0 then 'RARE ' else 'COMMON ' end || i, 'F' from n"));
    wbtest::settleStatistics(*Module1::Con);
    auto& w = open();
    w.SSTab1->setCurrentIndex(1);
    w.ui()->cmb_s_cri->setCurrentIndex(0); // Patient Name
    const qint64 read = wbtest::engineWork(*Module1::Con, QStringLiteral("Patient_Slips"),
                                           [&] { w.ui()->txt_s_value->setText(QStringLiteral("RARE")); });
    QStringList expected;
    QSqlQuery q = Module1::Con->query(QStringLiteral(
        "select Pat_name from Patient_Slips where Pat_name like 'RARE %' order by Code_no desc, "
        "Row_no"));
    while (q.next())
        expected << q.value(0).toString();
    EXPECT_EQ(column(w, 3).mid(0, 64), expected.mid(0, 64));
    if (Module1::Con->engine() == Engine::Postgres) {
        EXPECT_LT(read, 64 * 12 / 3) << read << " patients read";
    }
}
