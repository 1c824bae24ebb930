#include "ui/form.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using wb::ui::Form;
using wb::ui::Forms;

namespace {

struct Counts {
    int loads = 0;
    int activations = 0;
    int unloads = 0;
};

// A child window built in code: one box whose designed text is "designed".
template <int N> class CountingForm : public Form {
public:
    CountingForm() {
        box = new QLineEdit(this);
        box->setText(QStringLiteral("designed"));
    }
    void Form_Load() override { ++counts.loads; }
    void Form_Activate() override { ++counts.activations; }
    void Form_Unload() override {
        ++counts.unloads;
        if (unloadAgainInUnload)
            unload();
    }

    inline static Counts counts;
    inline static bool unloadAgainInUnload = false;
    QLineEdit* box;
};

using NoteForm = CountingForm<1>;
using OtherForm = CountingForm<2>;

class TopLevelForm : public CountingForm<3> {
public:
    bool isMdiChild() const override { return false; }
};

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        NoteForm::counts = {};
        OtherForm::counts = {};
        TopLevelForm::counts = {};
        NoteForm::unloadAgainInUnload = false;
        main_ = std::make_unique<QMainWindow>();
        area_ = new QMdiArea;
        main_->setCentralWidget(area_);
        main_->resize(900, 700);
        main_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
        Forms::setMdiArea(area_);
    }
    void TearDown() override {
        Forms::unloadAll();
        flushDeletes();
        Forms::setMdiArea(nullptr);
        main_.reset();
    }

    std::unique_ptr<QMainWindow> main_;
    QMdiArea* area_ = nullptr;
};

TEST_F(FormTest, DefaultInstanceIsLoadedOnceAndRebuiltFreshAfterUnload) {
    EXPECT_EQ(Forms::loaded<NoteForm>(), nullptr);
    NoteForm& first = Forms::get<NoteForm>();
    EXPECT_EQ(&Forms::get<NoteForm>(), &first);
    EXPECT_EQ(Forms::loaded<NoteForm>(), &first);
    EXPECT_EQ(NoteForm::counts.loads, 1);

    first.Show();
    first.box->setText(QStringLiteral("changed"));
    QPointer<QWidget> oldFrame = first.frame();
    first.unload();
    EXPECT_EQ(Forms::loaded<NoteForm>(), nullptr) << "released at once, before the window is deleted";
    flushDeletes();
    EXPECT_TRUE(oldFrame.isNull());
    EXPECT_TRUE(area_->subWindowList().isEmpty());

    NoteForm& second = Forms::get<NoteForm>();
    EXPECT_EQ(second.box->text(), QStringLiteral("designed"));
    EXPECT_EQ(NoteForm::counts.loads, 2);
    EXPECT_EQ(NoteForm::counts.unloads, 1);
}

TEST_F(FormTest, UnloadRunsFormUnloadOnceEvenWhenCalledAgain) {
    NoteForm::unloadAgainInUnload = true;
    NoteForm& form = Forms::get<NoteForm>();
    form.Show();
    form.unload();
    form.unload();
    EXPECT_EQ(NoteForm::counts.unloads, 1);
    Forms::unload<NoteForm>(); // nothing loaded any more
    EXPECT_EQ(NoteForm::counts.unloads, 1);
}

TEST_F(FormTest, ChildWindowHearsActivateEachTimeItBecomesActiveAgain) {
    NoteForm& note = Forms::get<NoteForm>();
    OtherForm& other = Forms::get<OtherForm>();
    note.Show();
    ASSERT_NE(note.subWindow(), nullptr);
    EXPECT_EQ(note.frame(), note.subWindow());
    EXPECT_EQ(note.subWindow()->mdiArea(), area_);
    const int afterShow = NoteForm::counts.activations;
    EXPECT_GE(afterShow, 1);

    other.Show();
    EXPECT_EQ(area_->activeSubWindow(), other.subWindow());
    EXPECT_GE(OtherForm::counts.activations, 1);

    area_->setActiveSubWindow(note.subWindow());
    EXPECT_EQ(NoteForm::counts.activations, afterShow + 1);

    note.Show(); // showing it again wraps it no second time
    EXPECT_EQ(area_->subWindowList().size(), 2);
}

TEST_F(FormTest, CloseBoxOfTheSubWindowUnloadsTheForm) {
    NoteForm& note = Forms::get<NoteForm>();
    note.Show();
    QPointer<QMdiSubWindow> sub = note.subWindow();
    ASSERT_TRUE(sub->close());
    EXPECT_EQ(NoteForm::counts.unloads, 1);
    EXPECT_EQ(Forms::loaded<NoteForm>(), nullptr);
    flushDeletes();
    EXPECT_TRUE(sub.isNull());
}

TEST_F(FormTest, TopLevelFormStandsAloneAndHearsActivate) {
    TopLevelForm& form = Forms::get<TopLevelForm>();
    form.Show();
    EXPECT_EQ(form.subWindow(), nullptr);
    EXPECT_TRUE(form.isWindow());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_GE(TopLevelForm::counts.activations, 1);

    ASSERT_TRUE(form.close());
    EXPECT_EQ(TopLevelForm::counts.unloads, 1);
    EXPECT_EQ(Forms::loaded<TopLevelForm>(), nullptr);
}

TEST(TwipsTest, InchIsFourteenHundredFortyTwipsAtTheLogicalDpi) {
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    EXPECT_EQ(wb::ui::twipsToPixels(1440), qRound(dpi));
    EXPECT_EQ(wb::ui::pixelsToTwips(qRound(dpi)), 1440);
    if (qFuzzyCompare(dpi, 96.0)) {
        EXPECT_EQ(wb::ui::twipsToPixels(15), 1);
        EXPECT_EQ(wb::ui::twipsToPixels(6000), 400);
        EXPECT_EQ(wb::ui::pixelsToTwips(1), 15);
    }
}

TEST_F(FormTest, GeometryInTwipsAppliesToTheWholeSubWindow) {
    NoteForm& note = Forms::get<NoteForm>();
    // Set before the window is shown, as a load handler does.
    note.setWidthTw(6000);
    note.setHeightTw(4500);
    note.setLeftTw(300);
    note.setTopTw(150);
    note.Show();
    QMdiSubWindow* sub = note.subWindow();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->width(), wb::ui::twipsToPixels(6000));
    EXPECT_EQ(sub->height(), wb::ui::twipsToPixels(4500));
    EXPECT_EQ(sub->pos(), QPoint(wb::ui::twipsToPixels(300), wb::ui::twipsToPixels(150)));
    EXPECT_EQ(note.widthTw(), wb::ui::pixelsToTwips(wb::ui::twipsToPixels(6000)));
    EXPECT_EQ(note.leftTw(), wb::ui::pixelsToTwips(wb::ui::twipsToPixels(300)));
}

TEST_F(FormTest, ClosingOrHidingTheActiveWindowActivatesTheOneActiveBeforeIt) {
    using ThirdForm = CountingForm<4>;
    ThirdForm::counts = {};
    NoteForm& note = Forms::get<NoteForm>();
    OtherForm& other = Forms::get<OtherForm>();
    ThirdForm& third = Forms::get<ThirdForm>();
    note.Show();
    other.Show();
    third.Show();
    note.Show(); // active again: before it, the third window was active
    ASSERT_EQ(area_->activeSubWindow(), note.subWindow());

    const int thirdBefore = ThirdForm::counts.activations;
    note.unload();
    EXPECT_EQ(area_->activeSubWindow(), third.subWindow()) << "not the window created next";
    EXPECT_EQ(ThirdForm::counts.activations, thirdBefore + 1) << "its Form_Activate runs at once";
    EXPECT_TRUE(third.isAncestorOf(QApplication::focusWidget()));

    const int otherBefore = OtherForm::counts.activations;
    third.Hide();
    EXPECT_EQ(area_->activeSubWindow(), other.subWindow());
    EXPECT_EQ(OtherForm::counts.activations, otherBefore + 1);

    third.Show();
    ASSERT_TRUE(other.subWindow()->close()); // not the active window: nothing else changes
    EXPECT_EQ(area_->activeSubWindow(), third.subWindow());
    third.unload();
    flushDeletes();
}

} // namespace
