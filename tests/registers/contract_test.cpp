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

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

// The contract every register window keeps with the pattern, checked over each register's own
// definition and controls: a window added to the list gets these checks for free.
using namespace wb;
using common::RegisterForm;

namespace {

struct RegisterCase {
    const char* name;
    std::function<RegisterForm&()> open;
};

template <class W> RegisterCase registerCase(const char* name) {
    return {name, []() -> RegisterForm& { return ui::Forms::get<W>(); }};
}

const std::vector<RegisterCase>& registers() {
    static const std::vector<RegisterCase> all = {
        registerCase<frm_Panel>("Panel"),       registerCase<frm_Services>("Services"),
        registerCase<frm_Employee>("Employee"), registerCase<frm_patient_detail>("Patient"),
        registerCase<frm_Doc_Infor>("Doctor"),  registerCase<frm_Rate_List>("RateList"),
        registerCase<frm_Shift>("Shift"),       registerCase<frmCompany>("Company"),
        registerCase<Frm_User>("Users")};
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
    RegisterForm& open() { return registers().at(std::get<1>(GetParam())).open(); }
    static QLineEdit* boxNamed(RegisterForm& w, const QString& name) {
        for (QLineEdit* b : w.findChildren<QLineEdit*>())
            if (b->objectName().compare(name, Qt::CaseInsensitive) == 0)
                return b;
        return nullptr;
    }
    int rows(const RegisterForm& w) {
        return Module1::Con->scalar(QStringLiteral("select count(*) from ") + w.definition().table).toInt();
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
    const int before = rows(w);
    for (const auto& required : w.definition().required) {
        messages.clear();
        w.cmdSave_Click();
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_EQ(messages.last().text, required.message);
        EXPECT_EQ(messages.last().style, ui::vbInformation);
        EXPECT_EQ(rows(w), before);
        boxNamed(w, required.box)->setText(QStringLiteral("1"));
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
    RegisterForm& w = open();
    const QString caption = w.cmdSave->text();
    w.Msh->setRow(0);
    w.Msh_DblClick();
    EXPECT_TRUE(w.keyBox->text().isEmpty());
    EXPECT_EQ(w.cmdSave->text(), caption);
    EXPECT_NE(ui::Forms::all().indexOf(&w), -1);
    EXPECT_TRUE(messages.shown().isEmpty());
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
