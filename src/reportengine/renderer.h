#pragma once

#include "document.h"
#include "reporttemplate.h"

#include <QDateTime>
#include <memory>

namespace wb {
class Connection;
}

namespace wb::report {

// The query that reads a report's (or subreport's) rows: its fields, tables, filter, selection
// formula and order, every value bound.
struct ReportQuery {
    QString sql;
    QVariantList values;
};
ReportQuery buildQuery(const ReportTemplate& t);

// Reads the rows of a report and its subreports through the connection and lays out the pages.
// `now` is the print date and time the report shows. Throws ReportError or the data layer's DbError.
std::shared_ptr<Document> renderReport(const ReportTemplate& t, Connection& con,
                                       const QDateTime& now = QDateTime::currentDateTime());

// A value as a report shows it: dates dd/MM/yyyy, decimals with their column's places, Null empty.
QString formatValue(const QVariant& value, const Column& column);

} // namespace wb::report
