#pragma once
// An operating manual from its Markdown text to a PDF, with Qt's own text
// layout: the model's name put in, the title on a page of its own, the
// pictures no wider than the text.

#include <QString>

namespace kivo {

// The manual's Markdown with every "{{MODEL}}" replaced by `model`.
QString manualText(const QString& markdown, const QString& model);

// Writes the manual to `pdf`; pictures are read relative to `baseFolder`.
// Returns "" or why it failed.
QString writeManualPdf(const QString& markdown, const QString& model, const QString& baseFolder, const QString& pdf);

// "RK-TALO" from "Manual_RK-TALO_TRANSFER.pdf".
QString modelOfManual(const QString& fileName);

} // namespace kivo
