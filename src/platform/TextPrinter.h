#pragma once
// Prints plain text line by line in a fixed-pitch font, starting a new page
// whenever the next line would run past the bottom.

#include <QString>

class QPrinter;

namespace kivo {

// Lucida Console 10 pt where the system has it, else its fixed-pitch font.
// False when the printer could not be started.
bool printText(QPrinter& printer, const QString& text);

} // namespace kivo
