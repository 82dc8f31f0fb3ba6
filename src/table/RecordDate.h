#pragma once
// The date a record carries. Pure.

#include <QString>

namespace kivo {

// The date a record's date field begins with ("dd.mm.yyyy"); "" when it
// holds none. A table read from a file keeps the file's whole date line in
// its first record and a blank in the others.
QString leadingDate(const QString& datum);

} // namespace kivo
