#include "platform/ChartPanel.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QLocale>
#include <QFontMetrics>
#include <QValueAxis>

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
    auto* x = new QValueAxis;
    x->setRange(look.xMin, look.xMax);
    x->setTickCount(look.xMajor + 1);
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto* y = new QValueAxis;
    y->setRange(look.yMin, look.yMax);
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
        set->setColor(look.series.front().colour);
        auto* bars = new QBarSeries;
        bars->append(set);
        bars->setBarWidth(1.0);
        chart->addSeries(bars);
        bars->attachAxis(y);
    } else {
        for (const ChartSeries& s : look.series) {
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
    fitCategoryTicks();
}

void ChartPanel::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitCategoryTicks();
}

void ChartPanel::fitCategoryTicks()
{
    const auto axes = chart()->axes(Qt::Horizontal);
    auto* x = axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.front());
    if (!x) return;
    const QFontMetrics metrics(x->labelsFont());
    const int label = metrics.horizontalAdvance(QString::number(qRound(shown.xMax))) + metrics.horizontalAdvance(u'0') * 2;
    const int room = qMax(1, int(chart()->plotArea().width() > 0 ? chart()->plotArea().width() : width() * 0.8));
    int divisions = qMax(1, shown.xMajor);
    while (divisions > 1 && divisions * label > room) divisions = divisions % 2 == 0 ? divisions / 2 : divisions - 1;
    x->setTickCount(divisions + 1);
}

} // namespace kivo
