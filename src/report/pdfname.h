#pragma once

#include <QDate>
#include <QString>

namespace wb::report {

// Where "Save as PDF" proposes to save a report: in the user's documents folder (made when it does
// not exist yet; the home folder when it cannot be), a file named after the report's title, the key
// of the record it was printed for (when it is one record's paper) and the date, such as
// "Doctors List 2026-12-08.pdf" or "Patient Slip 123 2026-12-09.pdf".
QString proposedPdfPath(const QString& title, const QDate& date, const QString& record = {});

} // namespace wb::report
