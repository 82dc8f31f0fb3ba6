#pragma once
// The inspection report drawn into a PDF with Qt's PDF writer: vector
// charts, the fonts embedded, "Page x of y" on every page. The file is
// whole or not there.

#include "output/InspectionReport.h"

#include <QString>

namespace kivo {

// Writes `report` to `path`, replacing an older file only once the new one
// is whole; "" or why it cannot be written. Needs a QGuiApplication.
QString writeReportPdf(const InspectionReport& report, const QString& path);

} // namespace kivo
