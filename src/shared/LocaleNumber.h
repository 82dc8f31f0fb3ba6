#pragma once
// Numbers as text in the operator's locale, read and written alike by the
// table, the settings files and the reports.

#include <QLocale>
#include <QString>
#include <optional>

namespace kivo {

// `value` with exactly `decimals` decimals, halves away from zero, at least
// one integer digit, no thousands separator, the locale's decimal separator.
// The value is first taken at the precision a person reads it with, so
// 2.675 rounds to 2.68 although the double lies just below it.
QString formatFixed(double value, int decimals, const QLocale& locale);

// A number written with either decimal separator; a second separator (a
// thousands group) makes it no number.
std::optional<double> parseLocaleNumber(const QString& text);

} // namespace kivo
