#pragma once
// What the info window shows as the model's name, and which manual belongs
// to a gauge: pure rules over the program name and the model code.

#include <QString>
#include <QStringList>

namespace kivo {

// The model's name in the info window: the program name before
// " RIDIVORI", or the model code when the name has none (a partner brand);
// the VELO-PROBA family adds which probe the gauge has.
QString infoModelName(const QString& pgmname, const QString& geraet);

// The manual's file name for a model code, without the language prefix;
// "" when no rule knows the code.
QString manualFileName(const QString& geraet);

// "DE_" for German, "EN_" otherwise.
QString manualPrefix(bool german);

// Every manual the program may look for, without the prefix.
QStringList allManualFileNames();

// The help-file path before any manual was chosen: it names no manual.
inline constexpr const char* kDefaultHelpFile = "Manual_TRANSFER.pdf";

} // namespace kivo
