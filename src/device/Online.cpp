// Online mode: the gauge sends each reading as the operator measures.

#include "app/frmTransfer.h"
#include "platform/FlexGrid.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace kivo {

void frmTransfer::optOnline_Click()
{
    txtSpeicher->setText(texte.MessageText(42));
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAbs, cmdChart, cmdGross, txtMittelwert}) w->setVisible(false);
    link.messart = kOnline;
    ResetStatistics();
    lstStat->clear();
    RebuildTable();
    optOnline->setChecked(true);
    focusedOption = optOnline;
    link.oeffnenVersuche = 0;
    OpenPort(link.portnr);
    if (!link.CheckConnect) return;
    zeile.clear();
    link.empfang.clear();
    if (profile.onlineart != u"V") {
        SetupOnlineSingle();
    } else {
        cmdStop->setVisible(true);
        onlineAnzahl = 1;
        onlineVerarbeitet = 1;
        SetupOnlineLines();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel, MSFlex})
        w->setVisible(true);
    EnableCommands();
}

} // namespace kivo
