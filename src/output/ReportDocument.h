#pragma once
// The report as an OpenDocument text, for the word processor.

#include <QByteArray>
#include <QString>

namespace kivo {

// The document's text part: a paragraph per line of `reportText` (lines end
// in CR LF), blanks kept as they are.
QByteArray reportContentXml(const QString& reportText);

// Writes the document to `path`. Every paragraph, empty ones included, is
// in Lucida Console 10 pt, not bold, declared a fixed-pitch font so that a
// system without it puts another fixed-pitch font in its place and the
// report's columns still line up. Returns "" or why it failed, the
// system's reason in German or English.
QString writeReportDocument(const QString& reportText, const QString& path, bool german);

} // namespace kivo
