#include "common/registerform.h"
#include "registers/frmCompany.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Employee.h"
#include "registers/frm_Panel.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_Services.h"
#include "registers/frm_Shift.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "shell/Frm_User.h"
#include "support/messages.h"
#include "support/testdb.h"
#include "ui/flexgrid.h"
#include "ui/msgbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

// The contract every register window keeps with the pattern, checked over each register's own
// definition and controls: a window added to the list gets these checks for free.
using namespace wb;
using common::RegisterForm;

namespace {

QLineEdit* boxNamed(QWidget& w, const QString& name) {
    for (QLineEdit* b : w.findChildren<QLineEdit*>())
        if (b->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return b;
    return nullptr;
}

// Types the digits of a time into a masked time box, as a user does.
void typeTime(QWidget& w, const char* box, const char* digits) {
    QLineEdit* b = boxNamed(w, QLatin1String(box));
    b->clear();
    QTest::keyClicks(b, QLatin1String(digits));
}

struct RegisterCase {
    const char* name;
    std::function<RegisterForm&()> open;
    // A text box a correction changes (its column is listed in the grid), and what a valid entry
    // needs besides it.
    const char* nameBox;
    std::function<void(RegisterForm&)> completeEntry;
};

template <class W>
RegisterCase registerCase(
    const char* name, const char* nameBox,
    std::function<void(RegisterForm&)> completeEntry = [](RegisterForm&) {}) {
    return {name, []() -> RegisterForm& { return ui::Forms::get<W>(); }, nameBox, std::move(completeEntry)};
}

const std::vector<RegisterCase>& registers() {
    static const std::vector<RegisterCase> all = {
        registerCase<frm_Panel>("Panel", "txt_panel_name"),
        registerCase<frm_Services>("Services", "txt_Ser_Name"),
        registerCase<frm_Employee>("Employee", "txt_Emp_Nm"),
        registerCase<frm_patient_detail>(
            "Patient", "txt_pat_name",
            [](RegisterForm& w) {
                boxNamed(w, QStringLiteral("txt_F_name"))->setText(QStringLiteral("FATHER"));
            }),
        registerCase<frm_Doc_Infor>("Doctor", "txt_Name"),
        registerCase<frm_Rate_List>(
            "RateList", "txt_Test",
            [](RegisterForm& w) { boxNamed(w, QStringLiteral("txt_Rate"))->setText(QStringLiteral("150")); }),
        registerCase<frm_Shift>("Shift", "txt_shift",
                                [](RegisterForm& w) {
                                    typeTime(w, "msk_from_time", "0800");
                                    typeTime(w, "msk_to_time", "1400");
                                }),
        registerCase<frmCompany>("Company", "txtCompany"),
        // A new user needs a name and a password; a correction changes the designation (the name is
        // locked once the user is saved).
        registerCase<Frm_User>("Users", "txt_Desig", [](RegisterForm& w) {
            if (!w.keyBox->text().isEmpty())
                return;
            const QString designation = boxNamed(w, QStringLiteral("txt_Desig"))->text();
            boxNamed(w, QStringLiteral("txt_User_Nm"))->setText(QStringLiteral("CLERK ") + designation);
            boxNamed(w, QStringLiteral("txt_User_pass"))->setText(QStringLiteral("Contract-Pass-1"));
        })};
    return all;
}

using Param = std::tuple<Engine, int>;

class RegisterContract : public ::testing::TestWithParam<Param> {
protected:
    void SetUp() override {
        if (std::get<0>(GetParam()) == Engine::Postgres && !wbtest::postgresConfigured())
            GTEST_SKIP() << "no PostgreSQL server configured: the README's test command starts one";
        db = std::make_unique<wbtest::TestDatabase>(std::get<0>(GetParam()));
        wbtest::openShared(*db);
        Module1::UserType = QStringLiteral("A");
        Module1::PickMode = false;
        // The rate list keeps its tests under a service head.
        Module1::Con->Execute(QStringLiteral("insert into Services (S_Name) values ('LABORATORY')"));
    }
    void TearDown() override {
        ui::Forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (Module1::Rs)
            Module1::Rs->Close();
        if (Module1::Con)
            Module1::Con->Close();
        db.reset();
    }
    const RegisterCase& registerCase() const { return registers().at(std::get<1>(GetParam())); }
    RegisterForm& open() { return registerCase().open(); }
    int rows(const RegisterForm& w) {
        return Module1::Con->scalar(QStringLiteral("select count(*) from ") + w.definition().table).toInt();
    }
    QLineEdit* nameBox(RegisterForm& w) { return boxNamed(w, QLatin1String(registerCase().nameBox)); }
    // The column of the name box, as the table and the grid name it.
    QString nameField(RegisterForm& w) { return nameBox(w)->property("DataField").toString(); }
    // Fills a valid entry with `name` in the name box and saves it.
    void save(RegisterForm& w, const QString& name) {
        nameBox(w)->setText(name);
        registerCase().completeEntry(w);
        w.cmdSave_Click();
    }
    // Saves a new row named `name` and loads it from the grid for editing; its key, or -1.
    qint64 saveAndPick(RegisterForm& w, const QString& name) {
        save(w, name);
        w.FillGird();
        for (int r = 1; r < w.Msh->Rows(); ++r) {
            if (w.cell(r, nameField(w)) != name)
                continue;
            w.Msh->setRow(r);
            w.Msh_DblClick();
            return w.keyBox->text().isEmpty() ? -1 : w.keyBox->text().toLongLong();
        }
        ADD_FAILURE() << "the saved row is not listed: " << messages.texts().join('|').toStdString();
        return -1;
    }
    QVariant stored(RegisterForm& w, qint64 key, const QString& column) {
        const auto& d = w.definition();
        return Module1::Con->scalar(
            QStringLiteral("select %1 from %2 where %3 = ?").arg(column, d.table, d.key), {key});
    }
    std::unique_ptr<wbtest::TestDatabase> db;
    wbtest::ScriptedMessages messages;
};

TEST_P(RegisterContract, GridColumnsAreFieldsOfTheSearchResult) {
    RegisterForm& w = open();
    ASSERT_NE(w.Msh, nullptr);
    w.FillGird();
    EXPECT_TRUE(messages.shown().isEmpty()) << "the search query failed";
    EXPECT_EQ(w.Msh->Cols(), w.definition().grid.size());
}

TEST_P(RegisterContract, RequiredBoxesAreAskedForInOrderAndNothingIsWritten) {
    RegisterForm& w = open();
    w.Show();
    QApplication::setActiveWindow(&w);
    const int before = rows(w);
    QStringList filled;
    for (const auto& required : w.definition().required) {
        messages.clear();
        w.cmdSave_Click();
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_EQ(messages.last().text, required.message);
        EXPECT_EQ(messages.last().style, ui::vbInformation);
        EXPECT_EQ(messages.last().title, ui::appTitle());
        EXPECT_TRUE(boxNamed(w, required.box)->hasFocus()) << required.box.toStdString();
        EXPECT_EQ(rows(w), before);
        for (const QString& box : filled) // nothing typed is lost
            EXPECT_EQ(boxNamed(w, box)->text(), QStringLiteral("1")) << box.toStdString();
        boxNamed(w, required.box)->setText(QStringLiteral("1"));
        filled << required.box;
    }
}

TEST_P(RegisterContract, CancelClearsTheBoxesAndTheKeyAndEnablesItsBox) {
    RegisterForm& w = open();
    const auto& d = w.definition();
    QLineEdit* enabled = d.cancelEnables.isEmpty() ? nullptr : boxNamed(w, d.cancelEnables);
    if (enabled)
        enabled->setEnabled(false);
    w.keyBox->setText(QStringLiteral("5"));
    for (const auto& required : d.required)
        boxNamed(w, required.box)->setText(QStringLiteral("TYPED"));
    ASSERT_NE(w.cmdCancel, nullptr);
    w.cmdCancel->click();
    EXPECT_TRUE(w.keyBox->text().isEmpty());
    for (const auto& required : d.required)
        EXPECT_TRUE(boxNamed(w, required.box)->text().isEmpty()) << required.box.toStdString();
    if (enabled) {
        EXPECT_TRUE(enabled->isEnabled());
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_P(RegisterContract, PickOnTheHeaderOrAnEmptyRowLoadsNothing) {
    Module1::Con->Execute(QStringLiteral("delete from Services")); // every table empty
    RegisterForm& w = open();
    const QString caption = w.cmdSave->text();
    if (w.txt_s_value) // a search that finds nothing, whatever the table holds
        w.txt_s_value->setText(QStringLiteral("NOTHING LIKE THIS"));
    for (int row = 0; row < w.Msh->Rows(); ++row) {
        w.Msh->setRow(row);
        w.Msh_DblClick();
        EXPECT_TRUE(w.keyBox->text().isEmpty()) << "row " << row;
    }
    EXPECT_EQ(w.cmdSave->text(), caption);
    EXPECT_NE(ui::Forms::all().indexOf(&w), -1);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_P(RegisterContract, SaveAddsARowAndAPickedRowIsOverwritten) {
    RegisterForm& w = open();
    const int before = rows(w);
    const qint64 key = saveAndPick(w, QStringLiteral("FIRST"));
    ASSERT_GT(key, 0);
    EXPECT_EQ(rows(w), before + 1);
    EXPECT_EQ(nameBox(w)->text(), QStringLiteral("FIRST"));
    EXPECT_EQ(w.cmdSave->text(), QStringLiteral("&Save"));
    EXPECT_NE(ui::Forms::all().indexOf(&w), -1);

    save(w, QStringLiteral("SECOND"));
    EXPECT_EQ(rows(w), before + 1);
    EXPECT_EQ(stored(w, key, nameField(w)).toString(), QStringLiteral("SECOND"));
    EXPECT_TRUE(w.keyBox->text().isEmpty());
    EXPECT_TRUE(nameBox(w)->text().isEmpty());
}

TEST_P(RegisterContract, SavingARowAnotherDeskDeletedWritesNothing) {
    RegisterForm& w = open();
    const qint64 key = saveAndPick(w, QStringLiteral("GONE"));
    ASSERT_GT(key, 0);
    const auto& d = w.definition();
    Module1::Con->Execute(QStringLiteral("delete from %1 where %2 = ?").arg(d.table, d.key), {key});
    const int before = rows(w);
    messages.clear();
    save(w, QStringLiteral("BACK AGAIN"));
    ASSERT_FALSE(messages.shown().isEmpty());
    EXPECT_EQ(messages.last().text,
              QStringLiteral("This %1 no longer exists: another desk has deleted it. Nothing was saved.")
                  .arg(d.noun));
    EXPECT_EQ(rows(w), before);
    EXPECT_FALSE(stored(w, key, d.key).isValid());
    EXPECT_EQ(nameBox(w)->text(), QStringLiteral("BACK AGAIN")); // nothing typed is lost
}

TEST_P(RegisterContract, DeleteAsksAndOnlyYesRemovesTheRow) {
    RegisterForm& w = open();
    const auto& d = w.definition();
    save(w, QStringLiteral("TO STAY"));
    const qint64 key = saveAndPick(w, QStringLiteral("TO GO"));
    ASSERT_GT(key, 0);
    const int before = rows(w);
    messages.clear();
    w.keyBox->clear(); // nothing loaded: nothing to delete or ask
    w.cmdDelete_Click();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(rows(w), before);
    w.keyBox->setText(QString::number(key));
    if (d.confirmDelete) {
        messages.answer(ui::vbNo);
        w.cmdDelete_Click();
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_EQ(messages.last().text, d.deleteMessage);
        EXPECT_EQ(messages.last().style, ui::vbYesNo + ui::vbInformation);
        EXPECT_EQ(messages.last().title, d.deleteTitle.isEmpty() ? ui::appTitle() : d.deleteTitle);
        EXPECT_EQ(rows(w), before);
        EXPECT_EQ(nameBox(w)->text(), QStringLiteral("TO GO"));
        messages.answer(ui::vbYes);
    }
    w.cmdDelete_Click();
    EXPECT_EQ(messages.shown().size(), d.confirmDelete ? 2 : 0);
    EXPECT_EQ(rows(w), before - 1);
    EXPECT_FALSE(stored(w, key, d.key).isValid());
    EXPECT_TRUE(w.keyBox->text().isEmpty());
    EXPECT_TRUE(nameBox(w)->text().isEmpty());
    for (int r = 1; r < w.Msh->Rows(); ++r)
        EXPECT_NE(w.cell(r, nameField(w)), QStringLiteral("TO GO")); // the grid is listed again
}

TEST_P(RegisterContract, ExitUnloadsTheWindow) {
    RegisterForm& w = open();
    Module1::PickMode = false;
    w.cmdExit_Click();
    EXPECT_EQ(ui::Forms::all().indexOf(&w), -1);
}

std::string caseName(const ::testing::TestParamInfo<Param>& info) {
    return std::string(registers().at(std::get<1>(info.param)).name) +
           (std::get<0>(info.param) == Engine::Sqlite ? "Sqlite" : "Postgres");
}

INSTANTIATE_TEST_SUITE_P(Registers, RegisterContract,
                         ::testing::Combine(::testing::Values(Engine::Sqlite, Engine::Postgres),
                                            ::testing::Range(0, 9)),
                         caseName);

} // namespace
