#include "table/NumberFormat.h"

#include "shared/Align.h"
#include "shared/LocaleNumber.h"

#include <cmath>

namespace kivo {

int GetDecimalsInt(double value)
{
    const double frac = std::fabs(value - std::trunc(value));
    const QString text = QString::number(std::round(frac * 1000.0) / 1000.0, 'f', 3);
    QString digits = text.mid(text.indexOf(u'.') + 1);
    while (digits.endsWith(u'0')) digits.chop(1);
    return digits.isEmpty() ? 0 : digits.toInt();
}

int decimalsForUnit(const QString& unit)
{
    if (unit.startsWith(QStringLiteral("mVs"))) return 3;
    if (unit.startsWith(QStringLiteral("Oe")) || unit.startsWith(u'G') || unit.startsWith(QStringLiteral("µm"))
        || unit.startsWith(QStringLiteral("A/cm")))
        return 1;
    return 2;
}

QString FormatValue(double value, const QString& unit, const QLocale& locale)
{
    QString text = formatFixed(value, decimalsForUnit(unit), locale);
    // A reading just below zero is still below zero: -0.04 µm shows "-0,0",
    // so the table never shows a negative reading without its sign.
    if (value < 0 && !text.startsWith(locale.negativeSign())) text.prepend(locale.negativeSign());
    return Ausrichten(11, text, QStringLiteral(" "), false);
}

} // namespace kivo

namespace kivo {

bool fitsValueColumn(double value, const QString& unit)
{
    return FormatValue(value, unit, QLocale::c()).size() <= kFileValueWidth;
}

} // namespace kivo
