#pragma once
// A manual's pages printed to a PDF file: the laid-out document page by
// page, each page after the title numbered at its foot.

#include <QString>

namespace kivo {

// Writes the manual (Markdown with everything put in) to `pdf`, titled
// `title`; pictures are read relative to `baseFolder`. Returns "" or why it
// failed.
QString writeManualPdf(const QString& markdown, const QString& title, const QString& contentsTitle,
                       const QString& baseFolder, const QString& pdf);

} // namespace kivo
