#include "ui/ReportPdf.h"

#include <QFont>
#include <QGuiApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

constexpr double kMargin = 40;       // pt, left and right
constexpr double kTop = 40;
constexpr double kBottom = 48;       // room for the page line
constexpr double kGap = 6;
const char* const kFamily = "DejaVu Sans";

QFont font(double points, bool bold = false)
{
    QFont f(QString::fromLatin1(kFamily));
    f.setPointSizeF(points);
    f.setBold(bold);
    // No ligatures ("ffi" as one glyph), so the text is found and copied as
    // it is written.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
    return f;
}

QColor colour(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// Lays the report out page by page. Run twice: once only counting the
// pages, once drawing them with "Page x of y" known.
class Pages {
public:
    Pages(QPdfWriter* writer, QPainter* painter, const CustomerReport& report, int total)
        : writer(writer), p(painter), r(report), total(total)
    {
        const QSizeF size = writer->pageLayout().fullRect(QPageLayout::Point).size();
        width = size.width();
        height = size.height();
        y = kTop;
    }
    int pages() const { return page; }
    bool drawing() const { return p != nullptr; }
    // Text measured as the PDF sets it.
    QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, writer); }
    double contentWidth() const { return width - 2 * kMargin; }
    double bottom() const { return height - kBottom; }

    void newPage()
    {
        footer();
        if (drawing()) writer->newPage();
        ++page;
        y = kTop;
    }
    // Room for `h` more on this page, else a new one.
    void need(double h)
    {
        if (y + h > bottom() && y > kTop) newPage();
    }
    void finish() { footer(); }

    // A line or a paragraph, wrapped to the width.
    void text(const QString& t, const QFont& f, const QColor& c = Qt::black, double indent = 0)
    {
        const QFontMetricsF fm = metrics(f);
        const QRectF box(kMargin + indent, 0, contentWidth() - indent, 10000);
        const double h = fm.boundingRect(box, Qt::TextWordWrap, t).height();
        need(h);
        if (drawing()) {
            p->setFont(f);
            p->setPen(c);
            p->drawText(QRectF(kMargin + indent, y, contentWidth() - indent, h + 2), Qt::TextWordWrap, t);
        }
        y += h;
    }
    void space(double h) { y += h; }

    // Caption and value pairs in two columns of pairs.
    void pairs(const std::vector<ReportPair>& list, int perRow)
    {
        const QFont caption = font(8.5, true);
        const QFont value = font(8.5);
        const double line = metrics(value).height() + 1.5;
        const double cell = contentWidth() / perRow;
        double captionWidth = 0;
        for (const ReportPair& pr : list) captionWidth = std::max(captionWidth, metrics(caption).horizontalAdvance(pr.caption + u':'));
        captionWidth = std::min(captionWidth + 6, cell * 0.55);
        // A value is never cut short: a long one wraps, and its row grows.
        const double valueWidth = cell - captionWidth - 4;
        const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
        for (size_t i = 0; i < list.size(); i += size_t(perRow)) {
            double rowHeight = line;
            for (int k = 0; k < perRow && i + size_t(k) < list.size(); ++k)
                rowHeight = std::max(rowHeight, metrics(value).boundingRect(QRectF(0, 0, valueWidth, 10000), wrap,
                                                                            list[i + size_t(k)].value).height() + 1.5);
            need(rowHeight);
            for (int k = 0; k < perRow && i + size_t(k) < list.size(); ++k) {
                const ReportPair& pr = list[i + size_t(k)];
                const double x = kMargin + k * cell;
                if (!drawing() || pr.caption.isEmpty()) continue; // a gap that starts the next row
                p->setPen(Qt::black);
                p->setFont(caption);
                p->drawText(QRectF(x, y, captionWidth, line), Qt::AlignLeft | Qt::AlignTop,
                            metrics(caption).elidedText(pr.caption + u':', Qt::ElideRight, captionWidth - 2));
                p->setFont(value);
                p->drawText(QRectF(x + captionWidth, y, valueWidth, rowHeight), wrap, pr.value);
            }
            y += rowHeight;
        }
    }

    void heading(const QString& t)
    {
        need(40); // never a heading alone at a page's foot
        space(kGap);
        text(t, font(11, true));
        if (drawing()) {
            p->setPen(QPen(QColor(120, 120, 120), 0.6));
            p->drawLine(QPointF(kMargin, y + 1), QPointF(kMargin + contentWidth(), y + 1));
        }
        space(4);
    }

    void lineChart(double h);
    void histogram(double h);
    void readings();

private:
    void footer()
    {
        if (!drawing()) return;
        p->setFont(font(7.5));
        p->setPen(QColor(80, 80, 80));
        const QRectF line(kMargin, height - kBottom + 18, contentWidth(), 12);
        p->drawText(line, Qt::AlignLeft | Qt::AlignVCenter, r.subtitle);
        p->drawText(line, Qt::AlignRight | Qt::AlignVCenter, r.pageText.arg(page).arg(total));
    }
    // The axes of a plot in `box` from yMin to yMax, ticks labelled.
    QRectF plotArea(const QRectF& box, double yMin, double yMax, double xMin, double xMax, bool xWhole, bool yWhole = false);

    QPdfWriter* writer;
    QPainter* p;
    const CustomerReport& r;
    int total;
    int page = 1;
    double width = 595;
    double height = 842;
    double y = kTop;
};

// 1, 2 or 5 times a power of ten: about `count` steps over `span`.
// (2.5 too, unless the axis counts whole things).
double niceStep(double span, int count, bool whole = false)
{
    if (span <= 0) return 1;
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (raw <= m * power && !(whole && m == 2.5 && m * power < 10)) return std::max(whole ? 1.0 : 0.0, m * power);
    return 10 * power;
}

// The decimals a step's multiples need: 0 for 5, 1 for 2.5, 2 for 0.25.
int decimalsOf(double step)
{
    int d = 0;
    for (double scaled = step; d < 6 && std::fabs(scaled - std::round(scaled)) > 1e-9 * std::max(1.0, scaled); scaled *= 10) ++d;
    return d;
}

QRectF Pages::plotArea(const QRectF& box, double yMin, double yMax, double xMin, double xMax, bool xWhole, bool yWhole)
{
    const QFont tick = font(7);
    const QFontMetricsF fm = metrics(tick);
    const QLocale locale = QLocale();
    const double yStep = niceStep(yMax - yMin, 6, yWhole);
    const int decimals = decimalsOf(yStep);
    double labelWidth = 0;
    for (double v = std::ceil(yMin / yStep) * yStep; v <= yMax + yStep * 1e-6; v += yStep)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(locale.toString(v, 'f', decimals)));
    const QRectF plot(box.left() + labelWidth + 6, box.top() + 4, box.width() - labelWidth - 10, box.height() - fm.height() - 8);
    if (!drawing()) return plot;
    p->setFont(tick);
    const auto yAt = [&](double v) { return plot.bottom() - (v - yMin) / (yMax - yMin) * plot.height(); };
    for (double v = std::ceil(yMin / yStep) * yStep; v <= yMax + yStep * 1e-6; v += yStep) {
        p->setPen(QPen(QColor(225, 225, 225), 0.4));
        p->drawLine(QPointF(plot.left(), yAt(v)), QPointF(plot.right(), yAt(v)));
        p->setPen(Qt::black);
        p->drawText(QRectF(box.left(), yAt(v) - 6, labelWidth, 12), Qt::AlignRight | Qt::AlignVCenter,
                    locale.toString(v, 'f', decimals));
    }
    const double xStep = niceStep(xMax - xMin, 8, xWhole);
    const int xDecimals = xWhole ? 0 : decimalsOf(xStep);
    for (double v = std::ceil(xMin / xStep) * xStep; v <= xMax + xStep * 1e-6; v += xStep) {
        const double x = plot.left() + (v - xMin) / (xMax - xMin) * plot.width();
        p->setPen(QPen(Qt::black, 0.5));
        p->drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3));
        p->drawText(QRectF(x - 30, plot.bottom() + 3, 60, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                    locale.toString(v, 'f', xDecimals));
    }
    p->setPen(QPen(Qt::black, 0.7));
    p->setBrush(Qt::NoBrush);
    p->drawRect(plot);
    return plot;
}

void Pages::lineChart(double h)
{
    need(h + 30); // the heading and its chart on one page
    heading(r.chartTitle);
    need(h);
    const ChartLook& c = r.chart;
    const QRectF box(kMargin, y, contentWidth() * 0.78, h);
    // One reading stands in the middle, not on the plot's edge.
    const bool one = c.xMax <= 1;
    const double xMin = one ? 0 : 1;
    const double xMax = one ? 2 : c.xMax;
    const QRectF plot = plotArea(box, c.yMin, c.yMax, xMin, xMax, true);
    if (drawing() && !c.series.empty()) {
        const auto at = [&](double i, double v) {
            return QPointF(plot.left() + (i - xMin) / (xMax - xMin) * plot.width(),
                           plot.bottom() - (v - c.yMin) / (c.yMax - c.yMin) * plot.height());
        };
        p->save();
        p->setClipRect(plot.adjusted(-1, -1, 1, 1));
        const ChartSeries& values = c.series.front();
        QPainterPath path;
        for (size_t i = 0; i < values.values.size(); ++i) {
            const QPointF pt = at(double(i + 1), values.values[i]);
            if (i == 0) path.moveTo(pt);
            else path.lineTo(pt);
        }
        if (values.values.size() == 1) {
            p->setBrush(colour(values.colour));
            p->drawEllipse(at(1, values.values[0]), 2.0, 2.0);
            p->setBrush(Qt::NoBrush);
        }
        p->setPen(QPen(colour(values.colour), values.values.size() > 500 ? 0.4 : 0.9));
        p->drawPath(path);
        for (size_t s = 1; s < c.series.size(); ++s) {
            const ChartSeries& line = c.series[s];
            if (line.values.empty()) continue;
            QPen pen(colour(line.colour), 1.0, s == 1 && c.series.size() > 2 ? Qt::DashLine : Qt::DashDotLine);
            p->setPen(pen);
            const double v = line.values.front();
            p->drawLine(at(xMin, v), at(xMax, v));
        }
        p->restore();
        // The legend beside the plot: each line by its pen.
        p->setFont(font(7));
        double ly = plot.top();
        for (size_t s = 0; s < c.series.size(); ++s) {
            const ChartSeries& line = c.series[s];
            p->setPen(QPen(colour(line.colour), s == 0 ? 1.2 : 1.0, s == 0 ? Qt::SolidLine : Qt::DashLine));
            p->drawLine(QPointF(box.right() + 8, ly + 5), QPointF(box.right() + 24, ly + 5));
            p->setPen(Qt::black);
            p->drawText(QRectF(box.right() + 28, ly, kMargin + contentWidth() - box.right() - 28, 10),
                        Qt::AlignLeft | Qt::AlignVCenter, line.name);
            ly += 12;
        }
    }
    y += h + kGap;
}

void Pages::histogram(double h)
{
    need(h + 30);
    heading(r.histogramTitle);
    need(h);
    const Histogram& hist = r.histogram;
    const QRectF box(kMargin, y, contentWidth() * 0.78, h);
    const int bins = int(hist.counts.size());
    const int most = bins > 0 ? *std::max_element(hist.counts.begin(), hist.counts.end()) : 1;
    const double xMin = hist.lo;
    const double xMax = hist.lo + hist.width * std::max(1, bins);
    const double yMax = std::max(1.0, most * 1.1);
    const QRectF plot = plotArea(box, 0, yMax, xMin, xMax, false, true);
    if (drawing()) {
        const auto xAt = [&](double v) { return plot.left() + (v - xMin) / (xMax - xMin) * plot.width(); };
        p->setPen(QPen(QColor(40, 40, 40), 0.4));
        p->setBrush(QColor(150, 170, 200));
        for (int i = 0; i < bins; ++i) {
            const double top = plot.bottom() - hist.counts[size_t(i)] / yMax * plot.height();
            p->drawRect(QRectF(QPointF(xAt(xMin + i * hist.width), top), QPointF(xAt(xMin + (i + 1) * hist.width), plot.bottom())));
        }
        p->setBrush(Qt::NoBrush);
        p->setFont(font(7));
        double ly = plot.top();
        for (const HistogramMark& mark : r.histogramMarks) {
            const bool target = mark.target;
            const double value = mark.value;
            const QString& caption = mark.caption;
            p->setPen(QPen(colour(target ? kTargetColour : kLimitColour), 1.0, target ? Qt::DashDotLine : Qt::DashLine));
            p->drawLine(QPointF(xAt(value), plot.top()), QPointF(xAt(value), plot.bottom()));
            p->drawLine(QPointF(box.right() + 8, ly + 5), QPointF(box.right() + 24, ly + 5));
            p->setPen(Qt::black);
            p->drawText(QRectF(box.right() + 28, ly, kMargin + contentWidth() - box.right() - 28, 10),
                        Qt::AlignLeft | Qt::AlignVCenter, caption + u' ' + QLocale().toString(value));
            ly += 12;
        }
    }
    y += h + kGap;
}

void Pages::readings()
{
    const QFont plain = font(7);
    const QFont bold = font(7, true);
    const QFont head = font(7, true);
    const QFontMetricsF fm = metrics(bold);
    const double line = fm.height() + 0.6;
    // Column widths from the widest text each may hold.
    double nrW = fm.horizontalAdvance(QStringLiteral("99999"));
    double valueW = fm.horizontalAdvance(QStringLiteral("-9999,99"));
    double unitW = fm.horizontalAdvance(QStringLiteral("mils"));
    double matW = fm.horizontalAdvance(QStringLiteral("NFE"));
    double timeW = fm.horizontalAdvance(QStringLiteral("00:00:00"));
    for (const ReportCell& c : r.cells) {
        valueW = std::max(valueW, fm.horizontalAdvance(c.value));
        unitW = std::max(unitW, fm.horizontalAdvance(c.unit));
        matW = std::max(matW, fm.horizontalAdvance(c.material));
        timeW = std::max(timeW, fm.horizontalAdvance(c.time));
    }
    for (size_t i = 0; i < r.columns.size(); ++i) {
        double& w = i == 0 ? nrW : i == 1 ? valueW : i == 2 ? unitW : i == 3 ? matW : timeW;
        w = std::max(w, fm.horizontalAdvance(r.columns[i]));
    }
    const double markW = fm.horizontalAdvance(QStringLiteral("▲")) + 2;
    const double pad = 3;
    const double groupW = nrW + valueW + unitW + matW + timeW + markW + 5 * pad + 8;
    const int groups = std::max(1, int(contentWidth() / groupW));
    const double groupStep = contentWidth() / groups;

    newPage();
    heading(r.readingsTitle);
    if (!r.legend.isEmpty()) text(r.legend, font(7.5));
    space(3);
    size_t next = 0;
    while (next < r.cells.size()) {
        if (y + 3 * line > bottom()) newPage();
        const int rows = std::max(1, int((bottom() - y - line) / line));
        const double top = y;
        const int used = int(std::min(size_t(rows), r.cells.size() - next)); // rows of the first column
        for (int g = 0; g < groups && next < r.cells.size(); ++g) {
            const double x0 = kMargin + g * groupStep;
            const double xs[] = {x0, x0 + nrW + pad, x0 + nrW + valueW + 2 * pad, x0 + nrW + valueW + unitW + 3 * pad,
                                 x0 + nrW + valueW + unitW + matW + 4 * pad};
            const double ws[] = {nrW, valueW, unitW, matW, timeW};
            if (drawing()) {
                p->setFont(head);
                p->setPen(Qt::black);
                for (int k = 0; k < 5; ++k)
                    p->drawText(QRectF(xs[k], top, ws[k], line), (k <= 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                                r.columns[size_t(k)]);
                p->setPen(QPen(QColor(120, 120, 120), 0.4));
                p->drawLine(QPointF(x0, top + line), QPointF(x0 + groupStep - 8, top + line));
            }
            for (int row = 0; row < rows && next < r.cells.size(); ++row, ++next) {
                if (!drawing()) continue;
                const ReportCell& c = r.cells[next];
                const bool outside = c.side == Side::Below || c.side == Side::Above;
                const double ry = top + line * (row + 1) + 0.5;
                if (row % 2 == 1) p->fillRect(QRectF(x0, ry, groupStep - 8, line), QColor(244, 244, 244));
                p->setFont(outside ? bold : plain);
                p->setPen(outside ? QColor(170, 0, 0) : Qt::black);
                const QString texts[] = {c.nr, c.value, c.unit, c.material, c.time};
                for (int k = 0; k < 5; ++k)
                    p->drawText(QRectF(xs[k], ry, ws[k], line), (k <= 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                                texts[k]);
                if (outside)
                    p->drawText(QRectF(xs[4] + timeW + pad, ry, markW, line), Qt::AlignLeft | Qt::AlignVCenter, sideMark(c.side));
            }
        }
        y = top + line * (used + 1);
        if (next < r.cells.size()) newPage();
    }
}

// The whole report, drawn or only counted (painter null): its page count.
int layOut(QPdfWriter* writer, QPainter* painter, const CustomerReport& r, int total)
{
    Pages pg(writer, painter, r, total);
    pg.text(r.title, font(18, true));
    pg.text(r.subtitle, font(9), QColor(80, 80, 80));
    pg.space(kGap);
    pg.pairs(r.head, 1);
    if (!r.project.empty()) {
        pg.heading(r.projectTitle);
        pg.pairs(r.project, 2);
    }
    pg.heading(r.figuresTitle);
    pg.pairs(r.figures, 2);
    if (!r.verdictTitle.isEmpty()) {
        pg.heading(r.verdictTitle);
        for (const QString& line : r.verdictLines)
            pg.text(line, font(8.5), line.startsWith(u'✗') ? QColor(170, 0, 0) : Qt::black, line.startsWith(u' ') ? 12 : 0);
        if (!r.verdict.isEmpty()) {
            pg.space(3);
            pg.text(r.verdict, font(11, true), r.met ? QColor(0, 120, 0) : QColor(180, 0, 0));
        }
    }
    if (!r.cells.empty()) {
        pg.lineChart(190);
        pg.histogram(150);
        pg.readings();
    }
    pg.space(26);
    pg.need(60);
    pg.text(r.signature, font(9));
    pg.space(8);
    pg.text(r.madeText, font(7.5), QColor(80, 80, 80));
    pg.finish();
    return pg.pages();
}

} // namespace

QString writeReportPdf(const CustomerReport& report, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    {
        QPdfWriter writer(&file);
        writer.setResolution(72); // one unit a point
        writer.setPageSize(QPageSize(report.letter ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(report.title);
        writer.setCreator(report.subtitle);
        const int total = layOut(&writer, nullptr, report, 0);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return QStringLiteral("PDF");
        }
        painter.setRenderHint(QPainter::Antialiasing);
        layOut(&writer, &painter, report, total);
        painter.end();
    }
    if (!file.commit()) return file.errorString();
    return {};
}

std::unique_ptr<QCoreApplication> drawingApplication(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace kivo
