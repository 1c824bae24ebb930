#include "certificates/Brith_Certificate.h"
#include "certificatetest.h"
#include "data/connection.h"
#include "registers/frm_Doc_Infor.h"
#include "session/module1.h"
#include "shell/MDIForm1.h"
#include "support/printed.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui_Brith_Certificate.h"
#include "ui_frm_Doc_Infor.h"

#include <QMdiArea>
#include <QSet>
#include <QTest>

using namespace wb;

namespace {

struct Birth {
    QString mother, father, reg, delivery;
    QString doctor = QStringLiteral("DR ALI");
    QString weight, address, remark, sex, shift;
    QDate born, issued;
    QString bornAt, issuedAt;
};

class BirthCertificateTest : public wbtest::CertificateTest {
protected:
    Brith_Certificate& open() { return wbtest::openFromMenu<Brith_Certificate>("mnu_birth_cer"); }
    void fill(Brith_Certificate& w, const Birth& b) {
        auto* u = w.ui();
        u->txt_M_Name->setText(b.mother);
        u->txt_F_Name->setText(b.father);
        u->txt_reg_no->setText(b.reg);
        u->txt_Del_no->setText(b.delivery);
        u->txt_Weight->setText(b.weight);
        u->txt_Add->setText(b.address);
        u->txt_Remark->setText(b.remark);
        if (!b.sex.isEmpty())
            u->cmb_sex->setCurrentText(b.sex);
        if (!b.shift.isEmpty())
            u->cmb_shift->setCurrentText(b.shift);
        if (b.born.isValid())
            u->DTPicker2->setDate(b.born);
        if (b.issued.isValid())
            u->DTPicker1->setDate(b.issued);
        if (!b.bornAt.isEmpty())
            u->msk_time_birth->setText(b.bornAt);
        if (!b.issuedAt.isEmpty())
            u->msk_issu_time->setText(b.issuedAt);
        if (!b.doctor.isEmpty())
            pickDoctor(w, u->cmd_find_duty_doc, b.doctor);
    }
    void save(Brith_Certificate& w, const Birth& b) {
        fill(w, b);
        w.cmdSave_Click();
    }
    static QVariant field(int id, const char* column) {
        return value(
            QStringLiteral("select %1 from Brith_Certificate where row_no = ?").arg(QLatin1String(column)),
            {id});
    }
    void pick(Brith_Certificate& w, const QString& mother) {
        w.ui()->SSTab1->setCurrentIndex(1);
        w.ui()->cmb_s_cri->setCurrentText(QStringLiteral("Mother Name"));
        w.ui()->txt_s_val->clear();
        const int row = wbtest::gridRow(*w.Msh, 4, mother);
        ASSERT_GT(row, 0) << mother.toStdString();
        w.Msh->setRow(row);
        w.Msh_DblClick();
    }
};

TEST_P(BirthCertificateTest, OpensFromTheMenuPlacedWithItsListsClockAndPickers) {
    auto& w = open();
    EXPECT_NEAR(w.widthTw(), 12060, 15);
    EXPECT_NEAR(w.heightTw(), 7905, 15);
    EXPECT_NEAR(w.topTw(), 400, 15);
    EXPECT_NEAR(w.leftTw(), 1500, 15);
    auto* u = w.ui();
    EXPECT_EQ(u->SSTab1->tabText(0), QStringLiteral("BRITH CERTIFICATE"));
    EXPECT_EQ(u->SSTab1->tabText(1), QStringLiteral("SEARCH"));
    EXPECT_EQ(u->Label21->text(), QStringLiteral("BRITH CERTIFICATE "));
    EXPECT_EQ(u->cmb_sex->currentText(), QStringLiteral("M"));
    EXPECT_EQ(u->cmb_sex->count(), 2);
    EXPECT_EQ(u->cmb_shift->count(), 3);
    ASSERT_EQ(u->cmb_s_cri->count(), 4);
    EXPECT_EQ(u->cmb_s_cri->itemText(2), QStringLiteral("Date Of Birth"));
    EXPECT_EQ(u->cmb_s_cri->currentText(), QStringLiteral("Mother Name"));
    EXPECT_EQ(u->msk_time_birth->text(), QStringLiteral("10:15:30"));
    EXPECT_EQ(u->msk_issu_time->text(), QStringLiteral("10:15:30"));
    for (QDateEdit* d : {u->DTPicker1, u->DTPicker2, u->dtpFrom, u->dtpTo})
        EXPECT_EQ(d->date(), Now.date());
    EXPECT_EQ(w.Msh->Rows(), 2);
    EXPECT_FALSE(u->txt_Row_No->isVisibleTo(&w));
    EXPECT_FALSE(u->txt_ser_no->isVisibleTo(&w));
    EXPECT_FALSE(u->txt_duty_code->isVisibleTo(&w));
    EXPECT_EQ(u->txt_Weight->maxLength(), 6);

    // Not unloaded first: the menu shows the open window as it is.
    u->txt_M_Name->setText(QStringLiteral("TYPED"));
    EXPECT_EQ(&open(), &w);
    EXPECT_EQ(u->txt_M_Name->text(), QStringLiteral("TYPED"));
}

TEST_P(BirthCertificateTest, RequiredBoxesAreTestedInOrderAndNothingIsSaved) {
    auto& w = open();
    auto* u = w.ui();
    QApplication::setActiveWindow(main);
    const QList<std::pair<QLineEdit*, QString>> steps = {
        {u->txt_M_Name, QStringLiteral("please enter Mother Name")},
        {u->txt_F_Name, QStringLiteral("please enter Father Name")},
        {u->txt_reg_no, QStringLiteral("please enter Reg No")},
        {u->txt_Del_no, QStringLiteral("please enter Delivery No")},
        {u->txt_duty_doc, QStringLiteral("please enter Duty Doctor")}};
    for (const auto& [box, message] : steps) {
        messages.clear();
        w.cmdSave_Click();
        ASSERT_EQ(messages.texts(), QStringList{message});
        EXPECT_EQ(messages.last().style, ui::vbInformation);
        EXPECT_EQ(messages.last().title, ui::appTitle());
        EXPECT_TRUE(box->hasFocus()) << message.toStdString();
        if (box == u->txt_duty_doc)
            pickDoctor(w, u->cmd_find_duty_doc, QStringLiteral("DR ALI"));
        else
            box->setText(QStringLiteral("X"));
    }
    EXPECT_EQ(count(QStringLiteral("Brith_Certificate")), 0);
}

TEST_P(BirthCertificateTest, ANewCertificateTakesTheNextKeyItsSerialAndAsksOncePerFilledBox) {
    auto& w = open();
    save(w, {.mother = QStringLiteral("AMNA"),
             .father = QStringLiteral("BILAL"),
             .reg = QStringLiteral("R-1"),
             .delivery = QStringLiteral("D-1"),
             .weight = QStringLiteral("3.25")});
    // One plain box per filled bound box in the window's order: the hidden doctor code and the new
    // key included, the empty address and remark and the serial box not.
    EXPECT_EQ(messages.texts(), (QStringList{"reg_no", "delivery_no", "mother_name", "father_name", "weight",
                                             "duty_doc", "row_no"}));
    for (const auto& m : messages.shown()) {
        EXPECT_EQ(m.style, ui::vbOKOnly);
        EXPECT_EQ(m.title, ui::appTitle());
    }
    EXPECT_EQ(field(1, "serial_no").toString(), QStringLiteral("Brith-1"));
    EXPECT_EQ(field(1, "mother_name").toString(), QStringLiteral("AMNA"));
    EXPECT_DOUBLE_EQ(field(1, "weight").toDouble(), 3.25);
    EXPECT_EQ(field(1, "duty_doc").toInt(), 1);
    EXPECT_EQ(field(1, "sex").toString(), QStringLiteral("M"));
    EXPECT_EQ(field(1, "shift").toString(), QStringLiteral("M"));
    EXPECT_EQ(field(1, "date_brith").toDate(), Now.date());
    EXPECT_EQ(field(1, "issu_date").toDate(), Now.date());
    EXPECT_EQ(field(1, "time_brith").toTime(), QTime(10, 15, 30));
    EXPECT_TRUE(field(1, "address").isNull());
    EXPECT_TRUE(field(1, "remark").isNull());
    // The entry page is cleared; the combos, pickers and times keep theirs.
    EXPECT_TRUE(w.ui()->txt_M_Name->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_duty_doc->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_EQ(w.ui()->msk_time_birth->text(), QStringLiteral("10:15:30"));

    // Three filled boxes besides the key and the doctor code: five boxes before the row is written.
    messages.clear();
    save(w, {.mother = QStringLiteral("BUSHRA"),
             .father = QStringLiteral("F"),
             .reg = QStringLiteral("R-2"),
             .delivery = QString()});
    EXPECT_EQ(messages.texts().size(), 1); // the delivery number is required
    w.ui()->txt_Del_no->setText(QStringLiteral("D-2"));
    messages.clear();
    w.cmdSave_Click();
    EXPECT_EQ(messages.texts(),
              (QStringList{"reg_no", "delivery_no", "mother_name", "father_name", "duty_doc", "row_no"}));
    EXPECT_EQ(field(2, "serial_no").toString(), QStringLiteral("Brith-2"));
}

TEST_P(BirthCertificateTest, TheWeightTakesDigitsAndOnePointUpToTheColumnsDigits) {
    auto& w = open();
    auto* weight = w.ui()->txt_Weight;
    weight->setFocus();
    QTest::keyClicks(weight, QStringLiteral("3 .2a.5'"));
    EXPECT_EQ(weight->text(), QStringLiteral("3.25"));
    QTest::keyClicks(weight, QStringLiteral("1234"));
    EXPECT_EQ(weight->text(), QStringLiteral("3.2512"));
}

TEST_P(BirthCertificateTest, AWeightItsColumnCannotTakeIsToldByTheBoxLabelAndNothingIsSaved) {
    auto& w = open();
    auto* weight = w.ui()->txt_Weight;
    QApplication::setActiveWindow(main);
    fill(w, {.mother = QStringLiteral("AMNA"),
             .father = QStringLiteral("BILAL"),
             .reg = QStringLiteral("R-1"),
             .delivery = QStringLiteral("D-1")});
    for (const auto& [typed, said] :
         {std::pair{"1234.5", "Weight is too large: at most 999.999"},
          std::pair{".", "Weight must be a number: type digits with at most one point."}}) {
        QTest::mouseClick(weight, Qt::LeftButton);
        QTest::keyClick(weight, Qt::Key_End);
        while (!weight->text().isEmpty())
            QTest::keyClick(weight, Qt::Key_Backspace);
        QTest::keyClicks(weight, QLatin1String(typed));
        messages.clear();
        QTest::mouseClick(w.ui()->cmdSave, Qt::LeftButton);
        ASSERT_FALSE(messages.shown().isEmpty());
        EXPECT_EQ(messages.last().text, QLatin1String(said));
        EXPECT_EQ(count(QStringLiteral("Brith_Certificate")), 0);
        EXPECT_EQ(weight->text(), QLatin1String(typed)); // what was typed stays
    }
}

TEST_P(BirthCertificateTest, ATimeThatIsNoTimeOfDayIsRefusedBeforeAnythingIsAskedOrWritten) {
    auto& w = open();
    fill(w, {.mother = QStringLiteral("AMNA"),
             .father = QStringLiteral("F"),
             .reg = QStringLiteral("R"),
             .delivery = QStringLiteral("D")});
    w.ui()->msk_time_birth->setText(QStringLiteral("25:61:00"));
    messages.clear();
    w.cmdSave_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(
        messages.last().text.startsWith(QStringLiteral("Time of Birth \"25:61:00\" is not a time of day")))
        << messages.last().text.toStdString();
    EXPECT_EQ(count(QStringLiteral("Brith_Certificate")), 0);
    EXPECT_EQ(w.ui()->txt_M_Name->text(), QStringLiteral("AMNA"));
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());

    w.ui()->msk_time_birth->setText(QStringLiteral("2359"));
    messages.clear();
    w.cmdSave_Click();
    EXPECT_EQ(messages.shown().size(), 1); // a half-typed time is no time either
    EXPECT_EQ(count(QStringLiteral("Brith_Certificate")), 0);

    w.ui()->msk_time_birth->clear(); // nothing typed: no time
    w.cmdSave_Click();
    EXPECT_EQ(count(QStringLiteral("Brith_Certificate")), 1);
    EXPECT_TRUE(field(1, "time_brith").isNull());
}

TEST_P(BirthCertificateTest, AGridPickLoadsWhatIsStoredAndSavingAgainChangesNothing) {
    auto& w = open();
    save(w, {.mother = QStringLiteral("O'HARA"),
             .father = QStringLiteral("SEAN"),
             .reg = QStringLiteral("R-7"),
             .delivery = QStringLiteral("D-7"),
             .doctor = QStringLiteral("DR BANO"),
             .weight = QStringLiteral("2.975"),
             .address = QStringLiteral("MAIN ROAD"),
             .remark = QStringLiteral("TWINS"),
             .sex = QStringLiteral("F"),
             .shift = QStringLiteral("N"),
             .born = QDate(2026, 11, 30),
             .issued = QDate(2026, 12, 1),
             .bornAt = QStringLiteral("21:05:07"),
             .issuedAt = QStringLiteral("09:04:03")});
    const QStringList stored = rowOf(QStringLiteral("Brith_Certificate"), QStringLiteral("row_no"), 1);
    ASSERT_FALSE(stored.isEmpty());

    // The listing: dates as dd-mm-yyyy, times on the 12-hour clock, the doctor's name.
    const int row = wbtest::gridRow(*w.Msh, 4, QStringLiteral("O'HARA"));
    ASSERT_EQ(row, 1);
    EXPECT_EQ(w.Msh->TextMatrix(row, 8), QStringLiteral("30-11-2026"));
    EXPECT_EQ(w.Msh->TextMatrix(row, 9), QStringLiteral(" 9:05PM"));
    EXPECT_EQ(w.Msh->TextMatrix(row, 14), QStringLiteral(" 9:04AM"));
    EXPECT_EQ(w.Msh->TextMatrix(row, 11), QStringLiteral("DR BANO"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 7), QStringLiteral("Wight"));
    EXPECT_TRUE(w.Msh->isColumnHidden(0));
    EXPECT_TRUE(w.Msh->isColumnHidden(1));

    // The pickers and times have moved on meanwhile; the pick brings back the stored ones.
    w.ui()->DTPicker2->setDate(Now.date());
    w.ui()->cmb_sex->setCurrentText(QStringLiteral("M"));
    pick(w, QStringLiteral("O'HARA"));
    auto* u = w.ui();
    EXPECT_EQ(u->SSTab1->currentIndex(), 0);
    EXPECT_EQ(u->txt_Row_No->text(), QStringLiteral("1"));
    EXPECT_EQ(u->txt_ser_no->text(), QStringLiteral("Brith-1"));
    EXPECT_EQ(u->txt_duty_code->text(), QStringLiteral("2"));
    EXPECT_EQ(u->txt_duty_doc->text(), QStringLiteral("DR BANO"));
    EXPECT_EQ(u->cmb_sex->currentText(), QStringLiteral("F"));
    EXPECT_EQ(u->cmb_shift->currentText(), QStringLiteral("N"));
    EXPECT_EQ(u->DTPicker2->date(), QDate(2026, 11, 30));
    EXPECT_EQ(u->DTPicker1->date(), QDate(2026, 12, 1));
    EXPECT_EQ(u->msk_time_birth->text(), QStringLiteral("21:05:07"));
    EXPECT_EQ(u->msk_issu_time->text(), QStringLiteral("09:04:03"));
    EXPECT_EQ(u->txt_Weight->text().toDouble(), 2.975);

    w.cmdSave_Click();
    EXPECT_EQ(rowOf(QStringLiteral("Brith_Certificate"), QStringLiteral("row_no"), 1), stored);
    pick(w, QStringLiteral("O'HARA"));
    w.cmdSave_Click(); // and again: the serial does not grow
    EXPECT_EQ(rowOf(QStringLiteral("Brith_Certificate"), QStringLiteral("row_no"), 1), stored);
    EXPECT_EQ(count(QStringLiteral("Brith_Certificate")), 1);
}

TEST_P(BirthCertificateTest, EnterInTheGridOpensTheRowAsADoubleClickDoes) {
    auto& w = open();
    save(w, {.mother = QStringLiteral("AMNA"),
             .father = QStringLiteral("F"),
             .reg = QStringLiteral("R"),
             .delivery = QStringLiteral("D")});
    w.Msh->setRow(1);
    w.Msh_KeyPress(13);
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QStringLiteral("1"));
    EXPECT_EQ(w.ui()->txt_M_Name->text(), QStringLiteral("AMNA"));
    EXPECT_EQ(ui::Forms::loaded<Brith_Certificate>(), &w);
}

TEST_P(BirthCertificateTest, AStalePickLeavesTheOpenCertificatesDoctorAndAFreshPickReplacesIt) {
    auto& w = open();
    save(w, {.mother = QStringLiteral("AMNA"),
             .father = QStringLiteral("F"),
             .reg = QStringLiteral("R"),
             .delivery = QStringLiteral("D")});
    pick(w, QStringLiteral("AMNA"));
    ASSERT_EQ(w.ui()->txt_duty_doc->text(), QStringLiteral("DR ALI"));

    // A doctor opened for editing in the doctor register leaves its pick lying in the shared
    // variables, with the duty-doctor letter of the last pick.
    auto& reg = wbtest::openFromMenu<frm_Doc_Infor>("mun_Doc_Reg");
    reg.Msh->setRow(wbtest::gridRow(*reg.Msh, 2, QStringLiteral("DR CHAUDHRY")));
    reg.Msh_DblClick();
    ASSERT_EQ(Module1::SelDocId, 3);
    ASSERT_EQ(Module1::DocPickFor, QStringLiteral("D"));
    reg.unload();
    comeBack(w);
    leaveAndComeBack(w);
    EXPECT_EQ(w.ui()->txt_duty_doc->text(), QStringLiteral("DR ALI"));
    EXPECT_EQ(w.ui()->txt_duty_code->text(), QStringLiteral("1"));
    w.cmdSave_Click();
    EXPECT_EQ(field(1, "duty_doc").toInt(), 1);

    // A pick made for this window is taken once, and consumed.
    pick(w, QStringLiteral("AMNA"));
    pickDoctor(w, w.ui()->cmd_find_duty_doc, QStringLiteral("DR BANO"));
    EXPECT_EQ(w.ui()->txt_duty_doc->text(), QStringLiteral("DR BANO"));
    EXPECT_EQ(w.ui()->txt_duty_code->text(), QStringLiteral("2"));
    EXPECT_EQ(Module1::SelDocId, 0);
    w.ui()->txt_duty_doc->clear();
    leaveAndComeBack(w);
    EXPECT_TRUE(w.ui()->txt_duty_doc->text().isEmpty());
    w.ui()->txt_duty_doc->setText(QStringLiteral("DR BANO"));
    w.cmdSave_Click();
    EXPECT_EQ(field(1, "duty_doc").toInt(), 2);
}

TEST_P(BirthCertificateTest, DeleteAsksFirstAndNoKeepsTheCertificate) {
    auto& w = open();
    save(w, {.mother = QStringLiteral("AMNA"),
             .father = QStringLiteral("F"),
             .reg = QStringLiteral("R"),
             .delivery = QStringLiteral("D")});
    messages.clear();
    w.cmdDelete_Click(); // nothing loaded: nothing asked
    EXPECT_TRUE(messages.shown().isEmpty());

    pick(w, QStringLiteral("AMNA"));
    messages.answer(ui::vbNo);
    w.cmdDelete_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("are you sure delete this information"));
    EXPECT_EQ(messages.last().style, ui::vbYesNo + ui::vbInformation);
    EXPECT_EQ(messages.last().title, QStringLiteral("Confirm"));
    EXPECT_EQ(count(QStringLiteral("Brith_Certificate")), 1);
    EXPECT_EQ(w.ui()->txt_M_Name->text(), QStringLiteral("AMNA"));

    messages.answer(ui::vbYes);
    w.cmdDelete_Click();
    EXPECT_EQ(count(QStringLiteral("Brith_Certificate")), 0);
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_EQ(w.Msh->Rows(), 2);

    // Cancel empties the entry page.
    w.ui()->txt_M_Name->setText(QStringLiteral("TYPED"));
    w.ui()->cmdCancel->click();
    EXPECT_TRUE(w.ui()->txt_M_Name->text().isEmpty());
}

TEST_P(BirthCertificateTest, EachCriterionListsInMotherNameOrder) {
    auto& w = open();
    save(w, {.mother = QStringLiteral("ZARA"),
             .father = QStringLiteral("F"),
             .reg = QStringLiteral("R-10"),
             .delivery = QStringLiteral("D"),
             .born = QDate(2026, 12, 1),
             .issued = QDate(2026, 12, 5)});
    save(w, {.mother = QStringLiteral("MARIA"),
             .father = QStringLiteral("F"),
             .reg = QStringLiteral("R-2"),
             .delivery = QStringLiteral("D"),
             .born = QDate(2026, 12, 1),
             .issued = QDate(2026, 12, 6)});
    save(w, {.mother = QStringLiteral("AMNA"),
             .father = QStringLiteral("F"),
             .reg = QStringLiteral("R-11"),
             .delivery = QStringLiteral("D"),
             .born = QDate(2026, 12, 2),
             .issued = QDate(2026, 12, 5)});
    auto* u = w.ui();
    EXPECT_EQ(column(w, 4), (QStringList{"AMNA", "MARIA", "ZARA"}));

    u->SSTab1->setCurrentIndex(1);
    u->txt_s_val->setText(QStringLiteral("ar"));
    EXPECT_EQ(column(w, 4), (QStringList{"MARIA", "ZARA"}));
    u->txt_s_val->setText(QStringLiteral("o'"));
    EXPECT_EQ(w.Msh->Rows(), 2); // nothing found, and the apostrophe breaks nothing
    EXPECT_TRUE(column(w, 4).join(QString()).isEmpty());

    u->cmb_s_cri->setCurrentText(QStringLiteral("Reg No"));
    u->txt_s_val->setText(QStringLiteral("R-1"));
    EXPECT_EQ(column(w, 4), (QStringList{"AMNA", "ZARA"}));

    // Date Of Birth: the From date's births, whatever is typed.
    u->dtpFrom->blockSignals(true);
    u->dtpFrom->setDate(QDate(2026, 12, 1));
    u->dtpFrom->blockSignals(false);
    u->cmb_s_cri->setCurrentText(QStringLiteral("Date Of Birth"));
    u->txt_s_val->setText(QStringLiteral("anything"));
    EXPECT_EQ(column(w, 4), (QStringList{"MARIA", "ZARA"}));
    EXPECT_EQ(Module1::SearchFromDate, QStringLiteral("2026-12-01"));

    // Issu Date: every certificate.
    u->cmb_s_cri->setCurrentText(QStringLiteral("Issu Date"));
    u->txt_s_val->setText(QStringLiteral("x"));
    EXPECT_EQ(column(w, 4), (QStringList{"AMNA", "MARIA", "ZARA"}));

    // The From picker lists that day's births at once; the To picker the certificates issued that day.
    u->dtpFrom->setDate(QDate(2026, 12, 2));
    EXPECT_EQ(column(w, 4), QStringList{"AMNA"});
    u->dtpFrom->setDate(QDate(2026, 12, 3));
    EXPECT_EQ(w.Msh->Rows(), 1); // the header only
    u->dtpTo->setDate(QDate(2026, 12, 5));
    EXPECT_EQ(column(w, 4), (QStringList{"AMNA", "ZARA"}));
    EXPECT_EQ(Module1::SearchToDate, QStringLiteral("2026-12-05"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 4), QStringLiteral("Mother Name"));

    // A pick opens the row and leaves the search page's pickers where they were.
    w.Msh->setRow(1);
    w.Msh_DblClick();
    EXPECT_EQ(u->txt_M_Name->text(), QStringLiteral("AMNA"));
    EXPECT_EQ(u->dtpFrom->date(), QDate(2026, 12, 3));
    EXPECT_EQ(u->dtpTo->date(), QDate(2026, 12, 5));
    EXPECT_EQ(u->cmb_s_cri->currentText(), QStringLiteral("Issu Date"));
    u->SSTab1->setCurrentIndex(1);

    // A criterion typed that the list does not know lists every certificate.
    u->cmb_s_cri->setCurrentText(QStringLiteral("NONSENSE"));
    u->txt_s_val->setText(QStringLiteral("y"));
    EXPECT_EQ(column(w, 4), (QStringList{"AMNA", "MARIA", "ZARA"}));
}

TEST_P(BirthCertificateTest, MothersOfOneNameAreEachListedOnceAcrossTheGridsPages) {
    {
        Transaction t(*Module1::Con);
        for (int i = 1; i <= 700; ++i)
            Module1::Con->Execute(
                QStringLiteral(
                    "insert into Brith_Certificate (row_no, serial_no, mother_name) values (?, ?, ?)"),
                {i, QStringLiteral("Brith-%1").arg(i),
                 i % 3 == 0 ? QStringLiteral("ZAINAB") : QStringLiteral("ASMA")});
        t.commit();
    }
    auto& w = open();
    const auto keys = [&] {
        QStringList out;
        for (int r = 1; r < w.Msh->Rows(); ++r)
            out << w.cell(r, QStringLiteral("row_no"));
        return out;
    };
    const QStringList listed = keys();
    ASSERT_EQ(listed.size(), 700);
    EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()).size(), 700)
        << "a row listed twice, another missed";
    EXPECT_EQ(w.cell(700 - 233, QStringLiteral("mother_name")), QStringLiteral("ASMA"));
    EXPECT_EQ(w.cell(700 - 232, QStringLiteral("mother_name")), QStringLiteral("ZAINAB"));
    // A search for one name lists each of its certificates once as well.
    w.ui()->txt_s_val->setText(QStringLiteral("asma"));
    const QStringList found = keys();
    ASSERT_EQ(found.size(), 467);
    EXPECT_EQ(QSet<QString>(found.begin(), found.end()).size(), 467);
}

TEST_P(BirthCertificateTest, PrintsTheLoadedCertificateOrEveryCertificate) {
    auto& w = open();
    save(w, {.mother = QStringLiteral("AMNA"),
             .father = QStringLiteral("BILAL"),
             .reg = QStringLiteral("R-1"),
             .delivery = QStringLiteral("D-1"),
             .doctor = QStringLiteral("DR BANO"),
             .weight = QStringLiteral("3.5"),
             .born = QDate(2026, 11, 30),
             .bornAt = QStringLiteral("21:05:07")});
    save(w, {.mother = QStringLiteral("ZARA"),
             .father = QStringLiteral("KHALID"),
             .reg = QStringLiteral("R-2"),
             .delivery = QStringLiteral("D-2")});
    QString text = print(w);
    EXPECT_TRUE(text.contains(QStringLiteral("BIRTH CERTIFICATE"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("AMNA")));
    EXPECT_TRUE(text.contains(QStringLiteral("ZARA")));
    EXPECT_TRUE(text.contains(QStringLiteral("Number of births: 2"))) << text.toStdString();

    pick(w, QStringLiteral("AMNA"));
    text = print(w);
    EXPECT_TRUE(text.contains(QStringLiteral("AMNA"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Brith-1")));
    EXPECT_TRUE(text.contains(QStringLiteral("DR BANO")));
    EXPECT_TRUE(text.contains(QStringLiteral("30/11/2026")));
    EXPECT_FALSE(text.contains(QStringLiteral("ZARA")));
    EXPECT_FALSE(text.contains(QStringLiteral("Number of births"))) << "one certificate is no listing";
}

WB_ENGINES(BirthCertificateTest);

} // namespace
