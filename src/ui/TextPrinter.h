#pragma once
// Prints plain text line by line in a fixed-pitch font inside margins of at
// least 15 mm, starting a new page whenever the next line would run into the
// foot, where pages from the second on carry their number.

#include <QString>
#include <QStringList>

class QPrinter;

namespace kivo {

// The lines a text prints as: split at its line ends, without the empty
// (or blank) lines at its end, which would only start a page of nothing.
QStringList linesToPrint(const QString& text);

// Lucida Console 10 pt where the system has it, else its fixed-pitch font.
// False when the print could not be done; `failure` then names the file or
// printer and the reason.
bool printText(QPrinter& printer, const QString& text, QString* failure = nullptr);

} // namespace kivo
