#include "slipfixture.h"

#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_patient_detail.h"
#include "ui/flexgrid.h"

using namespace wb;

qint64 SlipTest::doctor(const QString& name, const QString& status) {
    const qint64 key =
        Module1::Con->scalar(QStringLiteral("select coalesce(max(Row_no),0)+1 from doc")).toLongLong();
    Module1::Con->Execute(QStringLiteral("insert into doc (Row_no, doc_name, Status) values (?, ?, ?)"),
                          {key, name, status});
    return key;
}

qint64 SlipTest::head(const QString& name) {
    Module1::Con->Execute(QStringLiteral("insert into Services (S_name, S_code) values (?, 'CAT-')"), {name});
    return Module1::Con->scalar(QStringLiteral("select max(Row_no) from Services")).toLongLong();
}

qint64 SlipTest::test(qint64 headKey, const QString& name, double rate) {
    Module1::Con->Execute(
        QStringLiteral("insert into Rate_List (S_code, Cata, Rate, Status) values (?, ?, ?, 'Rountine')"),
        {headKey, name, rate});
    return Module1::Con->scalar(QStringLiteral("select max(Row_no) from Rate_List")).toLongLong();
}

void SlipTest::pickDoctor(frm_Test_Slips& w, const QString& box, qint64 id, const QString& name,
                          const QString& status) {
    QAbstractButton* find = box == QLatin1String("O") ? w.ui()->cmd_find_opd_doc : w.ui()->cmd_find_Reff_doc;
    wbtest::answerFind<frm_Doc_Infor>(w, find, [&] {
        Module1::SelDocId = id;
        Module1::SelDocName = name;
        Module1::PickedPanelStatus = status;
    });
}

void SlipTest::pickTest(frm_Test_Slips& w, qint64 headKey, const QString& headName, qint64 testKey,
                        const QString& testName, double rate) {
    wbtest::answerFind<frm_Rate_List>(w, w.ui()->cmd_Rate_List, [&] {
        Module1::SelServiceId = headKey;
        Module1::SelServiceName = headName;
        Module1::SelRateId = testKey;
        Module1::SelRateTest = testName;
        Module1::SelRateAmount = rate;
    });
}

void SlipTest::pickPatient(frm_Test_Slips& w, const QString& name, const QString& father,
                           const QString& sex) {
    wbtest::answerFind<frm_patient_detail>(w, w.ui()->Find_Pat_Detail, [&] {
        Module1::SelPatId = 7;
        Module1::SelPatName = name;
        Module1::SelPatFather = father;
        Module1::SelPatSex = sex;
        Module1::SelPatTel = QStringLiteral("0300-1234567");
        Module1::SelPatCard = QStringLiteral("C-9");
    });
}

void SlipTest::addTest(frm_Test_Slips& w, qint64 headKey, const QString& headName, qint64 testKey,
                       const QString& testName, double rate) {
    pickTest(w, headKey, headName, testKey, testName, rate);
    w.cmd_ADD_1_Click();
}

void SlipTest::fillSlip(frm_Test_Slips& w, const QString& patient, int count) {
    if (opd == 0) {
        opd = doctor(QStringLiteral("DR. AHMED"));
        referrer = doctor(QStringLiteral("DR. BUTT"));
        lab = head(QStringLiteral("LABORATORY"));
        for (int i = 1; i <= 4; ++i)
            tests.append(test(lab, QStringLiteral("TEST %1").arg(i), 100.0 * i));
    }
    if (w.ui()->Find_Pat_Detail->isEnabled()) // an in-patient comes with the admission
        pickPatient(w, patient, QStringLiteral("FATHER OF ") + patient);
    w.ui()->txt_age->setText(QStringLiteral("30"));
    pickDoctor(w, QStringLiteral("O"), opd, QStringLiteral("DR. AHMED"));
    pickDoctor(w, QStringLiteral("R"), referrer, QStringLiteral("DR. BUTT"));
    for (int i = 0; i < count; ++i)
        addTest(w, lab, QStringLiteral("LABORATORY"), tests[i], QStringLiteral("TEST %1").arg(i + 1),
                100.0 * (i + 1));
}

QVariant SlipTest::stored(qint64 key, const QString& column) {
    Module1::OpenRs(QStringLiteral("select * from SLIPS_MASTER where Row_no = ?"), {key});
    if (Module1::Rs->RecordCount() < 1)
        return {};
    Module1::Rs->MoveFirst();
    return Module1::Rs->Fields(column);
}

QStringList SlipTest::storedLines(qint64 key) {
    Module1::OpenRs(
        QStringLiteral("select service, rate_list, test_rate, slip_date from SLIP_DETAIL where Row_no = ? "
                       "order by Line_no"),
        {key});
    QStringList out;
    for (int r = 0; r < Module1::Rs->RecordCount(); ++r) {
        Module1::Rs->Move(r);
        out << QStringLiteral("%1:%2:%3")
                   .arg(Module1::Rs->text(QStringLiteral("service")),
                        Module1::Rs->text(QStringLiteral("rate_list")),
                        Module1::Rs->text(QStringLiteral("test_rate")));
    }
    return out;
}

int SlipTest::slipCount() {
    return Module1::Con->scalar(QStringLiteral("select count(*) from SLIPS_MASTER")).toInt();
}

QStringList SlipTest::lineTexts(frm_Test_Slips& w, int col) {
    return wbtest::gridColumn(*w.ui()->MshEntry, col);
}
