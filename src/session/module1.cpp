#include "module1.h"

namespace Module1 {

void CreateShared() {
    if (!Con)
        Con = new wb::Connection();
    if (!Rs)
        Rs = new wb::Recordset();
}

void OpenRs(const QString& sql, const QVariantList& params) {
    if (Rs->State() == wb::Recordset::adStateOpen)
        Rs->Close();
    Rs->Open(sql, *Con, params);
}

void ResetVariables() {
    LoginUserName.clear();
    UserType.clear();
    UserRowNo = 0;
    PickMode = false;
    DocPickFor.clear();
    SelDocId = 0;
    SelDocName.clear();
    PickedPanelStatus.clear();
    PickedPatientRowNo = 0;
    SelPatId = 0;
    SelPatName.clear();
    SelPatSex.clear();
    SelPatTel.clear();
    SelPatCard.clear();
    SelPatFather.clear();
    SelServiceId = 0;
    SelServiceName.clear();
    SelRateId = 0;
    SelRateTest.clear();
    SelRateAmount = 0;
    SelEmpNo.clear();
    SelEmpName.clear();
    SelEmpDesig.clear();
    SelAdmissionId = 0;
    SelPanelId = 0;
    SelPanelName.clear();
    PanelPickFor.clear();
    SearchDate.clear();
    SearchFromDate.clear();
    SearchToDate.clear();
}

} // namespace Module1
