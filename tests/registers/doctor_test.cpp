#include "common/picker.h"
#include "registers/frm_Doc_Infor.h"
#include "shell/MDIForm1.h"
#include "shell/module1.h"
#include "support/printed.h"
#include "support/registertest.h"
#include "ui/flexgrid.h"
#include "ui_frm_Doc_Infor.h"

#include <QApplication>
#include <QMdiArea>
#include <QTest>

using namespace wb;

namespace {

// A screen that borrows the doctor register as its pick list and takes the doctor when it becomes
// active again, as the slip and admission screens do.
class DoctorTaker : public ui::Form {
public:
    void Form_Activate() override {
        if (Module1::SelDocId > 0) {
            takenId = Module1::SelDocId;
            takenName = Module1::SelDocName;
            takenStatus = Module1::PickedPanelStatus;
            Module1::SelDocId = 0;
        }
    }
    void find(const QString& box) {
        common::openPicker<frm_Doc_Infor>({.unloadFirst = true, .top = 300, .left = 500, .docPickFor = box});
    }
    long takenId = 0;
    QString takenName, takenStatus;
};

struct Doctor {
    QString name, desig, tel, degree, clinic, address, visit, location;
    QString routine, special, ultrasound, xray, ecg;
};

class DoctorRegisterTest : public wbtest::RegisterTest {
protected:
    frm_Doc_Infor& open() { return wbtest::openFromMenu<frm_Doc_Infor>("mun_Doc_Reg"); }
    static void fill(frm_Doc_Infor& w, const Doctor& d) {
        auto* u = w.ui();
        u->txt_Name->setText(d.name);
        u->txt_Desig->setText(d.desig);
        u->txt_Tel->setText(d.tel);
        u->txt_Deg->setText(d.degree);
        u->txt_Clinic->setText(d.clinic);
        u->txt_Add->setText(d.address);
        u->txt_Visit->setText(d.visit);
        u->txt_Loca->setText(d.location);
        u->txt_R_per->setText(d.routine);
        u->txt_S_per->setText(d.special);
        u->txt_U_per->setText(d.ultrasound);
        u->txt_X_per->setText(d.xray);
        u->txt_Ecg_per->setText(d.ecg);
    }
    static void saveDoctor(frm_Doc_Infor& w, const Doctor& d) {
        w.ui()->OptDoc->setChecked(true);
        fill(w, d);
        w.cmdSave_Click();
    }
    static void savePanel(frm_Doc_Infor& w, const QString& name) {
        w.ui()->OptPanel->setChecked(true);
        w.ui()->txt_Name->setText(name);
        w.cmdSave_Click();
    }
    static QVariant value(const QString& sql) { return Module1::Con->scalar(sql); }
    // Makes another child window active, then the doctor register again.
    void leaveAndComeBack(frm_Doc_Infor& w, ui::Form& other) {
        main->area()->setActiveSubWindow(other.subWindow());
        main->area()->setActiveSubWindow(w.subWindow());
    }
};

TEST_P(DoctorRegisterTest, OpensFromTheMenuFreshPlacedAndListingDoctorsOnly) {
    auto& seed = open();
    saveDoctor(seed, {.name = QStringLiteral("DR ONE")});
    savePanel(seed, QStringLiteral("PANEL ONE"));

    auto& w = open(); // unload first: a fresh window
    EXPECT_NE(&w, &seed);
    EXPECT_NEAR(w.topTw(), 400, 15);
    EXPECT_NEAR(w.leftTw(), 2800, 15);
    EXPECT_TRUE(w.ui()->OptDoc->isChecked()); // chosen by the first activation
    EXPECT_FALSE(w.ui()->OptPanel->isChecked());
    EXPECT_EQ(w.SSTab1->tabText(0), QStringLiteral("Doctor Infromation"));
    EXPECT_EQ(w.SSTab1->tabText(1), QStringLiteral(" SEARCH"));
    EXPECT_EQ(w.ui()->LBLDoctor->text(), QStringLiteral("Doctor Name"));
    ASSERT_EQ(w.ui()->cmb_s_cri->count(), 6);
    EXPECT_EQ(w.ui()->cmb_s_cri->itemText(5), QStringLiteral("Panel"));
    EXPECT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("Doctor Name"));
    EXPECT_EQ(column(w, 2), QStringList{"DR ONE"}); // no panel doctors on opening
    EXPECT_FALSE(w.ui()->txt_Row_No->isVisibleTo(&w));
    EXPECT_FALSE(w.ui()->txt_Code->isVisibleTo(&w));

    w.ui()->txt_Name->setText(QStringLiteral("TYPED"));
    EXPECT_TRUE(open().ui()->txt_Name->text().isEmpty());
}

TEST_P(DoctorRegisterTest, SavesDoctorsAndPanelDoctorsWithKeysCodesStatusAndNulls) {
    auto& w = open();
    saveDoctor(w, {.name = QStringLiteral("DR O'NEIL"),
                   .desig = QStringLiteral("SURGEON"),
                   .tel = QStringLiteral("0300-1"),
                   .clinic = QStringLiteral("CITY"),
                   .routine = QStringLiteral("10"),
                   .ecg = QStringLiteral("100")});
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_Name->text().isEmpty());
    EXPECT_TRUE(w.ui()->txt_R_per->text().isEmpty());

    Module1::OpenRs(QStringLiteral("select * from doc"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 1);
    auto& rs = *Module1::Rs;
    EXPECT_EQ(rs.Fields(QStringLiteral("Row_no")).toInt(), 1);
    EXPECT_EQ(rs.text(QStringLiteral("doc_code")), QStringLiteral("DOC-1"));
    EXPECT_EQ(rs.text(QStringLiteral("doc_name")), QStringLiteral("DR O'NEIL"));
    EXPECT_EQ(rs.text(QStringLiteral("Status")), QStringLiteral("Doctor"));
    EXPECT_EQ(rs.Fields(QStringLiteral("roun_per")).toInt(), 10);
    EXPECT_EQ(rs.Fields(QStringLiteral("ecg_per")).toInt(), 100);
    EXPECT_TRUE(rs.Fields(QStringLiteral("spec_per")).isNull());
    EXPECT_TRUE(rs.Fields(QStringLiteral("doc_degree")).isNull());

    // Saved while Panels is chosen: a panel doctor; hidden boxes keep what they held and are written.
    w.ui()->OptPanel->setChecked(true);
    w.ui()->txt_Clinic->setText(QStringLiteral("LEFT OVER"));
    w.ui()->txt_Name->setText(QStringLiteral("STATE LIFE"));
    w.cmdSave_Click();
    EXPECT_EQ(value(QStringLiteral("select Status from doc where Row_no = 2")).toString(),
              QStringLiteral("Panel"));
    EXPECT_EQ(value(QStringLiteral("select doc_code from doc where Row_no = 2")).toString(),
              QStringLiteral("DOC-2"));
    EXPECT_EQ(value(QStringLiteral("select doc_clinic from doc where Row_no = 2")).toString(),
              QStringLiteral("LEFT OVER"));

    // After the save the grid lists both kinds with the doctor columns, laid out for them even though
    // the criterion still reads "Panel".
    EXPECT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("Panel"));
    EXPECT_FALSE(w.gridHoldsPanels());
    EXPECT_EQ(w.Msh->Cols(), 16);
    EXPECT_EQ(column(w, 1), (QStringList{"DOC-2", "DOC-1"}));
    EXPECT_EQ(w.Msh->TextMatrix(0, 2), QStringLiteral("Doctor Name"));
    EXPECT_EQ(w.Msh->TextMatrix(0, 15), QStringLiteral("Status"));
    EXPECT_TRUE(w.Msh->isColumnHidden(1));
    EXPECT_EQ(w.Msh->TextMatrix(rowOf(w, 2, QStringLiteral("DR O'NEIL")), 10), QStringLiteral("10%"));
    EXPECT_EQ(w.Msh->TextMatrix(rowOf(w, 2, QStringLiteral("DR O'NEIL")), 11), QString());

    // A pick from this mixed list hands back the name and the row's own status.
    w.Msh->setRow(rowOf(w, 2, QStringLiteral("STATE LIFE")));
    w.Msh_DblClick();
    EXPECT_EQ(Module1::SelDocId, 2);
    EXPECT_EQ(Module1::SelDocName, QStringLiteral("STATE LIFE"));
    EXPECT_EQ(Module1::PickedPanelStatus, QStringLiteral("Panel"));

    // Editing overwrites the row and writes the code again.
    Module1::Con->Execute(QStringLiteral("update doc set doc_code = 'OLD' where Row_no = 2"));
    w.ui()->txt_Name->setText(QStringLiteral("STATE LIFE 2"));
    w.cmdSave_Click();
    EXPECT_EQ(value(QStringLiteral("select count(*) from doc")).toInt(), 2);
    EXPECT_EQ(value(QStringLiteral("select doc_code from doc where Row_no = 2")).toString(),
              QStringLiteral("DOC-2"));
    EXPECT_EQ(value(QStringLiteral("select doc_name from doc where Row_no = 2")).toString(),
              QStringLiteral("STATE LIFE 2"));
    EXPECT_EQ(value(QStringLiteral("select Status from doc where Row_no = 2")).toString(),
              QStringLiteral("Panel"));
}

TEST_P(DoctorRegisterTest, AnEmptyNameStopsTheSaveInThePanelLayoutToo) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    w.ui()->OptPanel->setChecked(true);
    w.SSTab1->setCurrentIndex(0);
    w.ui()->txt_Tel->setText(QStringLiteral("123")); // a hidden box keeps what it holds
    w.cmdSave_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("please enter Doctor Name"));
    EXPECT_TRUE(w.ui()->txt_Name->hasFocus());
    EXPECT_EQ(w.ui()->txt_Tel->text(), QStringLiteral("123"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from doc")).toInt(), 0);
}

TEST_P(DoctorRegisterTest, TheOptionsSwitchBoxesCaptionsCriterionAndGrid) {
    auto& w = open();
    saveDoctor(w, {.name = QStringLiteral("DR A")});
    savePanel(w, QStringLiteral("PANEL A"));
    w.ui()->OptDoc->setChecked(true);
    const auto doctorOnly = [&] {
        auto* u = w.ui();
        return QList<QWidget*>{u->txt_Desig, u->txt_Tel,     u->txt_Deg,   u->txt_Clinic, u->txt_Add,
                               u->txt_Visit, u->txt_Loca,    u->txt_R_per, u->txt_S_per,  u->txt_U_per,
                               u->txt_X_per, u->txt_Ecg_per, u->Label3,    u->Label9,     u->Label17,
                               u->Label24,   u->Label10,     u->Label14};
    };

    w.SSTab1->setCurrentIndex(0);
    w.ui()->txt_Desig->setText(QStringLiteral("KEPT"));
    w.ui()->OptPanel->setChecked(true);
    for (QWidget* b : doctorOnly())
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
    EXPECT_TRUE(w.ui()->txt_Name->isVisibleTo(&w));
    EXPECT_EQ(w.ui()->LBLDoctor->text(), QStringLiteral("Panel"));
    EXPECT_EQ(w.SSTab1->tabText(0), QStringLiteral("Panel Infromation"));
    EXPECT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("Panel"));
    EXPECT_EQ(w.ui()->txt_Desig->text(), QStringLiteral("KEPT")); // nothing cleared
    // The panel grid: hidden key, "Panel", status.
    EXPECT_TRUE(w.gridHoldsPanels());
    ASSERT_EQ(w.Msh->Cols(), 3);
    EXPECT_TRUE(w.Msh->isColumnHidden(0));
    EXPECT_EQ(w.Msh->TextMatrix(0, 1), QStringLiteral("Panel"));
    EXPECT_EQ(column(w, 1), QStringList{"PANEL A"});
    EXPECT_EQ(column(w, 2), QStringList{"Panel"});

    // Switching on the search page leaves the entry tab's caption alone.
    w.SSTab1->setCurrentIndex(1);
    w.ui()->OptDoc->setChecked(true);
    EXPECT_EQ(w.SSTab1->tabText(0), QStringLiteral("Panel Infromation"));
    for (QWidget* b : doctorOnly())
        EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
    EXPECT_EQ(w.ui()->LBLDoctor->text(), QStringLiteral("Doctor Name"));
    EXPECT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("Doctor Name"));
    EXPECT_FALSE(w.gridHoldsPanels());
    EXPECT_EQ(column(w, 2), QStringList{"DR A"});

    // "Panel" cannot be chosen while Doctors is: the criterion snaps back and lists doctors.
    w.ui()->cmb_s_cri->setCurrentIndex(5);
    EXPECT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("Doctor Name"));
    EXPECT_EQ(column(w, 2), QStringList{"DR A"});
}

TEST_P(DoctorRegisterTest, EveryCriterionSearchesItsColumnAmongDoctorsOnly) {
    auto& w = open();
    for (int i = 1; i <= 10; ++i)
        saveDoctor(w, {.name = QStringLiteral("DOCTOR %1").arg(i)});
    saveDoctor(w, {.name = QStringLiteral("AHMAD"),
                   .desig = QStringLiteral("50% SURGEON"),
                   .tel = QStringLiteral("0300-77"),
                   .clinic = QStringLiteral("HEART CARE"),
                   .location = QStringLiteral("BLOCK B")});
    savePanel(w, QStringLiteral("AHMAD PANEL"));
    savePanel(w, QStringLiteral("WAPDA"));

    w.ui()->OptDoc->setChecked(true);
    w.SSTab1->setCurrentIndex(1);
    w.ui()->cmb_s_cri->setCurrentIndex(0); // Doctor Name
    w.ui()->txt_s_value->clear();
    // Descending text order of the code: DOC-9 before DOC-11 before DOC-1.
    EXPECT_EQ(column(w, 1).mid(0, 3), (QStringList{"DOC-9", "DOC-8", "DOC-7"}));
    EXPECT_EQ(column(w, 1).last(), QStringLiteral("DOC-1"));
    EXPECT_FALSE(column(w, 15).contains(QStringLiteral("Panel")));

    QTest::keyClicks(w.ui()->txt_s_value, QStringLiteral("doctor 1"));
    EXPECT_EQ(w.ui()->txt_s_value->text(), QStringLiteral("DOCTOR 1"));
    EXPECT_EQ(column(w, 2), (QStringList{"DOCTOR 10", "DOCTOR 1"}));
    w.ui()->txt_s_value->setText(QStringLiteral("ahmad"));
    EXPECT_EQ(column(w, 2), QStringList{"AHMAD"}); // case-insensitive; the panel doctor is left out

    const struct {
        int index;
        QString text;
    } cases[] = {{1, QStringLiteral("%")}, // Designation: a percent sign is searched as typed
                 {2, QStringLiteral("care")},
                 {3, QStringLiteral("BLOCK")},
                 {4, QStringLiteral("-77")}};
    for (const auto& c : cases) {
        w.ui()->cmb_s_cri->setCurrentIndex(c.index);
        w.ui()->txt_s_value->setText(c.text);
        EXPECT_EQ(column(w, 2), QStringList{"AHMAD"}) << w.ui()->cmb_s_cri->currentText().toStdString();
    }
    w.ui()->txt_s_value->setText(QStringLiteral("O'BRIEN"));
    EXPECT_EQ(w.Msh->Rows(), 2); // a quote finds nothing and breaks nothing
    EXPECT_TRUE(w.Msh->TextMatrix(1, 0).isEmpty());
    w.Msh->setRow(1);
    w.Msh_DblClick(); // the empty row picks nothing
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_EQ(w.SSTab1->currentIndex(), 1);

    w.ui()->OptPanel->setChecked(true);
    w.SSTab1->setCurrentIndex(1);
    w.ui()->txt_s_value->clear();
    EXPECT_EQ(column(w, 1), (QStringList{"WAPDA", "AHMAD PANEL"}));
    w.ui()->txt_s_value->setText(QStringLiteral("ahm"));
    EXPECT_EQ(column(w, 1), QStringList{"AHMAD PANEL"});
}

TEST_P(DoctorRegisterTest, APickHandsBackTheRightValuesForEachRole) {
    auto& w = open();
    saveDoctor(w, {.name = QStringLiteral("DR KHAN"), .desig = QStringLiteral("PHYSICIAN")});
    savePanel(w, QStringLiteral("PTCL"));
    w.unload();

    // Borrowed as a pick list: a double-click on a doctor hands it back and closes the register.
    DoctorTaker taker;
    taker.Show();
    taker.find(QStringLiteral("C"));
    auto* reg = ui::Forms::loaded<frm_Doc_Infor>();
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->SSTab1->currentIndex(), 1);
    EXPECT_EQ(Module1::DocPickFor, QStringLiteral("C"));
    reg->Msh->setRow(1);
    QTest::mouseDClick(reg->Msh->viewport(), Qt::LeftButton, {},
                       reg->Msh->visualRect(reg->Msh->model()->index(0, 2)).center());
    EXPECT_EQ(ui::Forms::loaded<frm_Doc_Infor>(), nullptr);
    EXPECT_FALSE(Module1::PickMode);
    QCoreApplication::processEvents();
    main->area()->setActiveSubWindow(taker.subWindow());
    EXPECT_EQ(taker.takenId, 1);
    EXPECT_EQ(taker.takenName, QStringLiteral("DR KHAN"));
    EXPECT_EQ(taker.takenStatus, QStringLiteral("Doctor"));

    // A panel doctor, picked with Enter in the panel layout.
    taker.find(QStringLiteral("R"));
    reg = ui::Forms::loaded<frm_Doc_Infor>();
    ASSERT_NE(reg, nullptr);
    reg->ui()->OptPanel->setChecked(true);
    reg->Msh->setRow(1);
    reg->Msh->setFocus();
    QTest::keyClick(reg->Msh, Qt::Key_Return);
    EXPECT_EQ(ui::Forms::loaded<frm_Doc_Infor>(), nullptr);
    main->area()->setActiveSubWindow(taker.subWindow());
    EXPECT_EQ(taker.takenId, 2);
    EXPECT_EQ(taker.takenName, QStringLiteral("PTCL"));
    EXPECT_EQ(taker.takenStatus, QStringLiteral("Panel"));

    // With Panels chosen but the doctor criterion, the grid holds doctors and the pick reads them.
    taker.find(QStringLiteral("D"));
    reg = ui::Forms::loaded<frm_Doc_Infor>();
    reg->ui()->OptPanel->setChecked(true);
    reg->ui()->cmb_s_cri->setCurrentIndex(0);
    reg->Msh->setRow(1);
    reg->Msh_DblClick();
    EXPECT_EQ(Module1::SelDocName, QStringLiteral("DR KHAN"));
    EXPECT_EQ(Module1::PickedPanelStatus, QStringLiteral("Doctor"));

    // Opened from the menu, a pick loads the row for editing and follows its status.
    auto& editing = open();
    QApplication::setActiveWindow(main);
    editing.ui()->OptPanel->setChecked(true);
    editing.Msh->setRow(1);
    editing.Msh_DblClick();
    ASSERT_EQ(ui::Forms::loaded<frm_Doc_Infor>(), &editing);
    EXPECT_EQ(Module1::SelDocId, 2);
    EXPECT_EQ(editing.SSTab1->currentIndex(), 0);
    EXPECT_TRUE(editing.ui()->OptPanel->isChecked());
    EXPECT_EQ(editing.ui()->txt_Name->text(), QStringLiteral("PTCL"));
    EXPECT_TRUE(editing.ui()->txt_Name->hasFocus());
    editing.ui()->OptDoc->setChecked(true);
    editing.cmdCancel_Click();
    EXPECT_TRUE(editing.ui()->OptDoc->isChecked()); // cancel keeps the option
    editing.Msh->setRow(1);
    editing.Msh_DblClick();
    EXPECT_EQ(editing.ui()->txt_Name->text(), QStringLiteral("DR KHAN"));
    EXPECT_EQ(editing.ui()->txt_Desig->text(), QStringLiteral("PHYSICIAN"));
    EXPECT_TRUE(editing.ui()->OptDoc->isChecked());
    EXPECT_TRUE(editing.ui()->txt_Desig->isVisibleTo(&editing));
    taker.close();
}

TEST_P(DoctorRegisterTest, ComingBackToTheWindowKeepsALoadedPanelDoctorAPanelDoctor) {
    auto& w = open();
    savePanel(w, QStringLiteral("EFU"));
    DoctorTaker other;
    other.Show();

    w.ui()->OptPanel->setChecked(true);
    w.Msh->setRow(1);
    w.Msh_DblClick();
    ASSERT_EQ(w.ui()->txt_Name->text(), QStringLiteral("EFU"));
    leaveAndComeBack(w, other);
    EXPECT_TRUE(w.ui()->OptPanel->isChecked());
    w.ui()->txt_Name->setText(QStringLiteral("EFU LIFE"));
    w.cmdSave_Click();
    EXPECT_EQ(value(QStringLiteral("select Status from doc where Row_no = 1")).toString(),
              QStringLiteral("Panel"));

    // A new panel doctor being typed keeps its role too.
    w.ui()->OptPanel->setChecked(true);
    w.ui()->txt_Name->setText(QStringLiteral("NEW PANEL"));
    leaveAndComeBack(w, other);
    w.cmdSave_Click();
    EXPECT_EQ(value(QStringLiteral("select Status from doc where Row_no = 2")).toString(),
              QStringLiteral("Panel"));

    // With an empty entry page the window comes back in the doctor layout.
    EXPECT_TRUE(w.ui()->OptPanel->isChecked());
    leaveAndComeBack(w, other);
    EXPECT_TRUE(w.ui()->OptDoc->isChecked());
    EXPECT_EQ(w.ui()->cmb_s_cri->currentText(), QStringLiteral("Doctor Name"));
    other.close();
}

TEST_P(DoctorRegisterTest, ExitHidesInPickModeAndEveryUnloadEndsPickMode) {
    DoctorTaker taker;
    taker.Show();
    taker.find(QStringLiteral("C"));
    auto* reg = ui::Forms::loaded<frm_Doc_Infor>();
    ASSERT_NE(reg, nullptr);
    reg->ui()->txt_s_value->setText(QStringLiteral("KEPT"));
    reg->cmdExit_Click();
    EXPECT_EQ(ui::Forms::loaded<frm_Doc_Infor>(), reg); // only hidden
    EXPECT_FALSE(reg->frame()->isVisible());
    EXPECT_TRUE(Module1::PickMode);
    EXPECT_EQ(reg->ui()->txt_s_value->text(), QStringLiteral("KEPT"));

    // Shown again unchanged (the admission screens' way), then closed by its close box.
    common::openPicker<frm_Doc_Infor>({.top = 300, .left = 500, .docPickFor = QStringLiteral("D")});
    EXPECT_EQ(ui::Forms::loaded<frm_Doc_Infor>(), reg);
    EXPECT_TRUE(reg->frame()->isVisible());
    EXPECT_EQ(reg->ui()->txt_s_value->text(), QStringLiteral("KEPT"));
    reg->frame()->close();
    EXPECT_EQ(ui::Forms::loaded<frm_Doc_Infor>(), nullptr);
    EXPECT_FALSE(Module1::PickMode);
    taker.close();
}

TEST_P(DoctorRegisterTest, KeysFilterAndLengthsFollowTheColumns) {
    auto& w = open();
    QApplication::setActiveWindow(main);
    auto* u = w.ui();
    w.SSTab1->setCurrentIndex(0);

    QTest::keyClicks(u->txt_Name, QStringLiteral("dr o'neil"));
    EXPECT_EQ(u->txt_Name->text(), QStringLiteral("DR O'NEIL"));
    QTest::keyClicks(u->txt_Desig, QStringLiteral("head's"));
    EXPECT_EQ(u->txt_Desig->text(), QStringLiteral("HEADS"));
    QTest::keyClicks(u->txt_R_per, QStringLiteral("1 2.a34"));
    EXPECT_EQ(u->txt_R_per->text(), QStringLiteral("123")); // digits only, at most three
    QTest::keyClick(u->txt_R_per, Qt::Key_Backspace);
    EXPECT_EQ(u->txt_R_per->text(), QStringLiteral("12"));
    for (QLineEdit* b : {u->txt_R_per, u->txt_S_per, u->txt_U_per, u->txt_X_per, u->txt_Ecg_per})
        EXPECT_EQ(b->maxLength(), 3) << b->objectName().toStdString();
    EXPECT_EQ(u->txt_Name->maxLength(), 60);
    EXPECT_EQ(u->txt_Add->maxLength(), 150);

    // Enter moves on in tab order, from the last percentage to the save button.
    u->txt_Name->setFocus();
    QTest::keyClick(u->txt_Name, Qt::Key_Return);
    EXPECT_TRUE(u->txt_Desig->hasFocus());
    u->txt_Ecg_per->setFocus();
    QTest::keyClick(u->txt_Ecg_per, Qt::Key_Return);
    EXPECT_TRUE(u->cmdSave->hasFocus());
    EXPECT_EQ(value(QStringLiteral("select count(*) from doc")).toInt(), 0);

    // Up or Down in the search box moves to the grid.
    w.SSTab1->setCurrentIndex(1);
    u->txt_s_value->setFocus();
    QTest::keyClick(u->txt_s_value, Qt::Key_Down);
    EXPECT_TRUE(w.Msh->hasFocus());
    u->txt_s_value->setFocus();
    QTest::keyClick(u->txt_s_value, Qt::Key_Up);
    EXPECT_TRUE(w.Msh->hasFocus());
}

TEST_P(DoctorRegisterTest, ADeleteListsDoctorsAndPanelDoctorsAgain) {
    auto& w = open();
    saveDoctor(w, {.name = QStringLiteral("DR GONE")});
    savePanel(w, QStringLiteral("PANEL STAYS"));
    w.ui()->OptDoc->setChecked(true);
    w.Msh->setRow(1);
    w.Msh_DblClick();
    messages.answer(ui::vbYes);
    w.cmdDelete_Click();
    EXPECT_EQ(value(QStringLiteral("select count(*) from doc")).toInt(), 1);
    EXPECT_TRUE(w.ui()->txt_Row_No->text().isEmpty());
    EXPECT_EQ(column(w, 2), QStringList{"PANEL STAYS"});
    EXPECT_FALSE(w.gridHoldsPanels());
}

WB_ENGINES(DoctorRegisterTest);

} // namespace

namespace {

TEST_P(DoctorRegisterTest, PrintsTheLoadedDoctorOrEveryDoctor) {
    auto& w = open();
    saveDoctor(w, {.name = QStringLiteral("DR FIRST"), .desig = QStringLiteral("SURGEON")});
    saveDoctor(w, {.name = QStringLiteral("DR SECOND"), .desig = QStringLiteral("PHYSICIAN")});
    w.cmdPrint_Click();
    QString text = wbtest::printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("DR FIRST"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("DR SECOND")));

    w.Msh->setRow(rowOf(w, 2, QStringLiteral("DR SECOND")));
    w.Msh_DblClick();
    w.cmdPrint_Click();
    text = wbtest::printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("DR SECOND"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("DR FIRST")));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join('|').toStdString();
}

} // namespace
