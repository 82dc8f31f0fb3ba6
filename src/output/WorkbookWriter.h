#pragma once
// Puts a spreadsheet layout into an .xlsx file.

#include "output/WorkbookLayout.h"

#include <QString>

namespace kivo {

// Writes `layout` to `path`: the data sheet and, with a chart, the chart
// sheet "Chart" in front of it (where the spreadsheet application puts a
// chart moved to a sheet of its own). The reference lines read a hidden
// sheet, as a chart's series can only read cells. Returns "" or why the
// file could not be written, the system's reason in German or English.
QString writeWorkbook(const WorkbookLayout& layout, const QString& path, bool german);

} // namespace kivo
