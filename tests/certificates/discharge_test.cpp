#include "certificates/frm_Discharge_Cer.h"
#include "certificatetest.h"
#include "report/frmViewer.h"
#include "session/module1.h"
#include "shell/MDIForm1.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"
#include "ui_frm_Discharge_Cer.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using namespace wb;

namespace {

class DischargeCertificateTest : public wbtest::CertificateTest {
protected:
    frm_Discharge_Cer& open() { return wbtest::openFromMenu<frm_Discharge_Cer>("mnu_dis_cer"); }
    void enter(frm_Discharge_Cer& w, const QString& patient, const QString& reg,
               const QString& consultant = QStringLiteral("DR ALI")) {
        w.ui()->txt_pat_name->setText(patient);
        w.ui()->txt_reg_no->setText(reg);
        if (!consultant.isEmpty())
            pickDoctor(w, w.ui()->cmd_find_con, consultant);
        w.cmdSave_Click();
    }
    static QVariant field(int id, const char* column) {
        return value(QStringLiteral("select %1 from Discharge_Certificate where Row_no = ?")
                         .arg(QLatin1String(column)),
                     {id});
    }
    static void pick(frm_Discharge_Cer& w, const QString& patient) {
        w.cmdshowall_Click();
        const int row = wbtest::gridRow(*w.Msh, 4, patient);
        ASSERT_GT(row, 0) << patient.toStdString();
        w.Msh->setRow(row);
        w.Msh_DblClick();
    }
};

TEST_P(DischargeCertificateTest, OpensMaximisedAndTestsItsRequiredBoxesInOrder) {
    auto& w = open();
    auto* u = w.ui();
    EXPECT_TRUE(w.subWindow()->isMaximized());
    EXPECT_EQ(u->SSTab1->tabText(0), QStringLiteral("DISCHARGE CERTIFICATE"));
    EXPECT_EQ(u->Label24->text(), QStringLiteral("DISCHARGE CERTIFICATE"));
    EXPECT_EQ(u->cmb_sex->currentText(), QStringLiteral("Male"));
    EXPECT_EQ(u->cmb_s_cri->count(), 3);
    EXPECT_EQ(u->cmb_s_cri->currentText(), QStringLiteral("Serial No"));
    EXPECT_TRUE(u->msk_issu_time->text().isEmpty() || u->msk_issu_time->text() == QStringLiteral("::"));
    EXPECT_EQ(u->txt_pat_name->maxLength(), 32767); // no lengths are set
    EXPECT_FALSE(u->txt_consul_code->isVisibleTo(&w));

    QApplication::setActiveWindow(main);
    const QList<std::pair<QLineEdit*, QString>> steps = {
        {u->txt_pat_name, QStringLiteral("please enter Patient Name")},
        {u->txt_reg_no, QStringLiteral("please enter Reg NO")},
        {u->txt_Consultant, QStringLiteral("please enter Consultant")}};
    for (const auto& [box, message] : steps) {
        messages.clear();
        w.cmdSave_Click();
        ASSERT_EQ(messages.texts(), QStringList{message});
        EXPECT_EQ(messages.last().style, ui::vbInformation);
        EXPECT_TRUE(box->hasFocus()) << message.toStdString();
        if (box == u->txt_Consultant)
            pickDoctor(w, u->cmd_find_con, QStringLiteral("DR ALI"));
        else
            box->setText(QStringLiteral("X"));
    }
    EXPECT_EQ(count(QStringLiteral("Discharge_Certificate")), 0);
}

TEST_P(DischargeCertificateTest, ANewCertificateAsksOncePerFilledBoxAndGetsItsSerial) {
    auto& w = open();
    auto* u = w.ui();
    u->txt_age->setText(QStringLiteral("45"));
    u->txt_prin_diagnosis->setText(QStringLiteral("PNEUMONIA"));
    u->txt_follow_instru->setText(QStringLiteral("Review in 7 days"));
    messages.clear();
    enter(w, QStringLiteral("Kamran"), QStringLiteral("R-1"));
    EXPECT_EQ(messages.texts(),
              (QStringList{"Row_no", "Reg_No", "Pat_name", "Age", "Consul", "Prin_Diag", "F_up_Instru"}));
    for (const auto& m : messages.shown())
        EXPECT_EQ(m.style, ui::vbOKOnly);
    EXPECT_EQ(field(1, "Ser_No").toString(), QStringLiteral("DIS-1"));
    EXPECT_EQ(field(1, "Pat_name").toString(), QStringLiteral("Kamran")); // nothing is upper-cased
    EXPECT_EQ(field(1, "Age").toInt(), 45);
    EXPECT_EQ(field(1, "Consul").toInt(), 1);
    EXPECT_EQ(field(1, "Sex").toString(), QStringLiteral("Male"));
    EXPECT_EQ(field(1, "Issu_date").toDate(), Now.date());
    EXPECT_TRUE(field(1, "Issu_time").isNull()); // nothing typed in the issue time
    EXPECT_TRUE(field(1, "Investi").isNull());

    messages.clear();
    enter(w, QStringLiteral("Naveed"), QStringLiteral("R-2"));
    EXPECT_EQ(messages.texts(), (QStringList{"Row_no", "Reg_No", "Pat_name", "Consul"}));
    EXPECT_EQ(field(2, "Ser_No").toString(), QStringLiteral("DIS-2"));

    // A time that is no time of day is refused, and nothing is asked or written.
    u->msk_issu_time->setText(QStringLiteral("12:75:00"));
    messages.clear();
    enter(w, QStringLiteral("Omer"), QStringLiteral("R-3"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("Issu Time \"12:75:00\"")));
    EXPECT_EQ(count(QStringLiteral("Discharge_Certificate")), 2);
}

TEST_P(DischargeCertificateTest, AGridPickLoadsEverythingStoredAndSavingAgainChangesNothing) {
    auto& w = open();
    auto* u = w.ui();
    u->cmb_sex->setCurrentText(QStringLiteral("Female"));
    u->txt_age->setText(QStringLiteral("30"));
    u->DTPicker1->setDate(QDate(2026, 11, 28));
    u->DTPicker2->setDate(QDate(2026, 12, 4));
    u->msk_issu_time->setText(QStringLiteral("14:30:15"));
    u->txt_ass_diagno->setText(QStringLiteral("ANAEMIA"));
    u->txt_con_discharge->setText(QStringLiteral("Stable"));
    u->txt_operat_note->setText(QStringLiteral("C-section"));
    u->txt_med_discharge->setText(QStringLiteral("Iron"));
    u->txt_investi->setText(QStringLiteral("CBC"));
    u->txt_med_given->setText(QStringLiteral("Antibiotics"));
    enter(w, QStringLiteral("Sana O'Brien"), QStringLiteral("R-9"), QStringLiteral("DR BANO"));
    const QStringList stored = rowOf(QStringLiteral("Discharge_Certificate"), QStringLiteral("Row_no"), 1);
    ASSERT_FALSE(stored.isEmpty());

    // The listing shows the issue time on the 12-hour clock, the search as stored.
    EXPECT_EQ(w.Msh->TextMatrix(1, 17), QStringLiteral(" 2:30PM"));
    EXPECT_EQ(w.Msh->TextMatrix(1, 7), QStringLiteral("DR BANO"));
    u->txt_s_val->setText(QStringLiteral("DIS-1"));
    EXPECT_EQ(w.Msh->TextMatrix(1, 17), QStringLiteral("14:30:15"));
    EXPECT_EQ(w.Msh->Cols(), 18);

    u->cmb_sex->setCurrentText(QStringLiteral("Male"));
    u->DTPicker1->setDate(Now.date());
    u->DTPicker2->setDate(Now.date());
    u->msk_issu_time->clear();
    pick(w, QStringLiteral("Sana O'Brien"));
    EXPECT_EQ(u->SSTab1->currentIndex(), 0);
    EXPECT_EQ(u->txt_ser_no->text(), QStringLiteral("DIS-1"));
    EXPECT_EQ(u->cmb_sex->currentText(), QStringLiteral("Female"));
    EXPECT_EQ(u->DTPicker1->date(), QDate(2026, 11, 28));
    EXPECT_EQ(u->DTPicker2->date(), QDate(2026, 12, 4));
    EXPECT_EQ(u->msk_issu_time->text(), QStringLiteral("14:30:15"));
    EXPECT_EQ(u->txt_Consultant->text(), QStringLiteral("DR BANO"));
    EXPECT_EQ(u->txt_consul_code->text(), QStringLiteral("2"));

    w.cmdSave_Click();
    EXPECT_EQ(rowOf(QStringLiteral("Discharge_Certificate"), QStringLiteral("Row_no"), 1), stored);
    EXPECT_EQ(count(QStringLiteral("Discharge_Certificate")), 1);
}

TEST_P(DischargeCertificateTest, AStalePickLeavesTheConsultantAndAFreshPickReplacesIt) {
    auto& w = open();
    enter(w, QStringLiteral("Kamran"), QStringLiteral("R-1"));
    pick(w, QStringLiteral("Kamran"));
    Module1::SelDocId = 3;
    Module1::SelDocName = QStringLiteral("DR CHAUDHRY");
    Module1::DocPickFor = QStringLiteral("C");
    leaveAndComeBack(w);
    EXPECT_EQ(w.ui()->txt_Consultant->text(), QStringLiteral("DR ALI"));
    messages.clear();
    w.cmdSave_Click();
    EXPECT_EQ(field(1, "Consul").toInt(), 1);

    pick(w, QStringLiteral("Kamran"));
    pickDoctor(w, w.ui()->cmd_find_con, QStringLiteral("DR CHAUDHRY"));
    EXPECT_EQ(w.ui()->txt_Consultant->text(), QStringLiteral("DR CHAUDHRY"));
    w.cmdSave_Click();
    EXPECT_EQ(field(1, "Consul").toInt(), 3);
}

TEST_P(DischargeCertificateTest, DeleteTakesEffectAtOnceWithoutAQuestion) {
    auto& w = open();
    enter(w, QStringLiteral("Kamran"), QStringLiteral("R-1"));
    pick(w, QStringLiteral("Kamran"));
    messages.clear();
    w.cmdDelete_Click();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(count(QStringLiteral("Discharge_Certificate")), 0);
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_pat_name->text().isEmpty());

    // The print button does nothing: there is no such report.
    messages.clear();
    w.ui()->cmdPrint->click();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(ui::Forms::loaded<frmViewer>(), nullptr);

    // Nor does the cancel button: what is typed or loaded stays.
    enter(w, QStringLiteral("Kamran"), QStringLiteral("R-2"));
    pick(w, QStringLiteral("Kamran"));
    w.ui()->txt_age->setText(QStringLiteral("41"));
    messages.clear();
    w.ui()->cmdCancel->click();
    EXPECT_EQ(w.ui()->txt_Row_No->text(), QStringLiteral("1"));
    EXPECT_EQ(w.ui()->txt_pat_name->text(), QStringLiteral("Kamran"));
    EXPECT_EQ(w.ui()->txt_age->text(), QStringLiteral("41"));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

TEST_P(DischargeCertificateTest, EachCriterionListsInPatientNameOrder) {
    auto& w = open();
    auto* u = w.ui();
    u->DTPicker2->setDate(QDate(2026, 12, 1));
    enter(w, QStringLiteral("Zafar"), QStringLiteral("R-10"));
    enter(w, QStringLiteral("Asim"), QStringLiteral("R-2"));
    u->DTPicker2->setDate(QDate(2026, 12, 2));
    enter(w, QStringLiteral("Bilal"), QStringLiteral("R-11"));
    EXPECT_EQ(column(w, 4), (QStringList{"Asim", "Bilal", "Zafar"}));

    u->SSTab1->setCurrentIndex(1);
    u->txt_s_val->setText(QStringLiteral("DIS-"));
    EXPECT_EQ(column(w, 4), (QStringList{"Asim", "Bilal", "Zafar"}));
    u->txt_s_val->setText(QStringLiteral("dis-3"));
    EXPECT_EQ(column(w, 4), QStringList{"Bilal"});
    u->cmb_s_cri->setCurrentText(QStringLiteral("Reg No"));
    u->txt_s_val->setText(QStringLiteral("R-1"));
    EXPECT_EQ(column(w, 4), (QStringList{"Bilal", "Zafar"}));
    u->cmb_s_cri->setCurrentText(QStringLiteral("Issu Date"));
    u->txt_s_val->setText(QStringLiteral("01/12/2026"));
    EXPECT_EQ(column(w, 4), (QStringList{"Asim", "Zafar"}));
    u->txt_s_val->setText(QStringLiteral("'"));
    EXPECT_EQ(w.Msh->Rows(), 1);
    u->cmdshowall->click();
    EXPECT_EQ(w.Msh->Rows(), 4);
}

TEST_P(DischargeCertificateTest, EnterMovesOnAndTheAgeTakesDigitsOnly) {
    auto& w = open();
    auto* u = w.ui();
    QApplication::setActiveWindow(main);
    u->txt_age->setFocus();
    QTest::keyClicks(u->txt_age, QStringLiteral("4 x2"));
    EXPECT_EQ(u->txt_age->text(), QStringLiteral("42"));
    u->txt_follow_instru->setFocus();
    QTest::keyClick(u->txt_follow_instru, Qt::Key_Return);
    EXPECT_TRUE(u->txt_reg_no->hasFocus());
}

WB_ENGINES(DischargeCertificateTest);

} // namespace
