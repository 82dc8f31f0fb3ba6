#pragma once
// Reading the line files the simulator is given (identification reply,
// memory records, online readings).

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace kivo::sim {

// The lines of a file of 8-bit text (Windows-1252), as bytes. Lines may end
// in CR LF, LF or CR; the line end after the last line is optional. A file
// that starts with the UTF-8 byte-order mark is converted to Windows-1252,
// so µ is always the one byte 0xB5 on the wire.
QList<QByteArray> splitFileLines(const QByteArray& content);

// Reads and splits a file; nullopt and a message in error when it cannot be read.
std::optional<QList<QByteArray>> readLineFile(const QString& path, QString* error);

} // namespace kivo::sim
