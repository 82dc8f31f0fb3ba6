#pragma once
// The chart window: the readings of the table on show as a large chart, a
// line chart with the target and limits as reference lines, or a bar chart
// of the readings alone. It draws the chart table the main window built.

#include "charts/ChartTable.h"
#include "ui/ChartPanel.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kivo {

class Texte;

class frmChartG : public QDialog {
    Q_OBJECT
public:
    explicit frmChartG(QWidget* parent = nullptr);

    // What it draws: the chart table, the limits, the mean as the
    // statistics show it and the decimals of the unit.
    struct Input {
        ChartTable table;
        LimitFields limits;
        QString anz_mean;
        int decimals = 1;
    };
    // Activation: the line chart, captions, and the chart built.
    void Form_Activate(const Input& input, const Texte& texte);

    ChartPanel* MSChartG;
    QPushButton* cmdChartType;
    QLabel* lblStrich;
    QLabel* lblMean;

private:
    void build();
    void cmdChartType_Click();

    Input in;
    const Texte* texte = nullptr;
    bool bar = false;
};

} // namespace kivo
