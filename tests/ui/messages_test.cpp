#include "data/dberror.h"
#include "support/messages.h"
#include "ui/guard.h"
#include "ui/msgbox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace wb::ui;

namespace {

TEST(MsgBoxTest, ResponderAnswersAndRecordsStyleAndTitle) {
    wbtest::ScriptedMessages messages;
    messages.answer(vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Delete the record?"), vbYesNo + vbQuestion), vbNo);
    EXPECT_EQ(messages.last().style, vbYesNo + vbQuestion);
    EXPECT_EQ(messages.last().title, QStringLiteral("Wardbook"));
    EXPECT_EQ(appTitle(), QStringLiteral("Wardbook"));

    EXPECT_EQ(MsgBox(QStringLiteral("Saved"), vbInformation, QStringLiteral("Patients")), vbOK);
    EXPECT_EQ(messages.last().title, QStringLiteral("Patients"));
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("Delete the record?"), QStringLiteral("Saved")}));
}

TEST(GuardTest, FailingHandlerShowsItsTextAndReportsFailure) {
    wbtest::ScriptedMessages messages;
    EXPECT_TRUE(guarded([] {}));
    EXPECT_TRUE(messages.shown().isEmpty());

    EXPECT_FALSE(guarded(
        [] { throw wb::DbError(QStringLiteral("Patient name is too long"), wb::DbError::Kind::TooLong); }));
    EXPECT_EQ(messages.last().text, QStringLiteral("Patient name is too long"));
    EXPECT_EQ(messages.last().style, vbCritical);
    EXPECT_EQ(messages.last().title, appTitle());

    EXPECT_FALSE(guarded([] { throw std::runtime_error("Report template not found"); }));
    EXPECT_EQ(messages.last().text, QStringLiteral("Report template not found"));

    EXPECT_FALSE(guarded([] { throw 42; }));
    EXPECT_FALSE(messages.last().text.isEmpty());
    EXPECT_EQ(messages.shown().size(), 3);
}

class ThrowingObject : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("handler failed");
        return QObject::event(e);
    }
};

TEST(GuardTest, ExceptionsEscapingEventHandlersAreShownNotFatal) {
    wbtest::ScriptedMessages messages;
    ThrowingObject object;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("handler failed")});

    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked,
                     handler([] { throw wb::DbError(QStringLiteral("Duplicate key")); }));
    button.click();
    EXPECT_EQ(messages.last().text, QStringLiteral("Duplicate key"));
}

} // namespace
