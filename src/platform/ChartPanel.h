#pragma once
// A chart as the program describes it (line or bar, series with their pen,
// fixed axis scales), drawn with Qt Charts. The description stays readable,
// so the driver can report what is on show.

#include <QChartView>
#include <QColor>
#include <QString>
#include <vector>

namespace kivo {

struct ChartSeries {
    QString name;
    QColor colour;
    double width = 1;    // pen width in pixels
    bool broken = false; // a broken (dashed) line instead of a solid one
    std::vector<double> values; // one a category, from category 1
};

struct ChartLook {
    bool bar = false; // a bar chart of the first series; else lines
    std::vector<ChartSeries> series;
    double xMin = 0, xMax = 1;
    int xMajor = 10; // major divisions of the category axis
    double yMin = 0, yMax = 1;
};

class ChartPanel : public QChartView {
    Q_OBJECT
public:
    explicit ChartPanel(QWidget* parent = nullptr);
    void draw(const ChartLook& look);
    // Small axis labels, for a chart in a small place: ten divisions of
    // "5000" must still fit side by side.
    void setCompact(bool on) { compact = on; }
    const ChartLook& look() const { return shown; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The divisions of the category axis drawn: those asked for, fewer where
    // their labels would not fit side by side.
    void fitCategoryTicks();
    ChartLook shown;
    bool compact = false;
};

} // namespace kivo
