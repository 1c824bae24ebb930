#include "slippicks.h"

#include "common/picker.h"
#include "data/recordset.h"
#include "frm_Add_Search.h"
#include "money.h"
#include "registers/frm_Doc_Infor.h"
#include "registers/frm_Employee.h"
#include "registers/frm_Rate_List.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "ui_frm_Test_Slips.h"

namespace wb::slips {

namespace {

void takeDoctor(Ui::frm_Test_Slips& u, QString& referrerStatus, const QString& letter) {
    if (letter == QLatin1String("O")) {
        u.txt_Opd_code->setText(QString::number(Module1::SelDocId));
        u.txt_opd_doc->setText(Module1::SelDocName);
    } else if (letter == QLatin1String("R")) {
        u.txt_reff_doc_code->setText(QString::number(Module1::SelDocId));
        u.txt_ref_doc->setText(Module1::SelDocName);
        // The slip records whether its referrer is a panel doctor.
        referrerStatus = Module1::PickedPanelStatus;
        const bool panel = Module1::PickedPanelStatus == QLatin1String("Panel");
        u.EmpScreen->setVisible(panel);
        if (!panel)
            for (QLineEdit* b : {u.txt_emp_name, u.txt_Emp_No, u.txt_Desig, u.txt_reff_no})
                b->clear();
    } else {
        return; // a pick for another screen's box: left for it
    }
    Module1::SelDocId = 0;
    Module1::SelDocName.clear();
}

void takeAdmission(Ui::frm_Test_Slips& u) {
    const qint64 id = Module1::SelAdmissionId;
    Module1::SelAdmissionId = 0;
    Module1::OpenRs(QStringLiteral("Select a.Row_no,a.Ipd_code,a.Reg_no,a.Age,a.Yr,a.admdate,"
                                   " b.pat_name,b.Fat_name,b.Sex,b.Tel_no,b.Card_no "
                                   " from Addmission a left join patient_slips b on b.row_no = a.Pat_row_id "
                                   " Where a.Row_no = ?"),
                    {id});
    auto& rs = *Module1::Rs;
    if (rs.RecordCount() < 1)
        return;
    rs.MoveFirst();
    u.txt_Patient_code->setText(rs.text(QStringLiteral("Ipd_code")));
    u.txt_reg_no->setText(rs.text(QStringLiteral("Reg_no")));
    u.txt_age->setText(rs.text(QStringLiteral("Age")));
    u.cmb_year->setCurrentText(rs.text(QStringLiteral("Yr")));
    const QDate admitted = rs.Fields(QStringLiteral("admdate")).toDate();
    if (admitted.isValid())
        u.adm_date->setDate(admitted);
    u.txt_pat_name->setText(rs.text(QStringLiteral("pat_name")));
    u.txt_F_name->setText(rs.text(QStringLiteral("Fat_name")));
    u.txt_sex->setText(rs.text(QStringLiteral("Sex")));
    u.txt_phone_no->setText(rs.text(QStringLiteral("Tel_no")));
    u.txt_Card_No->setText(rs.text(QStringLiteral("Card_no")));
}

} // namespace

void takePicks(Ui::frm_Test_Slips& u, QString& referrerStatus, common::PickRequests& asked) {
    using common::takePicked;
    asked.take<frm_Rate_List>([&](const QString&) {
        takePicked(Module1::SelServiceId, [&] {
            u.txt_Services_Code->setText(QString::number(Module1::SelServiceId));
            u.txt_services->setText(Module1::SelServiceName);
            Module1::SelServiceName.clear();
        });
        takePicked(Module1::SelRateId, [&] {
            u.txt_Test_Code->setText(QString::number(Module1::SelRateId));
            u.txt_Test->setText(Module1::SelRateTest);
            u.txt_Rate->setText(money::text(money::fromNumber(Module1::SelRateAmount)));
            Module1::SelRateAmount = 0;
            Module1::SelRateTest.clear();
        });
    });
    asked.take<frm_Doc_Infor>([&](const QString& letter) {
        if (Module1::SelDocId > 0)
            takeDoctor(u, referrerStatus, letter);
    });
    asked.take<frm_Employee>([&](const QString&) {
        if (Module1::SelEmpNo.isEmpty())
            return;
        u.txt_emp_name->setText(Module1::SelEmpName);
        u.txt_Emp_No->setText(Module1::SelEmpNo);
        u.txt_Desig->setText(Module1::SelEmpDesig);
        Module1::SelEmpNo.clear();
        Module1::SelEmpName.clear();
        Module1::SelEmpDesig.clear();
    });
    asked.take<frm_patient_detail>([&](const QString&) {
        takePicked(Module1::SelPatId, [&] {
            u.txt_pat_name->setText(Module1::SelPatName);
            u.txt_F_name->setText(Module1::SelPatFather);
            u.txt_sex->setText(Module1::SelPatSex);
            u.txt_age->clear(); // the register keeps no age
            u.txt_phone_no->setText(Module1::SelPatTel);
            u.txt_Card_No->setText(Module1::SelPatCard);
            Module1::SelPatName.clear();
            Module1::SelPatFather.clear();
            Module1::SelPatSex.clear();
            Module1::SelPatTel.clear();
            Module1::SelPatCard.clear();
        });
    });
    asked.take<frm_Add_Search>([&](const QString&) {
        if (Module1::SelAdmissionId > 0)
            takeAdmission(u);
    });
}

} // namespace wb::slips
