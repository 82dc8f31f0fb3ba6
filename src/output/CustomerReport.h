#pragma once
// The inspection report a customer is handed: what it says, page by page
// content but not yet drawn. A head (brand, program, gauge, memory, when),
// the project data, the statistics with the limits and how many readings
// fall below, within and above them, the verdict of the chosen check, a
// line chart and a histogram, and every reading, those outside the limits
// marked. Pure: plain values in, texts and figures out; the PDF writer
// draws it.

#include "charts/ChartLook.h"
#include "evaluation/Judgement.h"
#include "settings/SettingsFiles.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace kivo {

struct ReportReading {
    int nr = 0;
    double value = 0; // as stored
    QString unit;     // as stored (4 wide)
    QString material;
    QString date;     // "dd.MM.yyyy"
    QString time;     // "hh:mm:ss"
};

// Everything the report is made of, as the session holds it.
struct ReportSource {
    bool german = false;
    QLocale locale;
    QString brand;        // the company
    QString program;      // name and version
    QString gaugeModel;   // "" where no gauge is known (a file)
    QString gaugeCode, gaugeVersion, serial;
    QString memory;       // the memory, "Online", a file's or an archived inspection's name
    std::array<QString, 6> captions;
    std::array<QString, 6> fields;
    QString projectDate;         // as the project data give it, "" for none
    std::vector<ReportReading> readings;
    std::vector<double> counted; // the readings as the statistics count them
    bool absolut = true;         // the limits judge the readings' sizes
    bool signDropped = false;    // `counted` holds the size of a reading that had a sign
    LimitFields limits;
    std::optional<Judgement> judgement;
    QString tableName;           // as the statistics name it
    QDateTime madeAt;            // local time
    bool letter = false;         // the locale's paper is Letter, not A4
};

// Which side of the limits a reading lies on; None while no limit is set.
enum class Side { None, Below, Within, Above };
Side sideOf(double value, bool absolut, const LimitFields& limits);
// The mark a reading outside the limits carries, that survives printing
// in black and white: "▼" below, "▲" above, "" otherwise.
QString sideMark(Side side);

struct ReportPair {
    QString caption;
    QString value;
};

struct ReportCell {
    QString nr, value, unit, material, time;
    Side side = Side::None;
};

// A histogram of the counted readings: `counts[i]` readings lie in
// [lo + i·width, lo + (i+1)·width), the last bin closed.
struct Histogram {
    double lo = 0;
    double width = 1;
    std::vector<int> counts;
};
// Between 5 and 30 bins (the square root of the count), the limits and the
// target inside the span so their lines show.
Histogram histogramOf(const std::vector<double>& values, const std::vector<double>& marks);

// A line across the histogram: a limit or the target.
struct HistogramMark {
    QString caption;
    double value = 0;
    bool target = false;
};

struct CustomerReport {
    bool letter = false;
    QString title;       // "Prüfbericht" / "Inspection report"
    QString subtitle;    // brand and program
    std::vector<ReportPair> head;
    QString projectTitle;
    std::vector<ReportPair> project;
    QString figuresTitle;
    std::vector<ReportPair> figures;
    QString verdictTitle;       // "" when no check was chosen
    QStringList verdictLines;   // what was judged, the criteria with ✓/✗, the correction
    QString verdict;            // "ISO 19840: erfüllt"
    bool met = false;
    QString chartTitle;
    ChartLook chart;            // readings and reference lines
    QString histogramTitle;
    Histogram histogram;
    std::vector<HistogramMark> histogramMarks;
    int decimals = 1;
    QString unit;
    QString readingsTitle;
    std::array<QString, 5> columns; // Nr., value, unit, material, time
    std::vector<ReportCell> cells;
    QString legend;     // what the marks mean
    QString pageText;   // "Seite %1 von %2"
    QString signature;  // the date and signature line at the end
    QString madeText;   // when and by what the report was made
};

// Why no report can be made of the table: no readings, or readings of more
// than one unit; "" when it can.
QString whyNoReport(const ReportSource& source);

CustomerReport buildCustomerReport(const ReportSource& source);

} // namespace kivo
