#pragma once
// The archive's inspections as the operator reads them: in the archive
// window's list, and in kivo-cli's `archive list` and `archive show`. Pure,
// in both languages.

#include "archive/ArchiveRecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace kivo {

// A text on one line: control characters and line breaks are blanks.
QString oneLine(QString text);

// "Speicher 1", "Memory 2", "Online", "Datei" ...
QString sourceName(const QString& source, bool german);
// When it was taken, in local time: "08.12.2026 14:05" or "2026-12-08 14:05".
QString takenText(const QDateTime& takenAt, bool german);
// The gauge as the identification named it, else the installation's model;
// with its serial number where known.
QString gaugeText(const QString& model, const QString& gaugeCode, const QString& serial);
// A number as the table shows a reading of `unit`, without its padding.
QString meanText(double mean, const QString& unit, const QLocale& locale);

// The archive window's columns, and one inspection's cells under them.
QStringList listHeadings(const std::array<QString, 6>& projectCaptions, bool german);
QStringList listCells(const InspectionSummary& summary, bool german, const QLocale& locale);

// One line of `archive list`: the ID, date, gauge, memory, count, unit and
// the project fields between tabs; a tab or line break inside a field is a
// blank, so one inspection is always one line.
QString listLine(const InspectionSummary& summary, bool german);
// `archive show`: the inspection whole, its project data, then every
// reading (number, value, unit, material, date, time).
QStringList showLines(const Inspection& inspection, bool german, const QLocale& locale);

} // namespace kivo
