#pragma once

#include "session/module1.h"
#include "slips/frm_Test_Slips.h"
#include "support/registertest.h"
#include "ui/clock.h"
#include "ui_frm_Test_Slips.h"

#include <QVariant>

// The slip screen's test case: the screen opened from the menu by an administrator, with doctors,
// service heads and tests to bill, and the pick lists' hand-back played as the registers write it.
class SlipTest : public wbtest::PrintingRegisterTest {
protected:
    void beforeMainWindow() override {
        Module1::LoginUserName = QStringLiteral("ADMIN");
        Module1::UserType = QStringLiteral("A");
    }
    void TearDown() override {
        wb::ui::Clock::reset(); // a case that fixed the clock leaves the next one the real time
        PrintingRegisterTest::TearDown();
    }
    frm_Test_Slips& open() { return wbtest::openFromMenu<frm_Test_Slips>("mnu_test_slip"); }

    qint64 doctor(const QString& name, const QString& status = QStringLiteral("Doctor"));
    qint64 head(const QString& name);
    qint64 test(qint64 headKey, const QString& name, double rate);

    // What the registers write at a pick, then the screen's activation.
    static void pickDoctor(frm_Test_Slips& w, const QString& box, qint64 id, const QString& name,
                           const QString& status = QStringLiteral("Doctor"));
    static void pickTest(frm_Test_Slips& w, qint64 headKey, const QString& headName, qint64 testKey,
                         const QString& testName, double rate);
    static void pickPatient(frm_Test_Slips& w, const QString& name, const QString& father = {},
                            const QString& sex = QStringLiteral("M"));
    // Picks and adds one line.
    static void addTest(frm_Test_Slips& w, qint64 headKey, const QString& headName, qint64 testKey,
                        const QString& testName, double rate);

    // A slip ready to save: patient, age, both doctors and the lines of `tests` (rates 100, 200, ...).
    void fillSlip(frm_Test_Slips& w, const QString& patient, int tests = 2);

    // One stored column of a slip, and the stored lines as "service:test:rate".
    QVariant stored(qint64 key, const QString& column);
    QStringList storedLines(qint64 key);
    int slipCount();

    static QStringList lineTexts(frm_Test_Slips& w, int col);

    qint64 opd = 0, referrer = 0, lab = 0;
    QList<qint64> tests;
};
