#pragma once

#include "data/connection.h"
#include "data/recordset.h"

#include <QString>
#include <QVariantList>

// The program's shared state: the one connection, the one shared record set, the logged-in user,
// and the variables through which windows hand values to one another (the pick lists).
namespace Module1 {

inline wb::Connection* Con = nullptr;
inline wb::Recordset* Rs = nullptr;

inline QString LoginUserName;
inline QString UserType;
inline long UserRowNo = 0;

inline bool PickMode = false;
inline QString DocPickFor;

inline long SelDocId = 0;
inline QString SelDocName;
inline QString PickedPanelStatus;
inline long PickedPatientRowNo = 0;
inline long SelPatId = 0;
inline QString SelPatName;
inline QString SelPatSex;
inline QString SelPatTel;
inline QString SelPatCard;
inline QString SelPatFather;
inline long SelServiceId = 0;
inline QString SelServiceName;
inline long SelRateId = 0;
inline QString SelRateTest;
inline double SelRateAmount = 0;
inline QString SelEmpNo;
inline QString SelEmpName;
inline QString SelEmpDesig;
inline long SelAdmissionId = 0;
inline long SelPanelId = 0;
inline QString SelPanelName;
inline QString PanelPickFor;
inline QString SearchDate;
inline QString SearchFromDate;
inline QString SearchToDate;

// Creates Con and Rs when they do not exist yet.
void CreateShared();
// Closes Rs when open and opens the query into it on Con; values are bound parameters.
void OpenRs(const QString& sql, const QVariantList& params = {});
// Puts every public variable back to its starting value (tests start each case from here).
void ResetVariables();

} // namespace Module1
