#include "common/masterlines.h"
#include "common/picker.h"
#include "common/registerform.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "session/module1.h"
#include "support/messages.h"
#include "support/testdb.h"
#include "ui/flexgrid.h"
#include "ui/keyfilters.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <stdexcept>

using namespace wb;

namespace {

// A register window written by hand: the controls a generated ui class would hold, over the panel
// table (key, code, name).
struct FakeUi {
    QLineEdit* txt_Row_No = nullptr;
    QLineEdit* txt_code = nullptr;
    QLineEdit* txt_name = nullptr;
    QPushButton *cmdSave = nullptr, *cmdDelete = nullptr, *cmdCancel = nullptr, *cmdPrint = nullptr,
                *cmdExit = nullptr;
    ui::FlexGrid* Msh = nullptr;

    void setupUi(QWidget* w) {
        auto* layout = new QVBoxLayout(w);
        const auto box = [&](const char* name, const char* field) {
            auto* b = new QLineEdit(w);
            b->setObjectName(QLatin1String(name));
            b->setProperty("Tag", QStringLiteral("M"));
            b->setProperty("DataField", QLatin1String(field));
            layout->addWidget(b);
            return b;
        };
        txt_Row_No = box("txt_Row_No", "Row_no");
        txt_code = box("txt_code", "Panel_Code");
        txt_name = box("txt_name", "Panel_Name");
        for (QPushButton** b : {&cmdSave, &cmdDelete, &cmdCancel, &cmdPrint, &cmdExit})
            layout->addWidget(*b = new QPushButton(w));
        layout->addWidget(Msh = new ui::FlexGrid(w));
    }
};

common::RegisterDefinition fakeDefinition(const QString& requiredBox = QStringLiteral("txt_name")) {
    common::RegisterDefinition s;
    s.table = QStringLiteral("Panel");
    s.key = QStringLiteral("Row_no");
    s.tag = QStringLiteral("M");
    s.skipped = {QStringLiteral("txt_code")};
    s.codeColumn = QStringLiteral("Panel_Code");
    s.codePrefix = QStringLiteral("F-");
    s.required = {{requiredBox, QStringLiteral("please enter the name")}};
    s.orderBy = QStringLiteral("Panel_Name");
    s.grid = {{QStringLiteral("Row_no"), QString(), 0},
              {QStringLiteral("Panel_Name"), QStringLiteral("Name"), 3000},
              {QStringLiteral("Panel_Code"), QStringLiteral("Code"), 1000}};
    s.noun = QStringLiteral("fake row");
    s.cancelEnables = QStringLiteral("txt_code");
    return s;
}

class FakeRegister : public common::RegisterForm {
public:
    explicit FakeRegister(common::RegisterDefinition d = fakeDefinition()) : RegisterForm(std::move(d)) {
        u.setupUi(this);
        auto c = common::standardControls(u);
        c.firstEntry = u.txt_name;
        c.grid = u.Msh;
        bindControls(c);
    }
    FakeUi u;
    QStringList hookCalls;
    bool failHook = false;
    using RegisterForm::cell;

protected:
    void saveSteps(Recordset& rs) override {
        hookCalls << (IsNew ? QStringLiteral("insert") : QStringLiteral("update"));
        rs.setField(QStringLiteral("Panel_Name"), u.txt_name->text() + QStringLiteral("!"));
        if (failHook)
            throw DbError(QStringLiteral("the hook refused"));
    }
};

class PatternTest : public wbtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        wbtest::openShared(*db);
    }
    QVariant scalar(const QString& sql) { return Module1::Con->scalar(sql); }
    wbtest::ScriptedMessages messages;
};

TEST_P(PatternTest, MisnamedBoxInTheDefinitionStopsTheWindowFromOpening) {
    EXPECT_THROW(FakeRegister(fakeDefinition(QStringLiteral("txt_nmae"))), std::logic_error);
    FakeRegister w;
    EXPECT_THROW(w.cell(0, QStringLiteral("No_Such_Field")), std::logic_error);
}

TEST_P(PatternTest, SaveHookRunsInsideTheTransactionForInsertAndUpdate) {
    FakeRegister w;
    w.u.txt_name->setText(QStringLiteral("O'NEIL"));
    w.cmdSave_Click();
    EXPECT_EQ(scalar(QStringLiteral("select Panel_Name from Panel where Row_no = 1")).toString(),
              QStringLiteral("O'NEIL!"));
    EXPECT_EQ(scalar(QStringLiteral("select Panel_Code from Panel where Row_no = 1")).toString(),
              QStringLiteral("F-1"));
    // The grid is read by field name, whatever the column order.
    ASSERT_EQ(w.Msh->Rows(), 2);
    EXPECT_EQ(w.cell(1, QStringLiteral("Panel_Name")), QStringLiteral("O'NEIL!"));
    EXPECT_EQ(w.cell(1, QStringLiteral("panel_code")), QStringLiteral("F-1"));

    // An update whose hook fails writes nothing, and the window stays on the row.
    w.u.txt_Row_No->setText(QStringLiteral("1"));
    w.u.txt_name->setText(QStringLiteral("CHANGED"));
    w.failHook = true;
    EXPECT_THROW(w.cmdSave_Click(), DbError);
    EXPECT_EQ(scalar(QStringLiteral("select Panel_Name from Panel where Row_no = 1")).toString(),
              QStringLiteral("O'NEIL!"));
    w.failHook = false;
    w.cmdSave_Click();
    EXPECT_EQ(scalar(QStringLiteral("select Panel_Name from Panel where Row_no = 1")).toString(),
              QStringLiteral("CHANGED!"));
    EXPECT_EQ(w.hookCalls, (QStringList{"insert", "update", "update"}));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from Panel")).toInt(), 1);
}

TEST_P(PatternTest, VanishedRowNamesItsNounAndWritesNothing) {
    FakeRegister w;
    w.u.txt_name->setText(QStringLiteral("GONE"));
    w.cmdSave_Click();
    Module1::Con->Execute(QStringLiteral("delete from Panel"));
    w.u.txt_Row_No->setText(QStringLiteral("1"));
    w.u.txt_name->setText(QStringLiteral("BACK"));
    w.hookCalls.clear();
    w.cmdSave_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(
        messages.last().text,
        QStringLiteral("This fake row no longer exists: another desk has deleted it. Nothing was saved."));
    EXPECT_TRUE(w.hookCalls.isEmpty());
    EXPECT_FALSE(Module1::Con->inTransaction());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from Panel")).toInt(), 0);
}

TEST_P(PatternTest, RequiredBoxCancelAndPickFollowTheDefinition) {
    FakeRegister w;
    w.cmdSave_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("please enter the name"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from Panel")).toInt(), 0);

    w.u.txt_name->setText(QStringLiteral("PICKED"));
    w.cmdSave_Click();
    w.Msh->setRow(1);
    w.Msh_DblClick(); // the default pick reads the row back from the table
    EXPECT_EQ(w.u.txt_Row_No->text(), QStringLiteral("1"));
    EXPECT_EQ(w.u.txt_name->text(), QStringLiteral("PICKED!"));
    EXPECT_EQ(w.cmdSave->text(), QStringLiteral("&Save"));

    w.u.txt_code->setEnabled(false);
    w.cmdCancel_Click();
    EXPECT_TRUE(w.u.txt_code->isEnabled());
    EXPECT_TRUE(w.u.txt_Row_No->text().isEmpty());
    EXPECT_TRUE(w.u.txt_name->text().isEmpty());
}

WB_ENGINES(PatternTest);

// The header with its lines: users and their menu rights.
class MasterLinesTest : public PatternTest {
protected:
    const common::MasterLines users{{.headerTable = QStringLiteral("User_Information"),
                                     .headerKey = QStringLiteral("Row_No"),
                                     .linesTable = QStringLiteral("Chart_Of_Menus"),
                                     .linesParent = QStringLiteral("User_ID")}};
    qint64 save(qint64 key, const QString& name, const QStringList& menus, int failAt = -1) {
        return users.save(
            *Module1::Con, key, [&](Recordset& h) { h.setField(QStringLiteral("User_Name"), name); },
            int(menus.size()),
            [&](Recordset& l, int i) {
                if (i == failAt)
                    throw DbError(QStringLiteral("line refused"));
                l.setField(QStringLiteral("Menus"), menus.at(i));
            });
    }
    QStringList menusOf(qint64 key) {
        Recordset lines;
        users.readLines(*Module1::Con, key, lines);
        QStringList out;
        for (int r = 0; r < lines.RecordCount(); ++r) {
            lines.Move(r);
            out << lines.text(QStringLiteral("Menus"));
        }
        out.sort();
        return out;
    }
};

TEST_P(MasterLinesTest, HeaderAndLinesAreWrittenTogetherOrNotAtAll) {
    const qint64 before = scalar(QStringLiteral("select max(Row_No) from User_Information")).toLongLong();
    const qint64 key = save(0, QStringLiteral("CLERK"), {"Patient", "Doctor"});
    EXPECT_EQ(key, before + 1);
    EXPECT_EQ(menusOf(key), (QStringList{"Doctor", "Patient"}));

    // Saving again replaces the lines; a line that fails leaves header and lines as they were.
    save(key, QStringLiteral("CLERK 2"), {"Services"});
    EXPECT_EQ(menusOf(key), QStringList{"Services"});
    EXPECT_THROW(save(key, QStringLiteral("CLERK 3"), {"Panel", "Shift"}, 1), DbError);
    EXPECT_EQ(menusOf(key), QStringList{"Services"});
    EXPECT_EQ(scalar(QStringLiteral("select User_Name from User_Information where Row_No = %1").arg(key))
                  .toString(),
              QStringLiteral("CLERK 2"));
    EXPECT_THROW(save(0, QStringLiteral("HALF"), {"Panel", "Shift"}, 1), DbError);
    EXPECT_EQ(
        scalar(QStringLiteral("select count(*) from User_Information where User_Name = 'HALF'")).toInt(), 0);
    EXPECT_FALSE(Module1::Con->inTransaction());

    users.remove(*Module1::Con, key);
    EXPECT_TRUE(menusOf(key).isEmpty());
    try {
        save(key, QStringLiteral("GONE"), {"Panel"});
        ADD_FAILURE() << "a deleted header was saved";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::NotFound);
    }
    EXPECT_TRUE(menusOf(key).isEmpty());
}

WB_ENGINES(MasterLinesTest);

TEST(PickBack, TakesAValueOnceWhenItsIdIsAboveZero) {
    long id = 0;
    int taken = 0;
    EXPECT_FALSE(common::takePicked(id, [&] { ++taken; }));
    id = 7;
    EXPECT_TRUE(common::takePicked(id, [&] { ++taken; }));
    EXPECT_EQ(id, 0);
    EXPECT_FALSE(common::takePicked(id, [&] { ++taken; }));
    EXPECT_EQ(taken, 1);
}

TEST(KeyRules, RejectRuleDropsItsCharactersBeforeTheUpperCasing) {
    QLineEdit box;
    ui::keys::upperCase(&box);
    ui::keys::reject(&box, [](QChar c) { return c == u'\'' || c == u' '; });
    QTest::keyClicks(&box, QStringLiteral("o'brien a1"));
    EXPECT_EQ(box.text(), QStringLiteral("OBRIENA1"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("OBRIENA"));
}

} // namespace
