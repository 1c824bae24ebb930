#include "data/connection.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "support/registertest.h"
#include "support/userdriver.h"
#include "ui/flexgrid.h"
#include "ui_frm_patient_detail.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>

using namespace wb;
namespace user = wbtest::user;

namespace {

class TypingSearchTest : public wbtest::RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        if (IsSkipped())
            return;
        const QStringList names{"XAVIER ALI", "MAX KHAN", "XQ TRADERS", "ALI KHAN", "SARA BIBI"};
        for (int i = 0; i < names.size(); ++i)
            Module1::Con->Execute(
                QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name) values (?, ?, ?)"),
                {i + 1, QStringLiteral("PAT-%1").arg(i + 1), names[i]});
    }
    // The patient register on its search page, the focus in the search box.
    frm_patient_detail& openSearch() {
        auto& w = wbtest::openFromMenu<frm_patient_detail>("mnu_Pat_Reg");
        w.SSTab1->setCurrentIndex(1);
        user::click(w.ui()->txt_s_value);
        w.ui()->txt_s_value->clear();
        user::wait();
        return w;
    }
};

// Counts the paints of a widget.
class Paints : public QObject {
public:
    explicit Paints(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint;
        return false;
    }
};

// A typist does not wait for the list: keys typed while a search is being read reach the box at
// once, the search they make stale is dropped, and the grid only ever shows the rows of the text
// in the box.
TEST_P(TypingSearchTest, KeysTypedWhileAListIsReadAreShownAtOnceAndOnlyTheLastTextIsListed) {
    struct Case {
        const char* ahead; // typed while the search for "X" is read
        QString box;
        QStringList listed;
    };
    const Case cases[] = {
        {"Q", "XQ", {"XQ TRADERS"}},
        {"\b", "", {"SARA BIBI", "ALI KHAN", "XQ TRADERS", "MAX KHAN", "XAVIER ALI"}},
        {"Q\bA", "XA", {"XAVIER ALI"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ahead);
        auto& w = openSearch();
        QLineEdit* box = w.ui()->txt_s_value;
        QStringList shown; // every list the grid showed from here on
        const auto listed = QObject::connect(w.Msh->model(), &QAbstractItemModel::modelReset,
                                             [&] { shown << wbtest::gridColumn(*w.Msh, 3).join(u'|'); });
        user::typeAhead(QString::fromLatin1(c.ahead));
        QString boxWhileReading;
        qsizetype listsBefore = -1;
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                boxWhileReading = user::textOf(box);
                listsBefore = shown.size();
            },
            Qt::QueuedConnection);
        user::type(QStringLiteral("X"));
        QObject::disconnect(listed);

        EXPECT_EQ(boxWhileReading, c.box) << "the keys typed ahead waited for the search";
        EXPECT_EQ(listsBefore, 0) << "a list was shown before the keys typed ahead reached the box";
        EXPECT_EQ(user::textOf(box), c.box);
        EXPECT_EQ(column(w, 3), c.listed);
        for (const QString& list : shown)
            EXPECT_EQ(list, c.listed.join(u'|')) << "the grid showed the rows of an older text";
        w.unload();
    }
}

// A command key pressed while a list is read (Ctrl+F4, which closes the window) waits until the list
// is shown, then acts as it would have: never in the middle of the read, never lost.
// The typed character is painted before the search it starts reads anything, so a slow look at the
// table never holds what was typed.
TEST_P(TypingSearchTest, TheTypedCharacterIsPaintedBeforeTheSearchReadsAnything) {
    auto& w = openSearch();
    QLineEdit* box = w.ui()->txt_s_value;
    Paints paints(box);
    QList<int> paintedAtFirstRead;
    bool read = false;
    setStatementHook([&](const QString&) {
        if (!read)
            paintedAtFirstRead << paints.count;
        read = true;
    });
    for (const QString& key : {QStringLiteral("X"), QStringLiteral("Q")}) {
        paints.count = 0;
        read = false;
        user::type(key);
    }
    setStatementHook({});
    EXPECT_EQ(box->text(), QStringLiteral("XQ"));
    ASSERT_EQ(paintedAtFirstRead.size(), 2);
    EXPECT_GT(paintedAtFirstRead[0], 0);
    EXPECT_GT(paintedAtFirstRead[1], 0);
}

// What a keystroke changes in the grid (its rows) is painted at once, and the grid's frame, header
// and scroll bars, which the list leaves as they were, are not painted over again afterwards: each
// extra pass is time the typist waits for.
TEST_P(TypingSearchTest, AKeystrokesListRepaintsTheRowsAndNotTheGridAroundThem) {
    auto& w = openSearch();
    QHeaderView* header = w.Msh->horizontalHeader();
    user::type(QStringLiteral("AL")); // fewer rows than the grid shows: its scroll bar goes
    for (const Qt::Key key : {Qt::Key_I, Qt::Key_Backspace, Qt::Key_I}) {
        SCOPED_TRACE(key);
        Paints rows(w.Msh->viewport()), frame(w.Msh), heads(header->viewport());
        user::press(key);
        EXPECT_GT(rows.count, 0);
        EXPECT_LE(frame.count + heads.count, 1);
    }
    EXPECT_EQ(column(w, 3), (QStringList{QStringLiteral("ALI KHAN"), QStringLiteral("XAVIER ALI")}));
}

TEST_P(TypingSearchTest, ACommandKeyPressedWhileAListIsReadActsOnceTheListIsShown) {
    auto& w = openSearch();
    QStringList shown;
    QObject::connect(w.Msh->model(), &QAbstractItemModel::modelReset,
                     [&] { shown << wbtest::gridColumn(*w.Msh, 3).join(u'|'); });
    user::typeAhead(QStringLiteral("Q"));
    user::pressAhead(Qt::Key_F4, Qt::ControlModifier);
    bool openWhileReading = false;
    QMetaObject::invokeMethod(
        qApp, [&] { openWhileReading = ui::Forms::loaded<frm_patient_detail>() != nullptr; },
        Qt::QueuedConnection);
    user::type(QStringLiteral("X"));
    user::wait();

    EXPECT_TRUE(openWhileReading) << "the window was closed while its list was being read";
    EXPECT_EQ(ui::Forms::loaded<frm_patient_detail>(), nullptr) << "the Ctrl+F4 pressed ahead was lost";
    EXPECT_EQ(shown, QStringList{"XQ TRADERS"});
}

WB_ENGINES(TypingSearchTest);

} // namespace
