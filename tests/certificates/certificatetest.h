#pragma once

#include "support/registertest.h"

#include <QDateTime>
#include <QStringList>
#include <QVariant>

class QPushButton;

namespace wbtest {

// A certificate window's test case: the clock fixed, three doctors in the doctor register, and
// helpers to pick a doctor through the real register and to read rows back.
class CertificateTest : public PrintingRegisterTest {
protected:
    void SetUp() override;
    void TearDown() override;

    static inline const QDateTime Now{QDate(2026, 12, 8), QTime(10, 15, 30)};

    // Clicks the window's Find button, double-clicks the doctor in the register it opens and makes
    // the window active again.
    void pickDoctor(wb::ui::Form& w, QPushButton* find, const QString& doctor);
    // Makes another child window active, then the window again.
    void leaveAndComeBack(wb::ui::Form& w);
    // Makes the window the active child window (its activation runs when it was not).
    void comeBack(wb::ui::Form& w);

    static QVariant value(const QString& sql, const QVariantList& params = {});
    // Every column of a row as text, in the table's order.
    static QStringList rowOf(const QString& table, const QString& key, int id);
    static int count(const QString& table);
};

} // namespace wbtest
