#pragma once
// The inspection report drawn into a PDF with Qt's PDF writer: vector
// charts, the fonts embedded, "Page x of y" on every page. The file is
// whole or not there.

#include "output/CustomerReport.h"

#include <QCoreApplication>
#include <QString>
#include <memory>

namespace kivo {

// Writes `report` to `path`, replacing an older file only once the new one
// is whole; "" or why it cannot be written. Needs a QGuiApplication.
QString writeReportPdf(const CustomerReport& report, const QString& path);

// The application of a program without a window that draws the report:
// Qt Gui on the offscreen platform (unless another is set), never a screen.
std::unique_ptr<QCoreApplication> drawingApplication(int& argc, char** argv);

} // namespace kivo
