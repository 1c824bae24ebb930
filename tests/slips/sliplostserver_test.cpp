// A new slip saved while the server goes away at one of the statements of the save and of what
// follows it (the print, the list): the user is told the truth about the slip, and it is stored once
// or not at all.
#include "data/connection.h"
#include "slipfixture.h"
#include "support/throwawayserver.h"

#include <QTest>

using namespace wb;
using wbtest::ThrowawayServer;

namespace {

struct LostAt {
    const char* name;
    // The statement before which the server goes: the first one after `after` that holds `holds`.
    QString after, holds;
    bool restart; // back at once, rather than still down
    QString told; // the text of a message box the user is shown
    QList<int> slips;
};

class SlipLostServerPostgresTest : public SlipTest {};

QString savedThen(const QString& notDone) {
    return QStringLiteral("The save is stored, but then the database server could not be reached, so %1. "
                          "Check that the server is running and that this computer is connected to the "
                          "network, then try again.")
        .arg(notDone);
}

TEST_P(SlipLostServerPostgresTest, TheUserIsToldWhetherTheSlipIsStored) {
    const QList<LostAt> cases{
        {"commit, server down", {}, QStringLiteral("COMMIT"), false, commitUnknownText(), {0, 1}},
        {"commit, restarted", {}, QStringLiteral("COMMIT"), true, commitUnknownText(), {0, 1}},
        {"print, server down",
         QStringLiteral("COMMIT"),
         QStringLiteral("SLIPS_MASTER"),
         false,
         savedThen(QStringLiteral("it was not printed")),
         {1}},
        {"list, server down",
         QStringLiteral("COMMIT"),
         QStringLiteral("Slip_code desc, Row_no desc"),
         false,
         savedThen(QStringLiteral("the list was not refreshed")),
         {1}},
    };
    for (const LostAt& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = slipCount();
        auto& w = open();
        fillSlip(w, QStringLiteral("RESTART PATIENT"));
        bool passed = c.after.isEmpty(), fired = false;
        setStatementHook([&](const QString& sql) {
            if (fired)
                return;
            if (!passed) {
                passed = sql.trimmed() == c.after;
                return;
            }
            if (!sql.contains(c.holds, Qt::CaseInsensitive))
                return;
            fired = true;
            c.restart ? ThrowawayServer::restart() : ThrowawayServer::stop();
        });
        messages.clear();
        QTest::mouseClick(w.ui()->cmdSave, Qt::LeftButton);
        setStatementHook({});
        if (!c.restart && fired)
            ThrowawayServer::start();
        EXPECT_TRUE(fired);
        ASSERT_FALSE(messages.shown().isEmpty());
        EXPECT_TRUE(messages.texts().contains(c.told)) << messages.texts().join(QLatin1Char('|')).toStdString();
        // A slip that may be stored is never told as not saved.
        EXPECT_FALSE(messages.texts().join(QLatin1Char('|')).contains(QStringLiteral("Nothing was saved")));
        EXPECT_TRUE(c.slips.contains(slipCount() - before)) << slipCount() - before; // never twice
        w.unload();
    }
}

INSTANTIATE_TEST_SUITE_P(Engine, SlipLostServerPostgresTest, ::testing::Values(wb::Engine::Postgres),
                         wbtest::engineName);

} // namespace
