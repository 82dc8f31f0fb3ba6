#pragma once
// Windows-1252, the 8-bit code page of the program's files on every system.

#include <QByteArray>
#include <QString>

namespace kivo {

// Bytes to text. A file that starts with the UTF-8 byte-order mark is read as
// UTF-8 instead, so a settings file saved by a modern editor still reads.
QString decodeText(const QByteArray& bytes);

// Windows-1252 bytes to text, one character per byte.
QString decodeCp1252(const QByteArray& bytes);

// Text to Windows-1252 bytes; a character the code page lacks becomes "?".
QByteArray encodeCp1252(const QString& text);

} // namespace kivo
