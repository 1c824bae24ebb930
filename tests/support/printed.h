#pragma once

#include <QString>

namespace wbtest {

// The text of the report the viewer window shows now, as pdftotext reads it from a PDF of it
// (empty when the viewer shows nothing).
QString printedText();

} // namespace wbtest
