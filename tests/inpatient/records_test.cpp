// What the three screens that write admission rows store, whichever of them writes: registration
// numbers by one rule, a row saved again unchanged, doctors only as picked.
#include "data/dberror.h"
#include "inpatient/frm_Addmission.h"
#include "inpatient/frm_Observation.h"
#include "inpatient/frm_Operation.h"
#include "inpatienttest.h"
#include "ui/flexgrid.h"
#include "ui_frm_Addmission.h"
#include "ui_frm_Observation.h"

#include <QApplication>
#include <QTest>
#include <functional>

using namespace wb;

namespace {

class InpatientRecordsTest : public wbtest::InpatientTest {
protected:
    void seedPatients() override {
        run(QStringLiteral(
            "insert into Patient_Slips (Row_no, Code_no, Pat_name, Fat_name, Sex, Tel_no, Addr) "
            "values (1, 'PAT-1', 'ZARA KHAN', 'ALI KHAN', 'F', '0300-1', 'HOUSE 1')"));
    }

    // One of the three screens, opened as the user opens it, with what the tests do on it.
    struct Screen {
        const char* name;
        std::function<QWidget*()> open;
        std::function<void(long patient, const QString& regNo)> fill;
        std::function<void()> save;
        std::function<void(const QString& regNo)> pick; // opens the row from the screen's grid
        std::function<QList<QLineEdit*>()> doctorNames;
    };

    template <class W> static void pickRow(W& w, const QString& regNo) {
        w.FillGird();
        const int row = rowOf(w, 2, regNo);
        ASSERT_GT(row, 0) << regNo.toStdString();
        w.Msh->setRow(row);
        w.Msh_DblClick();
    }

    template <class W> static Screen observationLike(const char* name, std::function<W&()> get) {
        return {name,
                [get] { return &get(); },
                [get](long patient, const QString& regNo) {
                    W& w = get();
                    pickPatient(w, patient);
                    pickDoctor(w, QStringLiteral("C"), 1);
                    pickDoctor(w, QStringLiteral("D"), 2);
                    pickDoctor(w, QStringLiteral("R"), 3);
                    w.ui()->txt_reg_no->setText(regNo);
                    w.ui()->Text1->setText(QStringLiteral("ROOM 7"));
                },
                [get] { get().cmdSave_Click(); },
                [get](const QString& regNo) {
                    W& w = get();
                    w.ui()->cmb_s_cri->setCurrentText(QStringLiteral("Date"));
                    pickRow(w, regNo);
                },
                [get] {
                    auto* u = get().ui();
                    return QList<QLineEdit*>{u->txt_Consultant, u->txt_duty_doc, u->txt_reff_doc};
                }};
    }

    static QList<Screen> screens() {
        const auto admission = []() -> frm_Addmission& {
            return wbtest::openFromMenu<frm_Addmission>("mnu_add");
        };
        Screen adm{"admission",
                   [admission] { return &admission(); },
                   [admission](long patient, const QString& regNo) {
                       auto& w = admission();
                       pickPatient(w, patient);
                       pickDoctor(w, QStringLiteral("C"), 1);
                       pickDoctor(w, QStringLiteral("D"), 2);
                       pickDoctor(w, QStringLiteral("R"), 3);
                       w.ui()->txt_reg_no->setText(regNo);
                       w.ui()->txt_room_no->setText(QStringLiteral("ROOM 7"));
                       w.ui()->txt_age->setText(QStringLiteral("30"));
                   },
                   [admission] { admission().cmdSave_Click(); },
                   [admission](const QString& regNo) { pickRow(admission(), regNo); },
                   [admission] {
                       auto* u = admission().ui();
                       return QList<QLineEdit*>{u->txt_Consultant, u->txt_duty_doc, u->txt_reff_doc};
                   }};
        return {adm,
                observationLike<frm_Observation>(
                    "observation",
                    []() -> frm_Observation& { return wbtest::openFromMenu<frm_Observation>("mnu_obser"); }),
                observationLike<frm_Operation>("operation", []() -> frm_Operation& {
                    auto& w = ui::Forms::get<frm_Operation>(); // no menu command opens it
                    w.Show();
                    return w;
                })};
    }

    static QStringList row(qint64 key) {
        Module1::OpenRs(QStringLiteral("select * from Addmission where Row_no = ?"), {key});
        QStringList out;
        if (Module1::Rs->RecordCount() < 1)
            return out;
        for (const QString& f : Module1::Rs->fieldNames()) {
            const QVariant v = Module1::Rs->Fields(f);
            out << f + u'=' + (v.isNull() ? QStringLiteral("<Null>") : Module1::Rs->text(f));
        }
        return out;
    }
};

// 'r-100', 'R-100' and 'R-100 ' are one registration number on every screen: stored trimmed and
// upper-cased, and a second admission under any of its spellings is refused.
TEST_P(InpatientRecordsTest, RegistrationNumbersDifferingInCaseOrBlanksAreOneNumber) {
    int n = 0;
    for (const Screen& s : screens()) {
        SCOPED_TRACE(s.name);
        const QString number = QStringLiteral("r-10%1").arg(++n);
        s.open();
        s.fill(1, number);
        s.save();
        ASSERT_EQ(count(QStringLiteral("Reg_no = '%1'").arg(number.toUpper())), 1)
            << messages.texts().join('|').toStdString();
        for (const Screen& other : screens()) {
            for (const QString& spelling : {number.toUpper(), number + u' ', u' ' + number.toUpper()}) {
                SCOPED_TRACE(std::string(other.name) + " '" + spelling.toStdString() + "'");
                messages.clear();
                other.open();
                other.fill(1, spelling);
                other.save();
                ASSERT_FALSE(messages.shown().isEmpty());
                EXPECT_EQ(messages.last().text, QStringLiteral("Reg No. already exitis in Addmission"));
                EXPECT_EQ(count(), n);
            }
        }
    }
    // The table's own index follows the same rule, whatever writes the row.
    EXPECT_THROW(
        run(QStringLiteral("insert into Addmission (Row_no, Reg_no, Room_no) values (99, ' R-101', 'X')")),
        DbError);
}

// A row saved again on any screen without a change keeps every column as it was, Nulls included.
TEST_P(InpatientRecordsTest, ReSavingARowUnchangedOnAnyScreenLeavesEveryColumnAsItWas) {
    for (const Screen& s : screens()) {
        SCOPED_TRACE(s.name);
        run(QStringLiteral("delete from Addmission"));
        // Written by the observation screen (no marital status, no relation) and with no age unit.
        run(QStringLiteral("insert into Addmission (Row_no, Ipd_code, Reg_no, admdate, Pat_row_id, Age, "
                           "Weight, Room_no, consultant, duty_doc, reff_doc, Shift, admtime) values (5, "
                           "'IPD-5', 'R5', ?, 1, 12, 7.5, 'B2', 1, 2, 3, 'E', ?)"),
            {QDate(2026, 1, 2), QTime(16, 5, 9)});
        const QStringList before = row(5);
        s.open();
        s.pick(QStringLiteral("R5"));
        messages.clear();
        s.save();
        EXPECT_EQ(row(5), before);
    }
}

// The doctors' names come from the doctor register only: their boxes take no typing.
TEST_P(InpatientRecordsTest, DoctorNameBoxesTakeNoTyping) {
    for (const Screen& s : screens()) {
        SCOPED_TRACE(s.name);
        QWidget* w = s.open();
        s.fill(1, QStringLiteral("T1"));
        for (QLineEdit* box : s.doctorNames()) {
            SCOPED_TRACE(box->objectName().toStdString());
            const QString picked = box->text();
            box->setFocus();
            QApplication::processEvents();
            QTest::keyClicks(box, QStringLiteral("DR ZED"));
            EXPECT_EQ(box->text(), picked);
        }
        Q_UNUSED(w);
    }
}

WB_ENGINES(InpatientRecordsTest);

} // namespace
