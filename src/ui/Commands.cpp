// Switching all commands on and off, and ending the program.

#include "ui/frmTransfer.h"
#include "ui/frmInfo.h"
#include "ui/frmWait.h"
#include "ui/frmChartG.h"
#include "ui/frmAbnahme.h"
#include "ui/frmArchiv.h"
#include "ui/frmProjekt.h"
#include "ui/frmWerte.h"
#include "ui/WindowPlaces.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>

namespace kivo {

// The commands that must not start while a transfer or an export runs.
std::vector<QWidget*> frmTransfer::commandControls() const
{
    return {optNFE,   optFE,    optOnline, cmdOpen,    cmdSave,    cmdprint,
            cmdWord,  cmdClipboard, cmdExcel, cmdLesNFE, cmdLesFE, cmdLesen,
            cmdEnde,  cmdWerte, cmdProjekt, cmdFlexTabelleloeschen, cmdFlexZeileLoeschen, cmdSort,
            cmdChart, cmdAbs,   cmdGross};
}

void frmTransfer::DisableCommands()
{
    for (QWidget* w : commandControls()) w->setEnabled(false);
    mnuAbnahme->setEnabled(false);
    mnuCsv->setEnabled(false);
    mnuPruefbericht->setEnabled(false);
}

void frmTransfer::EnableCommands()
{
    // Nothing may start while the program waits for the gauge, whichever
    // handler runs meanwhile.
    if (gauge->waiting()) return;
    for (QWidget* w : commandControls()) w->setEnabled(true);
    updateEvaluationCommands();
}

void frmTransfer::ClearRecordTexts()
{
    gauge->clearDumpLines();
}

void frmTransfer::cmdEnde_Click() { EndProgram(); }

void frmTransfer::mnuEnd_Click() { EndProgram(); }

void frmTransfer::EndProgram()
{
    if (programEnded) return;
    flushOnlineSave();
    programEnded = true;
    gauge->end();
    if (isVisible()) keepPlace(this, core.desktop());
    for (QWidget* w : std::initializer_list<QWidget*>{waitWindow, werteWindow, projektWindow, chartWindow, infoWindow,
                                                      abnahmeWindow, archivWindow})
        w->hide();
    hide();
    emit programEnd();
    QCoreApplication::exit(0);
}

} // namespace kivo
