#pragma once
// The spreadsheet export's data sheet and chart, as values: which cell
// holds what, with which number format, and which series the chart draws.
// The workbook writer only puts this layout into a file.

#include "output/ReportText.h"
#include "shared/Rgb.h"
#include "table/Statistics.h"

#include <QString>
#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace kivo {

struct SheetCell {
    int row = 1;  // from 1
    int col = 0;  // 0 = column A
    std::variant<std::monostate, QString, double> value; // monostate: blank, formatted only
    QString numberFormat; // "" = none of its own
};

struct WorkbookSeries {
    QString name;          // the legend's entry
    Rgb colour;
    enum class Line { Solid, SystemDot, Dash, Target } line = Line::Solid;
    std::vector<double> values;
    bool readings = false; // the readings themselves, drawn from the data sheet's value cells
};

struct WorkbookChart {
    QString title;         // the statistics list's first line
    QString valueAxis;     // "Messwerte" / "Data"
    QString categoryAxis;  // "Anzahl" / "Number"
    std::vector<WorkbookSeries> series;
};

struct WorkbookLayout {
    QString sheetName;
    std::vector<SheetCell> cells;
    std::array<double, 5> columnWidths{}; // A..E; 0 = the default width
    int headerRow = 0;                    // H
    int dataRows = 0;                     // readings written from row H+2
    std::optional<WorkbookChart> chart;
};

struct WorkbookInput {
    bool german = true;
    QString reportP;               // the report's head, mode "P"
    Statistics stats;              // the last statistics pass
    int statCount = 0;             // n
    bool absolut = false;
    LimitFields limits;
    std::array<QString, 4> heading; // the grid's heading cells
    QString materialart;
    std::vector<ReportRow> rows;   // the readings in slot order
    QString chartTitle;
};

// Rounds to two decimals, a half in the last place to the even digit.
double roundHalfEven2(double value);

WorkbookLayout buildWorkbook(const WorkbookInput& in, bool withChart);

} // namespace kivo
