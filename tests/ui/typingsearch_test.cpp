#include "data/connection.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "support/registertest.h"
#include "support/userdriver.h"
#include "ui/flexgrid.h"
#include "ui_frm_patient_detail.h"

#include <QAbstractItemModel>
#include <QApplication>

using namespace wb;
namespace user = wbtest::user;

namespace {

class TypingSearchTest : public wbtest::RegisterTest {};

// A typist does not wait for the list: keys typed while a search is being read reach the box at
// once, the search they make stale is dropped, and the grid only ever shows the rows of the text
// in the box.
TEST_P(TypingSearchTest, KeysTypedWhileAListIsReadAreShownAtOnceAndOnlyTheLastTextIsListed) {
    const QStringList names{"XAVIER ALI", "MAX KHAN", "XQ TRADERS", "ALI KHAN", "SARA BIBI"};
    for (int i = 0; i < names.size(); ++i)
        Module1::Con->Execute(
            QStringLiteral("insert into Patient_Slips (Row_no, Code_no, Pat_name) values (?, ?, ?)"),
            {i + 1, QStringLiteral("PAT-%1").arg(i + 1), names[i]});
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
        auto& w = wbtest::openFromMenu<frm_patient_detail>("mnu_Pat_Reg");
        w.SSTab1->setCurrentIndex(1);
        QLineEdit* box = w.ui()->txt_s_value;
        user::click(box);
        box->clear();
        user::wait();
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

WB_ENGINES(TypingSearchTest);

} // namespace
