#pragma once
// Number texts of the table, the statistics and the limits caption.

#include "shared/LocaleNumber.h"

#include <QLocale>
#include <QString>

namespace kivo {

// The digits of the fractional part, rounded to three decimals, as a whole
// number: 2.25 and -2.25 give 25, 0.5 gives 5, 7 and 0.0004 give 0.
int GetDecimalsInt(double value);

// Decimals of a value shown in `unit`: 3 for mVs; 1 for Oe, G, µm, A/cm;
// 2 for anything else.
int decimalsForUnit(const QString& unit);

// The 11-character value text of the table and the statistics; a negative
// value keeps its "-" even when it rounds to zero.
QString FormatValue(double value, const QString& unit, const QLocale& locale);

// The width of a value in a measurement file's row.
inline constexpr qsizetype kFileValueWidth = 11;

// Whether `value`, as the program writes it for `unit`, fits its column of a
// measurement file: a reading that does not would be lost at the next save
// and load, so neither the wire nor a file brings one into a table.
bool fitsValueColumn(double value, const QString& unit);

} // namespace kivo
