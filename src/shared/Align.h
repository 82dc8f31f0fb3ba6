#pragma once
// Fixed-width text alignment used by the grid, the statistics and reports.

#include <QString>

namespace kivo {

// Right alignment: pads `sText` on the left with the first character of
// `sFuell` up to `maxLaenge`; a longer text is cut only when `bKuerzen`.
QString Ausrichten(int maxLaenge, const QString& sText, const QString& sFuell, bool bKuerzen);

// Left alignment: the trimmed text padded with blanks and cut to `maxLaenge`.
QString AusrichtenL(int maxLaenge, const QString& sText);

} // namespace kivo
