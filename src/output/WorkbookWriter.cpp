#include "output/WorkbookWriter.h"

#include "output/CsvExport.h"
#include "shared/SystemError.h"
#include "shared/ZipArchive.h"
#include "texts/Phrases.h"

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <QHash>
#include <charconv>
#include <xlsxwriter.h>

namespace kivo {

namespace {

// Hidden sheet holding the reference lines' points.
const char* const kLinesSheet = "ChartLines";
// Numbers along the chart's horizontal axis, at most.
constexpr int kAxisLabels = 10;

// The smallest step of 1, 2 or 5 times a power of ten that is at least `step`.
int roundStep(int step)
{
    for (int power = 1;; power *= 10)
        for (int m : {1, 2, 5})
            if (m * power >= step) return m * power;
}
// The font family "modern": a font of fixed pitch, so a program without
// Lucida Console takes another fixed-pitch font for the columns.
constexpr uint8_t kModernFamily = 3;

lxw_color_t lxwColour(const Rgb& c)
{
    const lxw_color_t rgb = lxw_color_t(c.value());
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : rgb; // 0 would mean "no colour set"
}

uint8_t dashOf(WorkbookSeries::Line line)
{
    switch (line) {
    case WorkbookSeries::Line::SystemDot: return LXW_CHART_LINE_DASH_ROUND_DOT; // written as "sysDot"
    case WorkbookSeries::Line::Dash: return LXW_CHART_LINE_DASH_DASH;
    case WorkbookSeries::Line::Solid:
    case WorkbookSeries::Line::Target: break; // no double line in the writer: the nearest is a solid one
    }
    return LXW_CHART_LINE_DASH_SOLID;
}

// A number as the writer prints it ("-12.5", "8.199999999999999", "1E-3")
// with more digits than a value of ours has, or with an exponent: only such
// a one needs writing anew; most cells (counts, string indexes, the gauge's
// own values) are left as they are, quickly.
bool isNoisyNumber(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == '-') ++i;
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i == n) return digits > kCsvSignificantDigits;
    // An exponent: "E", a sign, digits, and nothing after them.
    if (text[i] != 'E' && text[i] != 'e') return false;
    if (++i < n && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == n) return false;
    for (; i < n; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// Whether the writer prints `value` with noise ("%.16G": 8.2 comes out as
// 8.199999999999999), so the finished file must have its numbers written
// anew.
bool printsNoisily(double value)
{
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 16).ptr;
    return isNoisyNumber(QByteArrayView(buf, end - buf));
}

class Workbook {
public:
    explicit Workbook(const QString& path)
    {
        lxw_workbook_options options{};
        options.use_zip64 = LXW_FALSE;
        book = workbook_new_opt(path.toUtf8().constData(), &options);
    }
    ~Workbook()
    {
        if (book) lxw_workbook_free(book); // only when close() was never reached
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* get() const { return book; }

    // The sheet font, bold, with `numberFormat` when it has one.
    lxw_format* format(const QString& numberFormat)
    {
        if (lxw_format* known = formats.value(numberFormat)) return known;
        lxw_format* f = workbook_add_format(book);
        format_set_font_name(f, "Lucida Console");
        format_set_font_family(f, kModernFamily);
        format_set_font_size(f, 10);
        format_set_bold(f);
        if (!numberFormat.isEmpty()) format_set_num_format(f, numberFormat.toUtf8().constData());
        formats.insert(numberFormat, f);
        return f;
    }

    // A number into a cell, noting whether the file will print it with noise.
    lxw_error number(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, double value, lxw_format* f)
    {
        noisy = noisy || printsNoisily(value);
        return worksheet_write_number(sheet, row, col, value, f);
    }
    bool printsNoise() const { return noisy; }

    lxw_error close()
    {
        const lxw_error result = workbook_close(book); // frees the workbook
        book = nullptr;
        return result;
    }

private:
    lxw_workbook* book = nullptr;
    QHash<QString, lxw_format*> formats;
    bool noisy = false;
};

lxw_error writeCells(Workbook& book, lxw_worksheet* sheet, const WorkbookLayout& layout)
{
    // Empty cells take the sheet's font too, as in a sheet whose cells were
    // all given it.
    lxw_format* plain = book.format(QString());
    for (int c = 0; c < 5; ++c) {
        const double width = layout.columnWidths[size_t(c)];
        if (lxw_error e = worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), width > 0 ? width : LXW_DEF_COL_WIDTH, plain))
            return e;
    }
    if (lxw_error e = worksheet_set_column(sheet, 5, LXW_COL_MAX - 1, LXW_DEF_COL_WIDTH, plain)) return e;
    // Printed one page wide, the heading of the readings on every page.
    worksheet_fit_to_pages(sheet, 1, 0);
    if (layout.dataRows > 0)
        if (lxw_error e = worksheet_repeat_rows(sheet, lxw_row_t(layout.headerRow - 1), lxw_row_t(layout.headerRow - 1)))
            return e;

    for (const SheetCell& cell : layout.cells) {
        lxw_format* f = book.format(cell.numberFormat);
        const auto row = lxw_row_t(cell.row - 1);
        const auto col = lxw_col_t(cell.col);
        lxw_error e = LXW_NO_ERROR;
        if (const double* number = std::get_if<double>(&cell.value))
            e = book.number(sheet, row, col, *number, f);
        else if (const QString* text = std::get_if<QString>(&cell.value))
            e = worksheet_write_string(sheet, row, col, text->toUtf8().constData(), f);
        else
            e = worksheet_write_blank(sheet, row, col, f);
        if (e) return e;
    }
    return LXW_NO_ERROR;
}

lxw_error writeChart(Workbook& book, lxw_chartsheet* chartSheet, const QByteArray& dataSheet,
                     const WorkbookLayout& layout)
{
    const WorkbookChart& c = *layout.chart;
    lxw_worksheet* lines = workbook_add_worksheet(book.get(), kLinesSheet);
    if (!lines) return LXW_ERROR_MEMORY_MALLOC_FAILED;
    worksheet_hide(lines);

    const int n = layout.dataRows;
    // An empty table still gets its (empty) chart: the ranges then name one
    // empty cell.
    const auto last = lxw_row_t(qMax(n, 1) - 1);

    lxw_chart* chart = workbook_add_chart(book.get(), LXW_CHART_LINE);
    if (!chart) return LXW_ERROR_MEMORY_MALLOC_FAILED;
    lxw_chart_font font{};
    font.size = 15;
    lxw_chart_font titleFont = font;
    titleFont.bold = LXW_TRUE;
    const QByteArray title = c.title.toUtf8();
    chart_title_set_name(chart, title.constData());
    chart_title_set_name_font(chart, &titleFont);
    const QByteArray valueAxis = c.valueAxis.toUtf8();
    const QByteArray categoryAxis = c.categoryAxis.toUtf8();
    chart_axis_set_name(chart->y_axis, valueAxis.constData());
    chart_axis_set_name(chart->x_axis, categoryAxis.constData());
    for (lxw_chart_axis* axis : {chart->x_axis, chart->y_axis}) {
        chart_axis_set_name_font(axis, &font);
        chart_axis_set_num_font(axis, &font);
    }
    lxw_chart_fill plotFill{};
    plotFill.color = 0xF0F0F0;
    chart_plotarea_set_fill(chart, &plotFill);
    lxw_chart_fill noFill{};
    noFill.none = LXW_TRUE;
    chart_chartarea_set_fill(chart, &noFill);
    // About ten numbers along the axis at a round step, so those of 5000
    // points stay apart.
    const auto interval = uint16_t(roundStep((layout.dataRows + kAxisLabels - 1) / kAxisLabels));
    chart_axis_set_interval_unit(chart->x_axis, interval);
    chart_axis_set_interval_tick(chart->x_axis, interval);
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    chart_legend_set_font(chart, &font);

    const auto firstValueRow = lxw_row_t(layout.headerRow + 1); // H+2, counted from 0
    // No series names its x values: a line chart counts its points 1..n.
    int linesColumn = 0;
    for (const WorkbookSeries& s : c.series) {
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        if (!series) return LXW_ERROR_MEMORY_MALLOC_FAILED;
        if (s.readings) {
            // The readings themselves, from the value cells of the data sheet.
            chart_series_set_values(series, dataSheet.constData(), firstValueRow, 2, firstValueRow + last, 2);
            chart_series_set_name(series, s.name.toUtf8().constData());
        } else {
            const auto col = lxw_col_t(linesColumn++);
            for (int i = 0; i < n && i < int(s.values.size()); ++i)
                if (lxw_error e = book.number(lines, lxw_row_t(i), col, s.values[size_t(i)], nullptr)) return e;
            chart_series_set_values(series, kLinesSheet, 0, col, last, col);
            chart_series_set_name(series, s.name.toUtf8().constData());
        }
        lxw_chart_line line{};
        line.color = lxwColour(s.colour);
        line.dash_type = dashOf(s.line);
        chart_series_set_line(series, &line);
        chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
    }
    return chartsheet_set_chart(chartSheet, chart);
}

} // namespace

QByteArray withShortestNumbers(const QByteArray& xml)
{
    QByteArray out; // built from the first number written anew on
    qsizetype copied = 0;
    // The next of each kind of element, found once each: a sheet holds no
    // chart cache, and searching for one again at every cell would take
    // time in the square of the sheet's size.
    qsizetype plain = xml.indexOf("<v>");
    qsizetype cached = xml.indexOf("<c:v>");
    for (;;) {
        const bool isPlain = plain >= 0 && (cached < 0 || plain < cached);
        const qsizetype open = isPlain ? plain : cached;
        if (open < 0) break;
        const qsizetype start = open + (isPlain ? 3 : 5);
        const qsizetype end = xml.indexOf(isPlain ? "</v>" : "</c:v>", start);
        if (end < 0) break;
        const QByteArrayView value(xml.constData() + start, end - start);
        if (isNoisyNumber(value)) {
            if (out.isEmpty()) out.reserve(xml.size());
            out.append(xml.constData() + copied, start - copied);
            out += shortestNumber(value.toDouble(), u'.').toLatin1();
            copied = end;
        }
        if (isPlain)
            plain = xml.indexOf("<v>", end);
        else
            cached = xml.indexOf("<c:v>", end);
    }
    if (copied == 0) return xml;
    out.append(xml.constData() + copied, xml.size() - copied);
    return out;
}

namespace {

// The finished file's numbers with the digits they have: its sheets and
// charts read, rewritten and the archive written anew.
QString shortenNumbers(const QString& path, bool german)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    std::optional<std::vector<ZipMember>> members = readZip(file.readAll());
    file.close();
    if (!members) return phrase(Phrase::WorkbookIncomplete, german);
    for (ZipMember& m : *members)
        if ((m.name.startsWith(u"xl/worksheets/") || m.name.startsWith(u"xl/charts/")) && m.name.endsWith(u".xml"))
        {
            QByteArray shortened = withShortestNumbers(m.bytes);
            if (shortened.constData() == m.bytes.constData()) continue; // nothing to write anew: copied as it is
            m.bytes = std::move(shortened);
            m.raw.clear();
            m.fast = true; // thousands of cells: the archive is written in the time the writer took
        }
    return writeZip(path, *members, german);
}

} // namespace

QString writeWorkbook(const WorkbookLayout& layout, const QString& path, bool german)
{
    Workbook book(path);
    if (!book.get()) return QString::fromUtf8(lxw_strerror(LXW_ERROR_CREATING_XLSX_FILE));

    // The chart sheet comes first and is the one on show, as after moving a
    // chart to a new sheet in the spreadsheet application.
    lxw_chartsheet* chartSheet = layout.chart ? workbook_add_chartsheet(book.get(), "Chart") : nullptr;
    const QByteArray sheetName = layout.sheetName.toUtf8();
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), sheetName.constData());
    if (!sheet || (layout.chart && !chartSheet)) return QString::fromUtf8(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));

    lxw_error e = writeCells(book, sheet, layout);
    if (!e && layout.chart) {
        e = writeChart(book, chartSheet, sheetName, layout);
        chartsheet_activate(chartSheet);
    }
    if (e) return QString::fromUtf8(lxw_strerror(e));
    errno = 0;
    const bool noisy = book.printsNoise();
    e = book.close();
    // Most tables print clean: only a file with noise is read and written anew.
    if (!e) return noisy ? shortenNumbers(path, german) : QString();
    // The writer's own text names the step; the system's says what went wrong.
    const int systemError = errno;
    QString reason = QString::fromUtf8(lxw_strerror(e));
    if (systemError) reason += QStringLiteral(" (") + systemErrorText(systemError, german) + u')';
    return reason;
}

QString workbookLibraryVersion() { return QStringLiteral(LXW_VERSION); }

} // namespace kivo
