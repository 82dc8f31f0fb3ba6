// The chart in the place of the statistics list, and the chart window.

#include "ui/frmTransfer.h"
#include "ui/WindowPlaces.h"
#include "ui/frmChartG.h"
#include "ui/ChartPanel.h"
#include "ui/Controls.h"
#include "table/NumberFormat.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kivo {

// "Chart" and "Stat" name the button's next view in both languages.
void frmTransfer::cmdChart_Click()
{
    if (MSChart1->isVisible()) {
        MSChart1->setVisible(false);
        lstStat->setVisible(true);
        cmdChart->setText(QStringLiteral("Chart"));
        cmdGross->setVisible(false);
        txtMittelwert->setVisible(false);
        return;
    }
    const Statistics& stats = tables.statistics();
    if (stats.mixedUnits) return; // a chart only of readings of one unit
    MSChart1->setVisible(true);
    lstStat->setVisible(false);
    cmdChart->setText(QStringLiteral("Stat"));
    cmdGross->setVisible(true);
    txtMittelwert->setVisible(true);
    txtMittelwert->setStyleSheet(QStringLiteral("color: black;"));
    txtMittelwert->setText(QStringLiteral("_ _ _") + texte.text(Stat::Mittelwert) + u' ' + stats.anz_mean);
    fitWidthToText(txtMittelwert);
    MSChart1->draw(mainChart(core.chartTable(), decimalsForUnit(stats.firstUnit)));
}

void frmTransfer::cmdGross_Click()
{
    const Statistics& stats = tables.statistics();
    frmChartG::Input input{core.chartTable(), tables.limits(), stats.anz_mean,
                           decimalsForUnit(stats.firstUnit)};
    chartWindow->Form_Activate(input, texte);
    restorePlace(chartWindow, core.desktop());
    chartWindow->exec(); // the main window waits until it is closed
    keepPlace(chartWindow, core.desktop());
}

} // namespace kivo
