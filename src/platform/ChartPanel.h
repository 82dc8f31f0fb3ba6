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
    double xMin = 0, xMax = 1; // in reading numbers; xMax is the count of readings
    double yMin = 0, yMax = 1;
};

// The axes as they are drawn, for the driver: the horizontal one in reading
// numbers (a bar chart's runs half a reading beyond its first and last bar),
// with the reading numbers it labels.
struct DrawnAxes {
    double xMin = 0, xMax = 1;
    std::vector<int> xLabels;
    double yMin = 0, yMax = 1;
    int yDivisions = 4;
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
    const DrawnAxes& axes() const { return drawn; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The reading numbers labelled: as many as fit side by side.
    void fitReadingLabels();
    ChartLook shown;
    DrawnAxes drawn;
    bool compact = false;
};

} // namespace kivo
