#pragma once
// The bytes a fuzz target gets, as the program's readers receive them.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace kivo::fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// What comes off the wire: the gauges' 8-bit code page.
QString wireText(const uint8_t* data, size_t size);

// A file's lines as the program reads them (encoding chosen, line ends cut).
QStringList fileLines(const uint8_t* data, size_t size);

} // namespace kivo::fuzz

// libFuzzer's entry point; the replay runner calls it for each corpus file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
