#include "certificates/frm_Death_Cer.h"
#include "certificatetest.h"
#include "report/frmViewer.h"
#include "shell/MDIForm1.h"
#include "session/module1.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui_frm_Death_Cer.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

using namespace wb;

namespace {

class DeathCertificateTest : public wbtest::CertificateTest {
protected:
    frm_Death_Cer& open() { return wbtest::openFromMenu<frm_Death_Cer>("mnu_Death_Cer"); }
    void enter(frm_Death_Cer& w, const QString& admission, const QString& place) {
        w.ui()->txt_Add_no->setText(admission);
        w.ui()->txt_place_of_death->setText(place);
        w.cmdSave_Click();
    }
    static QVariant field(int id, const char* column) {
        return value(
            QStringLiteral("select %1 from Death_Certificate where Row_no = ?").arg(QLatin1String(column)),
            {id});
    }
    static void pick(frm_Death_Cer& w, const QString& admission) {
        w.cmdshowall_Click();
        const int row = wbtest::gridRow(*w.Msh, 2, admission);
        ASSERT_GT(row, 0) << admission.toStdString();
        w.Msh->setRow(row);
        w.Msh_DblClick();
    }
    static void insertRow(int id, const QString& admission) {
        Module1::Con->Execute(QStringLiteral("insert into Death_Certificate (Row_no, Ser_no, Add_no, "
                                             "Place_of_death) values (?, ?, ?, 'W')"),
                              {id, QStringLiteral("DC-%1").arg(id), admission});
    }
};

TEST_P(DeathCertificateTest, OpensMaximisedWithItsListsClockAndDesignedNames) {
    auto& w = open();
    EXPECT_TRUE(w.subWindow()->isMaximized());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 1000);
    auto* u = w.ui();
    EXPECT_EQ(u->SSTab1->tabText(0), QStringLiteral("DEATH CERTIFICATE"));
    EXPECT_EQ(u->SSTab1->tabText(1), QStringLiteral("SEARCH"));
    EXPECT_EQ(u->cmb_sex->currentText(), QStringLiteral("Male"));
    EXPECT_FALSE(u->cmb_sex->isEditable());
    ASSERT_GE(u->cmb_s_cri->count(), 2);
    EXPECT_EQ(u->cmb_s_cri->itemText(0), QStringLiteral("Serial No"));
    EXPECT_EQ(u->cmb_s_cri->itemText(1), QStringLiteral("Issu Date"));
    EXPECT_EQ(u->txt_Consultant->text(), QStringLiteral("Consultant"));
    EXPECT_EQ(u->txt_duty_doc->text(), QStringLiteral("Duty Doctor "));
    EXPECT_EQ(u->msktime->text(), QStringLiteral("10:15:30"));
    EXPECT_EQ(u->msk_time_brith->text(), QStringLiteral("10:15:30"));
    EXPECT_EQ(u->DTP_date_of_death->date(), Now.date());
    EXPECT_FALSE(u->txt_ser_no->isEnabled());
    EXPECT_EQ(u->txt_Add_no->maxLength(), 20);
    EXPECT_EQ(u->txt_age->maxLength(), 3);
    EXPECT_EQ(w.Msh->Rows(), 1); // the header only

    // Every activation maximises it again.
    w.subWindow()->showNormal();
    leaveAndComeBack(w);
    EXPECT_TRUE(w.subWindow()->isMaximized());
}

TEST_P(DeathCertificateTest, ANewCertificateGetsItsKeyAndSerialWithoutAskingAndResavingKeepsIt) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    messages.clear();
    enter(w, QString(), QStringLiteral("WARD 3"));
    EXPECT_EQ(messages.texts(), QStringList{"please enter Addmission No"});
    EXPECT_TRUE(w.ui()->txt_Add_no->hasFocus());
    messages.clear();
    enter(w, QStringLiteral("A-1"), QString());
    EXPECT_EQ(messages.texts(), QStringList{"please enter Place of Death"});
    EXPECT_EQ(messages.last().style, ui::vbInformation);
    EXPECT_TRUE(w.ui()->txt_place_of_death->hasFocus());
    EXPECT_EQ(count(QStringLiteral("Death_Certificate")), 0);

    messages.clear();
    enter(w, QStringLiteral("A-1"), QStringLiteral("WARD 3"));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(field(1, "Ser_no").toString(), QStringLiteral("DC-1"));
    EXPECT_TRUE(field(1, "Consultant").isNull()); // the doctors are not required
    EXPECT_TRUE(field(1, "Age").isNull());
    EXPECT_TRUE(field(1, "NIC_no").isNull());
    EXPECT_EQ(field(1, "Time_of_brith").toTime(), QTime(10, 15, 30));
    EXPECT_EQ(field(1, "Issu_time").toTime(), QTime(10, 15, 30));
    EXPECT_EQ(w.ui()->txt_Consultant->text(), QString()); // cleared by the save

    enter(w, QStringLiteral("A-2"), QStringLiteral("ICU"));
    EXPECT_EQ(field(2, "Ser_no").toString(), QStringLiteral("DC-2"));
    pick(w, QStringLiteral("A-1"));
    EXPECT_EQ(w.ui()->txt_ser_no->text(), QStringLiteral("DC-1"));
    w.cmdSave_Click();
    EXPECT_EQ(field(1, "Ser_no").toString(), QStringLiteral("DC-1"));
    EXPECT_EQ(count(QStringLiteral("Death_Certificate")), 2);
}

TEST_P(DeathCertificateTest, TheClockFollowsANewCertificateUntilATimeIsTyped) {
    auto& w = open();
    auto* u = w.ui();
    ui::Clock::setFixed(QDateTime(Now.date(), QTime(10, 16, 0)));
    w.Timer1_Timer();
    EXPECT_EQ(u->msk_time_brith->text(), QStringLiteral("10:16:00"));
    EXPECT_EQ(u->msktime->text(), QStringLiteral("10:16:00"));

    // The user types the time of death: the clock keeps the issue time only.
    u->msk_time_brith->setFocus();
    u->msk_time_brith->selectAll();
    QTest::keyClicks(u->msk_time_brith, QStringLiteral("031500"));
    ui::Clock::setFixed(QDateTime(Now.date(), QTime(10, 17, 0)));
    w.Timer1_Timer();
    EXPECT_EQ(u->msk_time_brith->text(), QStringLiteral("03:15:00"));
    EXPECT_EQ(u->msktime->text(), QStringLiteral("10:17:00"));
    enter(w, QStringLiteral("A-1"), QStringLiteral("WARD"));
    EXPECT_EQ(field(1, "Time_of_brith").toTime(), QTime(3, 15, 0));
    EXPECT_EQ(field(1, "Issu_time").toTime(), QTime(10, 17, 0));

    // After the save the next certificate follows the clock again.
    ui::Clock::setFixed(QDateTime(Now.date(), QTime(10, 18, 0)));
    w.Timer1_Timer();
    EXPECT_EQ(u->msk_time_brith->text(), QStringLiteral("10:18:00"));

    // A loaded certificate keeps its own times.
    pick(w, QStringLiteral("A-1"));
    EXPECT_EQ(u->msk_time_brith->text(), QStringLiteral("03:15:00"));
    ui::Clock::setFixed(QDateTime(Now.date(), QTime(11, 0, 0)));
    w.Timer1_Timer();
    EXPECT_EQ(u->msk_time_brith->text(), QStringLiteral("03:15:00"));
    EXPECT_EQ(u->msktime->text(), QStringLiteral("10:17:00"));

    // A time that is no time of day is refused.
    u->msktime->setText(QStringLiteral("24:00:00"));
    messages.clear();
    w.cmdSave_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("Issu Time")));
    EXPECT_EQ(field(1, "Issu_time").toTime(), QTime(10, 17, 0));
}

TEST_P(DeathCertificateTest, AGridPickLoadsEverythingStoredAndSavingAgainChangesNothing) {
    auto& w = open();
    auto* u = w.ui();
    u->txt_Del_no->setText(QStringLiteral("D-9"));
    u->cmb_sex->setCurrentText(QStringLiteral("Female"));
    u->txt_age->setText(QStringLiteral("67"));
    u->DTP_date_of_add->setDate(QDate(2026, 11, 20));
    u->DTP_date_of_death->setDate(QDate(2026, 12, 2));
    u->DTP_issu_date->setDate(QDate(2026, 12, 3));
    u->txt_this_cer_that->setText(QStringLiteral("MRS O'NEIL"));
    u->txt_res_of->setText(QStringLiteral("LAHORE"));
    u->txt_C_of_Death->setText(QStringLiteral("CARDIAC ARREST"));
    u->txt_Oper->setText(QStringLiteral("NONE"));
    u->txt_due_to->setText(QStringLiteral("AGE"));
    u->txt_con_no->setText(QStringLiteral("0300-1234567"));
    u->msk_Nic_no->setFocus();
    u->msk_Nic_no->home(false);
    QTest::keyClicks(u->msk_Nic_no, QStringLiteral("3520212345671"));
    pickDoctor(w, u->cmd_find_con, QStringLiteral("DR ALI"));
    pickDoctor(w, u->cmd_find_duty_doc, QStringLiteral("DR CHAUDHRY"));
    EXPECT_EQ(u->txt_Consultant->text(), QStringLiteral("DR ALI"));
    EXPECT_EQ(u->txt_duty_doc->text(), QStringLiteral("DR CHAUDHRY"));
    u->msk_time_brith->setText(QStringLiteral("23:59:58"));
    enter(w, QStringLiteral("A-7"), QStringLiteral("WARD 7"));
    ASSERT_EQ(count(QStringLiteral("Death_Certificate")), 1);
    EXPECT_EQ(field(1, "NIC_no").toString(), QStringLiteral("35202 - 1234567 - 1"));
    EXPECT_EQ(field(1, "Consultant").toInt(), 1);
    EXPECT_EQ(field(1, "Duty_doc").toInt(), 3);
    EXPECT_EQ(field(1, "Date_of_Death").toDate(), QDate(2026, 12, 2));
    const QStringList stored = rowOf(QStringLiteral("Death_Certificate"), QStringLiteral("Row_no"), 1);

    // The listing: the doctors' names, the times on the 12-hour clock.
    w.FillGird(QString());
    EXPECT_EQ(w.Msh->TextMatrix(1, 7), QStringLiteral("11:59PM"));
    EXPECT_EQ(w.Msh->TextMatrix(1, 8), QStringLiteral("DR ALI"));
    EXPECT_EQ(w.Msh->TextMatrix(1, 18), QStringLiteral("DR CHAUDHRY"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 11), QStringLiteral("Opeartions"));
    u->txt_s_val->setText(QStringLiteral("DC-1")); // the search shows the stored times
    EXPECT_EQ(w.Msh->TextMatrix(1, 7), QStringLiteral("23:59:58"));
    EXPECT_EQ(w.Msh->TextMatrix(1, 8), QStringLiteral("DR ALI"));
    EXPECT_EQ(w.Msh->Cols(), 21);

    // Everything on the entry page has moved on; the pick brings the stored certificate back.
    u->cmb_sex->setCurrentText(QStringLiteral("Male"));
    for (QDateEdit* d : {u->DTP_date_of_add, u->DTP_date_of_death, u->DTP_issu_date})
        d->setDate(Now.date());
    u->msk_Nic_no->clear();
    pick(w, QStringLiteral("A-7"));
    EXPECT_EQ(u->SSTab1->currentIndex(), 0);
    EXPECT_EQ(u->cmb_sex->currentText(), QStringLiteral("Female"));
    EXPECT_EQ(u->DTP_date_of_death->date(), QDate(2026, 12, 2));
    EXPECT_EQ(u->DTP_date_of_add->date(), QDate(2026, 11, 20));
    EXPECT_EQ(u->msk_Nic_no->text(), QStringLiteral("35202 - 1234567 - 1"));
    EXPECT_EQ(u->txt_consul_code->text(), QStringLiteral("1"));
    EXPECT_EQ(u->txt_duty_doc->text(), QStringLiteral("DR CHAUDHRY"));
    EXPECT_EQ(u->msk_time_brith->text(), QStringLiteral("23:59:58"));

    ui::Clock::setFixed(QDateTime(Now.date(), QTime(12, 0, 0)));
    w.Timer1_Timer();
    w.cmdSave_Click();
    EXPECT_EQ(rowOf(QStringLiteral("Death_Certificate"), QStringLiteral("Row_no"), 1), stored);
}

TEST_P(DeathCertificateTest, PicksReachOnlyTheRoleAskedForAndStalePicksNone) {
    // A pick pending when the window opens is discarded.
    Module1::SelDocId = 2;
    Module1::SelDocName = QStringLiteral("DR BANO");
    Module1::DocPickFor = QStringLiteral("C");
    auto& w = open();
    EXPECT_EQ(Module1::SelDocId, 0);
    EXPECT_EQ(w.ui()->txt_Consultant->text(), QStringLiteral("Consultant"));

    pickDoctor(w, w.ui()->cmd_find_duty_doc, QStringLiteral("DR BANO"));
    EXPECT_EQ(w.ui()->txt_duty_doc->text(), QStringLiteral("DR BANO"));
    EXPECT_EQ(w.ui()->txt_duty_code->text(), QStringLiteral("2"));
    EXPECT_EQ(w.ui()->txt_Consultant->text(), QStringLiteral("Consultant"));
    EXPECT_TRUE(w.ui()->txt_consul_code->text().isEmpty());

    // Another screen's leftover for the consultant's letter changes nothing here.
    Module1::SelDocId = 3;
    Module1::SelDocName = QStringLiteral("DR CHAUDHRY");
    Module1::DocPickFor = QStringLiteral("C");
    leaveAndComeBack(w);
    EXPECT_EQ(w.ui()->txt_Consultant->text(), QStringLiteral("Consultant"));
    EXPECT_EQ(w.ui()->txt_duty_doc->text(), QStringLiteral("DR BANO"));
}

TEST_P(DeathCertificateTest, DeleteTakesEffectAtOnceWithoutAQuestion) {
    auto& w = open();
    enter(w, QStringLiteral("A-1"), QStringLiteral("W"));
    enter(w, QStringLiteral("A-2"), QStringLiteral("W"));
    messages.clear();
    w.cmdDelete_Click();
    EXPECT_EQ(count(QStringLiteral("Death_Certificate")), 2);
    pick(w, QStringLiteral("A-1"));
    w.cmdDelete_Click();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(count(QStringLiteral("Death_Certificate")), 1);
    EXPECT_TRUE(field(1, "Row_no").isNull());
    EXPECT_TRUE(w.ui()->txt_row_no->text().isEmpty());
    EXPECT_EQ(column(w, 2), QStringList{"A-2"});

    w.ui()->cmdCancel->click(); // cancel enables the serial box, which stays read-only
    EXPECT_TRUE(w.ui()->txt_ser_no->isEnabled());
    EXPECT_TRUE(w.ui()->txt_ser_no->isReadOnly());

    // The print button does nothing: there is no such report.
    messages.clear();
    w.ui()->cmdPrint->click();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(ui::Forms::loaded<frmViewer>(), nullptr);
}

TEST_P(DeathCertificateTest, TheSearchesListInAdmissionNumberOrder) {
    for (int id = 1; id <= 12; ++id)
        insertRow(id, QStringLiteral("A-%1").arg(100 - id, 3, 10, QLatin1Char('0')));
    Module1::Con->Execute(QStringLiteral("update Death_Certificate set Consultant = 2, Duty_doc = 3, "
                                         "Issu_date = ? where Row_no in (2, 11)"),
                          {QDate(2026, 12, 7)});
    auto& w = open();
    auto* u = w.ui();
    EXPECT_EQ(w.Msh->Rows(), 13);
    EXPECT_EQ(w.Msh->TextMatrix(1, 2), QStringLiteral("A-088"));

    u->SSTab1->setCurrentIndex(1);
    u->txt_s_val->setText(QStringLiteral("DC-1"));
    EXPECT_EQ(column(w, 1), (QStringList{"DC-12", "DC-11", "DC-10", "DC-1"}));
    u->txt_s_val->setText(QStringLiteral("X'"));
    EXPECT_EQ(w.Msh->Rows(), 1);

    u->cmb_s_cri->setCurrentText(QStringLiteral("Issu Date"));
    u->txt_s_val->setText(QStringLiteral("07/12"));
    EXPECT_EQ(column(w, 1), (QStringList{"DC-11", "DC-2"}));
    u->cmb_s_cri->setCurrentText(QStringLiteral("Consultant"));
    u->txt_s_val->setText(QStringLiteral("bano"));
    EXPECT_EQ(column(w, 1), (QStringList{"DC-11", "DC-2"}));
    EXPECT_EQ(w.Msh->TextMatrix(1, 8), QStringLiteral("DR BANO"));
    u->cmb_s_cri->setCurrentText(QStringLiteral("Duty Doctor"));
    u->txt_s_val->setText(QStringLiteral("chaud"));
    EXPECT_EQ(column(w, 1), (QStringList{"DC-11", "DC-2"}));
    u->cmb_s_cri->setCurrentText(QStringLiteral("Addmission No"));
    u->txt_s_val->setText(QStringLiteral("A-09"));
    EXPECT_EQ(column(w, 1),
              (QStringList{"DC-10", "DC-9", "DC-8", "DC-7", "DC-6", "DC-5", "DC-4", "DC-3", "DC-2", "DC-1"}));
    u->cmdfind->click();
    EXPECT_EQ(w.Msh->Rows(), 11);

    u->cmdshowall->click();
    EXPECT_EQ(w.Msh->Rows(), 13);
    u->cmds_cancel->click();
    EXPECT_EQ(u->SSTab1->currentIndex(), 0);
}

TEST_P(DeathCertificateTest, TheAgeTakesDigitsOnly) {
    auto& w = open();
    w.ui()->txt_age->setFocus();
    QTest::keyClicks(w.ui()->txt_age, QStringLiteral("7 a.5-12"));
    EXPECT_EQ(w.ui()->txt_age->text(), QStringLiteral("751"));
}

WB_ENGINES(DeathCertificateTest);

} // namespace
