#pragma once

#include <QString>

namespace kivo {

// Spreadsheet cell name of a 1-based column and a row: (3, 28) gives "AB3".
// Two letters at most, so columns 1..702.
QString ColumnLetters(int row, int column);

} // namespace kivo
