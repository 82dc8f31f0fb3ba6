// The statistics list beside the grid, the "+/-" switch and the limits
// button.

#include "ui/frmTransfer.h"
#include "session/ModelTable.h"
#include "ui/frmAbnahme.h"
#include "ui/PictureBox.h"
#include "shared/Align.h"
#include "table/NumberFormat.h"
#include "table/StatisticsList.h"
#include "ui/frmProjekt.h"
#include "ui/frmWerte.h"

#include "ui/ChartPanel.h"
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace kivo {

void frmTransfer::ResetStatistics()
{
    lstStat->clear();
    tables.ResetStatistics();
}

void frmTransfer::showStatistics()
{
    const int n = tables.statisticsCount();
    lstStat->clear();
    lstStat->addItems(core.statisticsLines(QLocale()));
    if (n < 1) {
        picKivo->setVisible(true);
        for (QWidget* w : std::initializer_list<QWidget*>{lstStat, MSChart1, cmdChart, cmdGross, cmdAbs, txtMittelwert})
            w->setVisible(false);
        return;
    }
    abnahmeWindow->tableChanged();
    if (n > kMaxReadings) ResetStatistics();
    picKivo->setVisible(false);
    lstStat->setVisible(true);
    MSChart1->setVisible(false);
    cmdChart->setVisible(true);
    cmdAbs->setVisible(gauge->profile().vorzeichen == u"-");
    cmdGross->setVisible(false);
    cmdChart->setText(QStringLiteral("Chart")); // the same in both languages
    txtMittelwert->setVisible(false);
}

void frmTransfer::ShowLimitsCaption()
{
    const Limits& limits = tables.limits();
    const bool decimals = GetDecimalsInt(limits.Emin) != 0 || GetDecimalsInt(limits.Emax) != 0
                          || GetDecimalsInt(limits.Esoll) != 0;
    const QLocale locale;
    auto text = [&](double v) {
        return Ausrichten(7, formatFixed(v, decimals ? 1 : 0, locale), QStringLiteral(" "), false);
    };
    cmdWerte->setText(u'>' + text(limits.Emin) + QStringLiteral("\r\n<") + text(limits.Emax)
                      + QStringLiteral("\r\n=") + text(limits.Esoll));
}

void frmTransfer::RefreshTable()
{
    if (core.tableKind() == kFE) optFE_Click();
    else if (core.tableKind() == kNFE) optNFE_Click();
    else if (core.tableKind() == kOnline) optOnline_Click();
}

void frmTransfer::cmdAbs_Click()
{
    tables.setAbsolut(!tables.absolut());
    showAbsoluteState();
    RefreshTable();
}

void frmTransfer::showAbsoluteState()
{
    cmdAbs->setChecked(tables.absolut());
    cmdAbs->setToolTip(texte.say(tables.absolut() ? Phrase::AbsoluteValuesOn : Phrase::AbsoluteValuesOff));
}

void frmTransfer::cmdWerte_Click()
{
    werteWindow->show();
    werteWindow->raise();
    werteWindow->Form_Activate();
    tables.setLimitsChanged(false);
}

void frmTransfer::limitsSaved()
{
    tables.setLimitsChanged(true);
    // Leaving the limits button applies them: the table is recoloured and
    // Limit.ini written.
    cmdProjekt->setFocus();
    cmdWerte_LostFocus();
}

void frmTransfer::cmdProjekt_Click()
{
    loadProjectCaptions();
    loadProjectData();
    projektWindow->show();
    projektWindow->raise();
    projektWindow->Form_Activate();
}

void frmTransfer::cmdWerte_LostFocus()
{
    if (tables.limits().wertechanged) {
        RefreshTable(); // recolour the rows against the new limits
        saveLimits();
    }
    ShowLimitsCaption();
}

} // namespace kivo
