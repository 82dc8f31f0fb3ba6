#include "shared/LocaleNumber.h"

#include <QRegularExpression>
#include <cmath>

namespace kivo {

QLocale languageLocale(bool german)
{
    return german ? QLocale(QLocale::German, QLocale::Germany) : QLocale(QLocale::English, QLocale::UnitedStates);
}

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

std::optional<double> numberInRange(double value)
{
    if (!std::isfinite(value) || std::abs(value) > kLargestNumber) return std::nullopt;
    return value;
}

std::optional<double> parseSystemNumber(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok) return std::nullopt;
    return numberInRange(v);
}

std::optional<double> parseLocaleNumber(const QString& text)
{
    static const QRegularExpression kNumber(
        QStringLiteral(R"(^[+-]?(\d+([.,]\d*)?|[.,]\d+)([eE][+-]?\d+)?$)"));
    const QString t = text.trimmed();
    if (!kNumber.match(t).hasMatch()) return std::nullopt;
    QString c = t;
    c.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(c, &ok);
    if (!ok) return std::nullopt;
    return numberInRange(v);
}

} // namespace kivo
