#pragma once
// A field of outside data (a settings file, a gauge's reply) as a message
// quotes it: short enough for a message box and the log, and with nothing
// in it that the screen would hide or act on.

#include <QString>

namespace kivo {

// The longest part of a field a message quotes.
inline constexpr qsizetype kExcerptLength = 60;

// The first kExcerptLength characters of `field`, followed by "…" when it is
// longer; each control character is written as "\xHH" (a tab as "\x09").
QString fieldExcerpt(const QString& field);

} // namespace kivo
