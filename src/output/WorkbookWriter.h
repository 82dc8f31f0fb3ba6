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

// The version of libxlsxwriter the program was built with.
QString workbookLibraryVersion();

// A sheet's or chart's XML with every number a cell or a chart's cache holds
// (<v>, <c:v>) written with the digits it has, as the CSV writes it: the
// writer prints 16 digits, so 8.2 came out as 8.199999999999999, which a
// spreadsheet keeping 15 digits takes for less than 8.2.
QByteArray withShortestNumbers(const QByteArray& xml);

} // namespace kivo
