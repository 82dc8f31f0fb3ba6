#pragma once
// The chart window: the readings of the table on show as a large chart.

#include <QWidget>

class QChartView;
class QLabel;
class QPushButton;

namespace kivo {

class frmChartG : public QWidget {
    Q_OBJECT
public:
    explicit frmChartG(QWidget* parent = nullptr);

    QChartView* MSChartG;
    QPushButton* cmdChartType;
    QLabel* lblStrich;
    QLabel* lblMean;
};

} // namespace kivo
