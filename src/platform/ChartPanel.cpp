#include "platform/ChartPanel.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

namespace kivo {

ChartPanel::ChartPanel(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing, false); // 5000 points draw at once
    setMinimumSize(120, 90);
}

void ChartPanel::draw(const ChartSpec& spec)
{
    shown = spec;
    auto* chart = new QChart;
    // A legend only where the series have names (the chart window's).
    const bool named = !spec.series.empty() && !spec.series.front().name.isEmpty();
    chart->legend()->setVisible(named && !spec.bar && spec.series.size() > 1);
    chart->setLocalizeNumbers(true); // axis numbers with the operator's decimal separator
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* x = new QValueAxis;
    x->setRange(spec.xMin, spec.xMax);
    x->setTickCount(spec.xMajor + 1);
    x->setLabelFormat(QStringLiteral("%d"));
    auto* y = new QValueAxis;
    y->setRange(spec.yMin, spec.yMax);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    if (spec.bar && !spec.series.empty()) {
        auto* set = new QBarSet(spec.series.front().name);
        QList<qreal> values(spec.series.front().values.begin(), spec.series.front().values.end());
        set->append(values);
        set->setColor(spec.series.front().colour);
        auto* bars = new QBarSeries;
        bars->append(set);
        bars->setBarWidth(1.0);
        chart->addSeries(bars);
        bars->attachAxis(y);
    } else {
        for (const ChartSeries& s : spec.series) {
            auto* line = new QLineSeries;
            line->setName(s.name);
            QList<QPointF> points;
            points.reserve(qsizetype(s.values.size()));
            for (size_t i = 0; i < s.values.size(); ++i) points.append(QPointF(double(i + 1), s.values[i]));
            line->replace(points); // one call: thousands of points are not added one by one
            QPen pen(s.colour);
            pen.setWidthF(s.width);
            pen.setStyle(s.broken ? Qt::DashLine : Qt::SolidLine);
            line->setPen(pen);
            chart->addSeries(line);
            line->attachAxis(x);
            line->attachAxis(y);
        }
    }
    QChart* old = this->chart();
    setChart(chart);
    delete old;
}

} // namespace kivo
