#pragma once

#include "session/module1.h"
#include "support/registertest.h"
#include "ui/clock.h"

#include <QDateTime>

namespace wbtest {

// A time of the tests' day (7 December 2026), or of another day.
inline QDateTime at(const QString& hhmmss, QDate day = QDate(2026, 12, 7)) {
    return QDateTime(day, QTime::fromString(hhmmss, QStringLiteral("HH:mm:ss")));
}

// The in-patient screens' tests: the clock stands at 10:15:30, the patients the test seeds, and
// three doctors, "DR A" to "DR C" (keys 1 to 3).
class InpatientTest : public PrintingRegisterTest {
protected:
    void SetUp() override {
        PrintingRegisterTest::SetUp();
        if (IsSkipped())
            return;
        wb::ui::Clock::setFixed(at(QStringLiteral("10:15:30")));
        seedPatients();
        for (int i = 1; i <= 3; ++i)
            run(QStringLiteral(
                    "insert into doc (Row_no, doc_code, doc_name, Status) values (?, ?, ?, 'Doctor')"),
                {i, QStringLiteral("DOC-%1").arg(i), QStringLiteral("DR %1").arg(QChar(u'A' + i - 1))});
    }
    void TearDown() override {
        wb::ui::Clock::reset();
        PrintingRegisterTest::TearDown();
    }
    virtual void seedPatients() = 0;

    static void run(const QString& sql, const QVariantList& params = {}) {
        Module1::Con->Execute(sql, params);
    }
    static int count(const QString& where = QStringLiteral("1 = 1")) {
        return Module1::Con->scalar(QStringLiteral("select count(*) from Addmission where ") + where).toInt();
    }

    // The taker side, as a pick in the patient or doctor register leaves it.
    template <class W> static void pickPatient(W& w, long id) {
        Module1::PickedPatientRowNo = id;
        w.Form_Activate();
    }
    template <class W> static void pickDoctor(W& w, const QString& letter, long id) {
        Module1::DocPickFor = letter;
        Module1::SelDocId = id;
        Module1::SelDocName = QStringLiteral("DR %1").arg(QChar(char16_t(u'A' + id - 1)));
        w.Form_Activate();
    }
};

} // namespace wbtest
