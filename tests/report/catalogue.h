#pragma once

#include "reportengine/reporttemplate.h"

#include <QList>

// Tables for checks that need no database: the shapes of the tables the account reports and
// registers print from, with a date-and-time column and a decimal one.
namespace reporttest {

inline const QList<wb::Table>& tables() {
    using namespace wb;
    static const QList<Table> list = [] {
        QList<Table> l;
        Table users{QStringLiteral("User_Information"), {}, QStringLiteral("Row_No")};
        users.columns = {intCol(QStringLiteral("Row_No")),         textCol(QStringLiteral("User_Code"), 20),
                         textCol(QStringLiteral("User_Name"), 50), textCol(QStringLiteral("Designation"), 50),
                         textCol(QStringLiteral("PassWard"), 100), textCol(QStringLiteral("Status"), 1)};
        l << users;
        Table services{QStringLiteral("Services"), {}, QStringLiteral("Row_no")};
        services.columns = {intCol(QStringLiteral("Row_no")), textCol(QStringLiteral("S_name"), 50)};
        l << services;
        Table company{QStringLiteral("Company"), {}, QStringLiteral("CompCode")};
        company.columns = {intCol(QStringLiteral("CompCode")), textCol(QStringLiteral("comName"), 80),
                           textCol(QStringLiteral("comActive"), 1)};
        l << company;
        Table slips{QStringLiteral("SLIPS_MASTER"), {}, QStringLiteral("Row_no")};
        slips.columns = {intCol(QStringLiteral("Row_no")),
                         dateCol(QStringLiteral("Slip_date")),
                         textCol(QStringLiteral("CancelStatus"), 1),
                         decimalCol(QStringLiteral("Amount"), 10, 2),
                         timestampCol(QStringLiteral("Issued_at")),
                         timeCol(QStringLiteral("Slip_time")),
                         intCol(QStringLiteral("Doc_id"))};
        l << slips;
        Table doc{QStringLiteral("doc"), {}, QStringLiteral("Row_no")};
        doc.columns = {intCol(QStringLiteral("Row_no")), textCol(QStringLiteral("Doc_name"), 60)};
        l << doc;
        Table head{QStringLiteral("rptHeadWise"), {}, {}};
        head.columns = {intCol(QStringLiteral("S_Code")), decimalCol(QStringLiteral("Amount"), 12, 2)};
        l << head;
        return l;
    }();
    return list;
}

inline const wb::Table* table(const QString& name) {
    for (const wb::Table& t : tables()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

inline wb::report::TableLookup lookup() {
    return [](const QString& name) { return table(name); };
}

} // namespace reporttest
