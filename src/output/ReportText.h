#pragma once
// The plain-text report of the table on show. It is also the layout of the
// measurement files, which the program reads back, so it is kept to the
// character: CR LF after every line.

#include "settings/SettingsFiles.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace kivo {

struct ReportRow {
    QString zeit;
    int nr = 0;
    double wert = 0;
    QString einheit;
    QString material;
};

// Everything the report reads, taken from the window when it is built.
struct ReportInput {
    QString projectDate; // the project date in the locale's short form
    QString projectTime; // "HH:mm"
    std::array<QString, 6> projectLabels;
    std::array<QString, 6> projectTexts;
    QString memoryName;       // the caption line
    QString statisticsTitle;  // "Statistik:", maybe with "  mit Absolutwerten"
    QStringList statistics;   // the statistics list as shown, heading included
    LimitFields limits;
    QString firstUnit;
    QString targetLabel;      // "Sollwert    " / "Target value"
    std::array<QString, 3> heading; // grid heading cells: date, number, value
    std::vector<ReportRow> rows;    // the readings, up to the end of the table
    QLocale locale;
};

// Mode 'A' is the whole report; mode 'P' only the project block, the
// caption and the statistics heading (the spreadsheet's head).
QString buildReportText(const ReportInput& in, char mode);

// One reading row: time, 6 blanks, number in 5, value in 11, unit in 4,
// material.
QString reportRow(const ReportRow& row, const QLocale& locale);

} // namespace kivo
