#include "table/NumberFormat.h"

#include "table/Align.h"

#include <cmath>

namespace kivo {

namespace {

// Rounds a plain decimal text ("123.456789") to `decimals` decimals, halves
// up in magnitude.
QString roundDecimalText(const QString& text, int decimals)
{
    const qsizetype dot = text.indexOf(u'.');
    const QString intPart = dot < 0 ? text : text.left(dot);
    QString frac = dot < 0 ? QString() : text.mid(dot + 1);
    frac = (frac + QString(decimals + 1, u'0'));
    const bool roundUp = frac[decimals] >= u'5';
    QString digits = intPart + frac.left(decimals);
    if (roundUp) {
        qsizetype i = digits.size() - 1;
        for (; i >= 0; --i) {
            if (digits[i] == u'9') {
                digits[i] = u'0';
                continue;
            }
            digits[i] = QChar(digits[i].unicode() + 1);
            break;
        }
        if (i < 0) digits.prepend(u'1'); // 9.99 -> 10.0
    }
    const qsizetype intLen = digits.size() - decimals;
    QString out = digits.left(intLen);
    if (out.isEmpty()) out = QStringLiteral("0");
    if (decimals > 0) out += u'.' + digits.mid(intLen);
    return out;
}

} // namespace

QString formatFixed(double value, int decimals, const QLocale& locale)
{
    if (!std::isfinite(value)) return locale.toString(value);
    decimals = qBound(0, decimals, 10);
    const bool negative = value < 0;
    // Six guard digits absorb the binary representation error first.
    const QString exact = QString::number(std::fabs(value), 'f', decimals + 6);
    QString text = roundDecimalText(exact, decimals);
    const bool zero = text.count(u'0') + text.count(u'.') == text.size();
    if (decimals > 0) text.replace(u'.', locale.decimalPoint());
    if (negative && !zero) text.prepend(locale.negativeSign());
    return text;
}

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
