#pragma once

#include "registers/frm_Doc_Infor.h"
#include "registers/frm_patient_detail.h"
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

    // A Find of the screen answered as the patient or doctor register answers it.
    template <class W> static void pickPatient(W& w, long id) {
        answerFind<frm_patient_detail>(w, w.ui()->cmb_pat_search, [id] { Module1::PickedPatientRowNo = id; });
    }
    template <class W> static void pickDoctor(W& w, const QString& letter, long id) {
        auto* u = w.ui();
        QAbstractButton* find = letter == QLatin1String("C")   ? u->cmd_find_con
                                : letter == QLatin1String("D") ? u->cmd_find_duty_doc
                                                               : u->cmd_find_R_doc;
        answerFind<frm_Doc_Infor>(w, find, [id] {
            Module1::SelDocId = id;
            Module1::SelDocName = QStringLiteral("DR %1").arg(QChar(char16_t(u'A' + id - 1)));
        });
    }
};

} // namespace wbtest
