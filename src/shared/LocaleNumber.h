#pragma once
// Numbers as text in the operator's locale, read and written alike by the
// table, the settings files and the reports.

#include <QLocale>
#include <QString>
#include <optional>

namespace kivo {

// The numbers of the program's language: a decimal comma in German, a
// point in English.
QLocale languageLocale(bool german);

// `value` with exactly `decimals` decimals, halves away from zero, at least
// one integer digit, no thousands separator, the locale's decimal separator.
// The value is first taken at the precision a person reads it with, so
// 2.675 rounds to 2.68 although the double lies just below it.
QString formatFixed(double value, int decimals, const QLocale& locale);

// The largest magnitude the program takes: far past any gauge's range, and
// small enough that the statistics' sums of squares and the acceptance
// rules' products stay finite.
inline constexpr double kLargestNumber = 1e12;

// The rule of every number field and every number of a settings file or a
// measurement file: only a finite value within ±kLargestNumber is a number.
// "nan", "inf", an overflow such as 1e999 and 1e308 are none; they would
// reach the table's colours, the statistics, the report and the files.
std::optional<double> numberInRange(double value);

// A number written with either decimal separator; a second separator (a
// thousands group) makes it no number.
std::optional<double> parseLocaleNumber(const QString& text);

// A number in the locale's own format (its thousands group allowed), as a
// field the operator types into reads it.
std::optional<double> parseSystemNumber(const QString& text, const QLocale& locale);

} // namespace kivo
