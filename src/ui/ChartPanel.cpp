#include "ui/ChartPanel.h"

#include "charts/ChartTable.h"

#include <QBarSeries>
#include <QCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QLocale>
#include <QFontMetrics>
#include <QValueAxis>

#include "platform/ReadingAxis.h"

namespace kivo {

ChartPanel::ChartPanel(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing, false); // 5000 points draw at once
    setMinimumSize(120, 90);
}

void ChartPanel::draw(const ChartLook& look)
{
    shown = look;
    auto* chart = new QChart;
    // A legend only where the series have names (the chart window's).
    const bool named = !look.series.empty() && !look.series.front().name.isEmpty();
    chart->legend()->setVisible(named && !look.bar && look.series.size() > 1);
    // Axis numbers with the operator's decimal separator and no thousands
    // separator, so "5000" fits ten times across a small chart.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    // Reading numbers label the horizontal axis, each at its own reading,
    // the first and last half a reading from the edges (a single reading
    // stands in the middle). Bars stand at 0, 1, 2, ... on the axis: the bar
    // of reading r at r - 1.
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const double shift = look.bar ? 1 : 0;
    x->setStartValue(look.xMin + 0.5 - shift);
    x->setRange(look.xMin + 0.5 - shift, look.xMax + 0.5 - shift);
    drawn = DrawnAxes{look.xMin + 0.5, look.xMax + 0.5, {}, look.yMin, look.yMax, 4};
    auto* y = new QValueAxis;
    y->setRange(look.yMin, look.yMax);
    y->setTickCount(drawn.yDivisions + 1);
    if (compact) {
        QFont small = x->labelsFont();
        small.setPointSizeF(6.5);
        x->setLabelsFont(small);
        y->setLabelsFont(small);
        chart->setMargins(QMargins(0, 0, 0, 0));
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    if (look.bar && !look.series.empty()) {
        auto* set = new QBarSet(look.series.front().name);
        QList<qreal> values(look.series.front().values.begin(), look.series.front().values.end());
        set->append(values);
        barSet = set;
        set->setColor(QColor::fromRgb(look.series.front().colour.value()));
        auto* bars = new QBarSeries;
        bars->append(set);
        bars->setBarWidth(1.0);
        chart->addSeries(bars);
        bars->attachAxis(x);
        bars->attachAxis(y);
    } else {
        for (const ChartSeries& s : look.series) {
            auto* line = new QLineSeries;
            line->setName(s.name);
            QList<QPointF> points;
            points.reserve(qsizetype(s.values.size()));
            for (size_t i = 0; i < s.values.size(); ++i) points.append(QPointF(double(i + 1), s.values[i]));
            if (points.size() == 1) {
                // One reading: its point is marked; a reference line still
                // runs across the chart.
                if (s.broken)
                    points = {QPointF(drawn.xMin, s.values[0]), QPointF(drawn.xMax, s.values[0])};
                else
                    line->setPointsVisible(true);
            }
            line->replace(points); // one call: thousands of points are not added one by one
            QPen pen(QColor::fromRgb(s.colour.value()));
            pen.setWidthF(s.width);
            pen.setStyle(s.broken ? Qt::DashLine : Qt::SolidLine);
            line->setPen(pen);
            chart->addSeries(line);
            line->attachAxis(x);
            line->attachAxis(y);
        }
    }
    QChart* old = this->chart();
    if (!look.bar) barSet = nullptr;
    setChart(chart);
    delete old;
    fitReadingLabels();
    fitBars();
}

void ChartPanel::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitReadingLabels();
    fitBars();
}

void ChartPanel::fitReadingLabels()
{
    const auto axes = chart()->axes(Qt::Horizontal);
    auto* x = axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(axes.front());
    if (!x) return;
    const int count = qRound(shown.xMax);
    const QFontMetrics metrics(x->labelsFont());
    // A number is drawn centred on its reading and cut short ("…") where it
    // is wider than half the room to the next: twice its width apart.
    const int label = 2 * metrics.horizontalAdvance(QString::number(count)) + 2;
    const int room = qMax(1, int(chart()->plotArea().width() > 0 ? chart()->plotArea().width() : width() * 0.8));
    std::vector<int> labels = readingLabels(count, room / label);
    if (labels == drawn.xLabels && !x->categoriesLabels().isEmpty()) return;
    for (const QString& old : x->categoriesLabels()) x->remove(old);
    const double shift = shown.bar ? 1 : 0;
    for (int n : labels) x->append(QString::number(n), n - shift);
    drawn.xLabels = std::move(labels);
}

void ChartPanel::fitBars()
{
    if (!barSet || shown.series.empty()) return;
    const double height = chart()->plotArea().height() > 0 ? chart()->plotArea().height() : this->height() * 0.8;
    const std::vector<double> values = visibleBarValues(shown.series.front().values, shown.yMin, shown.yMax, height);
    for (qsizetype i = 0; i < barSet->count() && i < qsizetype(values.size()); ++i)
        if (barSet->at(i) != values[size_t(i)]) barSet->replace(i, values[size_t(i)]);
}

} // namespace kivo
