#pragma once
// A chart description drawn with Qt Charts. The description and the axes as
// drawn stay readable, so the driver can report what is on show.

#include "charts/ChartLook.h"

#include <QBarSet>
#include <QChartView>
#include <QColor>
#include <QString>
#include <vector>

namespace kivo {

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
    // The bars of readings tiny beside the largest drawn a few pixels high.
    void fitBars();
    QBarSet* barSet = nullptr; // of the bar chart on show
    ChartLook shown;
    DrawnAxes drawn;
    bool compact = false;
};

} // namespace kivo
