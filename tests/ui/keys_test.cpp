#include "support/datepicker.h"
#include "ui/binding.h"
#include "ui/datekeys.h"
#include "ui/keyfilters.h"
#include "ui/labels.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace keys = wb::ui::keys;

namespace {

class KeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        layout_ = new QVBoxLayout(window_.get());
    }
    template <class W> W* add() {
        auto* w = new W(window_.get());
        layout_->addWidget(w);
        return w;
    }
    void showWindow() {
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    static void typeEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    std::unique_ptr<QWidget> window_;
    QVBoxLayout* layout_ = nullptr;
};

bool focusIsIn(QWidget* w) {
    QWidget* f = QApplication::focusWidget();
    return f && (f == w || w->isAncestorOf(f));
}

TEST_F(KeysTest, EnterMovesToTheNextControlSkippingDisabledAndHiddenOnes) {
    auto* name = add<QLineEdit>();
    auto* combo = add<QComboBox>();
    combo->setEditable(true);
    auto* date = add<QDateEdit>();
    auto* check = add<QCheckBox>();
    auto* disabled = add<QLineEdit>();
    disabled->setEnabled(false);
    auto* hidden = add<QLineEdit>();
    hidden->hide();
    auto* last = add<QLineEdit>();
    for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(combo), static_cast<QWidget*>(date),
                       static_cast<QWidget*>(check), static_cast<QWidget*>(last)})
        keys::enterToTab(w);
    showWindow();

    name->setFocus();
    typeEnter();
    EXPECT_TRUE(focusIsIn(combo));
    typeEnter();
    EXPECT_TRUE(focusIsIn(date));
    typeEnter();
    EXPECT_TRUE(focusIsIn(check));
    typeEnter();
    EXPECT_TRUE(focusIsIn(last));
    typeEnter();
    EXPECT_TRUE(focusIsIn(name)) << "the tab order wraps within the window";
}

TEST_F(KeysTest, UpperCaseCombinesWithEnterToTab) {
    auto* box = add<QLineEdit>();
    auto* next = add<QLineEdit>();
    auto* combo = add<QComboBox>();
    combo->setEditable(true);
    keys::upperCase(box);
    keys::enterToTab(box);
    keys::upperCase(combo);
    showWindow();

    box->setFocus();
    QTest::keyClicks(box, "abc1");
    EXPECT_EQ(box->text(), QStringLiteral("ABC1"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(next->hasFocus());

    combo->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "ward b");
    EXPECT_EQ(combo->currentText(), QStringLiteral("WARD B"));
}

TEST_F(KeysTest, DigitFilterKeepsOnlyWhatTheRuleAllows) {
    auto* plain = add<QLineEdit>();
    auto* amount = add<QLineEdit>();
    auto* phone = add<QLineEdit>();
    keys::digitsOnly(plain);
    keys::digitsOnly(amount, {.allowPoint = true});
    keys::digitsOnly(phone, {.allowBlank = true});
    showWindow();

    QTest::keyClicks(plain, "1a2 .3");
    EXPECT_EQ(plain->text(), QStringLiteral("123"));
    QTest::keyClick(plain, Qt::Key_Backspace);
    EXPECT_EQ(plain->text(), QStringLiteral("12"));
    QTest::keyClick(plain, Qt::Key_Left);
    QTest::keyClicks(plain, "9");
    EXPECT_EQ(plain->text(), QStringLiteral("192")) << "navigation keys pass";

    QTest::keyClicks(amount, "1.2.3 x");
    EXPECT_EQ(amount->text(), QStringLiteral("1.23"));

    QTest::keyClicks(phone, "042 35.a");
    EXPECT_EQ(phone->text(), QStringLiteral("042 35"));
}

TEST_F(KeysTest, KeyActionsAndDiscardedKeys) {
    auto* search = add<QLineEdit>();
    auto* list = add<QComboBox>();
    list->addItems({QStringLiteral("General"), QStringLiteral("Private")});
    int enters = 0;
    int arrows = 0;
    keys::onEnter(search, [&] { ++enters; });
    keys::onUpDown(search, [&] { ++arrows; });
    keys::discardKeys(list);
    showWindow();

    search->setFocus();
    QTest::keyClicks(search, "ali");
    QTest::keyClick(search, Qt::Key_Enter);
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Up);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(arrows, 2);
    EXPECT_TRUE(search->hasFocus());
    EXPECT_EQ(search->text(), QStringLiteral("ali"));

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClicks(list, "p");
    EXPECT_EQ(list->currentIndex(), 0);
}

TEST_F(KeysTest, DateBoxPartsAreReachedByArrowsAndFilledByDigitsWhileTabLeaves) {
    auto* before = add<QLineEdit>();
    auto* date = add<QDateEdit>();
    auto* after = add<QLineEdit>();
    date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    date->setDate(QDate(2009, 6, 24));
    keys::dateBox(date);
    keys::enterToTab(date);
    showWindow();

    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(focusIsIn(date));
    EXPECT_EQ(date->currentSection(), QDateTimeEdit::DaySection);
    QTest::keyClick(date, Qt::Key_Right);
    EXPECT_EQ(date->currentSection(), QDateTimeEdit::MonthSection);
    QTest::keyClick(date, Qt::Key_Right);
    QTest::keyClick(date, Qt::Key_Right); // the last part: stays
    EXPECT_EQ(date->currentSection(), QDateTimeEdit::YearSection);
    EXPECT_TRUE(focusIsIn(date));
    QTest::keyClick(date, Qt::Key_Left);
    QTest::keyClick(date, Qt::Key_Left);
    QTest::keyClick(date, Qt::Key_Left); // the first part: stays
    EXPECT_EQ(date->currentSection(), QDateTimeEdit::DaySection);

    // Two digits fill the day and move on to the month, which "3" completes (no month 3x).
    QTest::keyClicks(date, QStringLiteral("07"));
    EXPECT_EQ(date->currentSection(), QDateTimeEdit::MonthSection);
    QTest::keyClicks(date, QStringLiteral("3"));
    EXPECT_EQ(date->currentSection(), QDateTimeEdit::YearSection);
    QTest::keyClicks(date, QStringLiteral("2025"));
    EXPECT_EQ(date->date(), QDate(2025, 3, 7));

    // Tab from the day leaves forward, Shift+Tab from the year leaves backward, Enter moves on.
    date->setFocus();
    date->setCurrentSectionIndex(0);
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    date->setFocus();
    date->setCurrentSectionIndex(2);
    QTest::keyClick(date, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());
    date->setFocus();
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(date->date(), QDate(2025, 3, 7));
}

// Digits typed after a click fill the part under the mouse and move on, as they do after Tab.
TEST_F(KeysTest, ADateBoxClickedIntoTakesDigitsInThePartUnderTheMouse) {
    auto* before = add<QLineEdit>();
    auto* date = add<QDateEdit>();
    date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    keys::dateBox(date);
    showWindow();
    const struct {
        int character; // in "24/06/2009"
        const char* typed;
        QDate result;
    } cases[] = {
        {0, "30112026", QDate(2026, 11, 30)}, {1, "30112026", QDate(2026, 11, 30)},
        {3, "112026", QDate(2026, 11, 24)},   {4, "3", QDate(2009, 3, 24)},
        {6, "2027", QDate(2027, 6, 24)},      {9, "2027", QDate(2027, 6, 24)},
    };
    for (const auto& c : cases) {
        before->setFocus();
        date->setDate(QDate(2009, 6, 24));
        wbtest::clickCharacter(date, c.character);
        QTest::keyClicks(QApplication::focusWidget(), QLatin1String(c.typed));
        EXPECT_EQ(date->date(), c.result) << "clicked at " << c.character << ", typed " << c.typed;
    }
}

TEST(LabelsTest, ABoxIsNamedByItsBuddyOrTheLabelBeforeItInItsRow) {
    QWidget window;
    auto* grid = new QGridLayout(&window);
    auto* name = new QLineEdit(&window);
    name->setProperty("DataField", "S_name");
    grid->addWidget(new QLabel(QStringLiteral("Services  Name :"), &window), 0, 0);
    grid->addWidget(name, 0, 1);
    auto* code = new QLineEdit(&window);
    grid->addWidget(new QLabel(QStringLiteral("Other"), &window), 1, 0);
    grid->addWidget(code, 1, 1);
    auto* buddy = new QLabel(QStringLiteral("&Code No:"), &window);
    buddy->setBuddy(code);
    grid->addWidget(buddy, 2, 0);
    auto* lone = new QLineEdit(&window);
    grid->addWidget(lone, 3, 1);

    EXPECT_EQ(wb::ui::labelFor(name), QStringLiteral("Services Name"));
    EXPECT_EQ(wb::ui::labelFor(code), QStringLiteral("Code No"));
    EXPECT_EQ(wb::ui::labelFor(lone), QString());
    EXPECT_EQ(wb::ui::controlForField(&window, QStringLiteral("s_NAME")), name);
    EXPECT_EQ(wb::ui::controlForField(&window, QStringLiteral("Addr")), nullptr);
}

TEST(BindingTest, BoundBoxesFollowTheDesignedOrderAndTag) {
    QWidget window;
    auto* first = new QLineEdit(&window);
    first->setProperty("Tag", "1");
    first->setProperty("DataField", "Pat_name");
    auto* group = new QGroupBox(&window);
    auto* nested = new QLineEdit(group);
    nested->setProperty("Tag", "1");
    auto* other = new QLineEdit(group);
    other->setProperty("Tag", "2");
    auto* last = new QLineEdit(&window);
    last->setProperty("Tag", "1");
    auto* untagged = new QLineEdit(&window);
    auto* combo = new QComboBox(&window);
    combo->setEditable(true); // its inner editor is no box of the window
    new QDateEdit(&window);

    EXPECT_EQ(wb::ui::boundBoxes(&window, "1"), (QList<QLineEdit*>{first, nested, last}));
    EXPECT_EQ(wb::ui::boundBoxes(&window, "2"), (QList<QLineEdit*>{other}));
    EXPECT_EQ(wb::ui::boundBoxes(&window, ""), (QList<QLineEdit*>{untagged}));
    EXPECT_EQ(wb::ui::dataField(first), QStringLiteral("Pat_name"));
    EXPECT_EQ(wb::ui::dataField(last), QString());
}

} // namespace
