// Captioning the main window in the interface language, and the two
// language menu items.

#include "app/frmTransfer.h"
#include "table/frmProjekt.h"
#include "table/frmWerte.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace kivo {

void frmTransfer::ApplyLanguage()
{
    texte.FillMenuTexts();
    mnuDatei->setTitle(texte.MenuText(0));
    cmdOpen->setText(texte.MenuText(1));
    cmdSave->setText(texte.MenuText(2));
    cmdprint->setText(texte.MenuText(3));
    mnuEnd->setText(texte.MenuText(4));
    cmdEnde->setText(texte.MenuText(5));
    Language->setTitle(texte.MenuText(30));
    English->setText(texte.MenuText(31));
    German->setText(texte.MenuText(32));
    mnuHelp->setTitle(texte.MenuText(40));
    mnuInfo->setText(texte.MenuText(41));
    mnuHelp1->setText(texte.MenuText(42));

    cmdProjekt->setText(texte.MessageText(38));
    cmdWerte->setText(texte.MessageText(39));
    cmdLesen->setText(texte.MessageText(30));
    cmdFlexZeileLoeschen->setText(texte.MessageText(40));
    cmdFlexTabelleloeschen->setText(texte.MessageText(41));

    txtWait->setText(gauge->CheckConnect() ? texte.MenuText(53) : texte.MessageText(13));
    txtSpeicher->setText(texte.MessageText(42));

    cmdStop->setText(texte.MessageText(55));
    Frame3->setTitle(texte.MessageText(20));
    Frame1->setTitle(texte.MessageText(21));
    Frame4->setTitle(texte.MessageText(23));

    werteWindow->recaption();
    projektWindow->recaption();
    QApplication::processEvents(); // paint the new captions now
}

void frmTransfer::English_Click()
{
    texte.languageIndex = kEnglish;
    ApplyLanguage();
    SetupGrid();
    RelabelMemoryCaptions();
    Voreinstellungen(QStringLiteral("SS"));
    Voreinstellungen(QStringLiteral("PI"));
    if (const Limits& limits = tables.limits(); limits.Emin != 0 || limits.Emax != 0 || limits.Esoll != 0)
        ShowLimitsCaption();
    else
        cmdWerte->setText(texte.MessageText(39));
    refreshTableInLanguage();
    setLanguageTicks();
}

void frmTransfer::German_Click()
{
    texte.languageIndex = kGerman;
    ApplyLanguage();
    SetupGrid();
    RelabelMemoryCaptions();
    Voreinstellungen(QStringLiteral("SS"));
    Voreinstellungen(QStringLiteral("PI"));
    ShowLimitsCaption();
    setLanguageTicks();
    refreshTableInLanguage();
}

void frmTransfer::refreshTableInLanguage()
{
    if (!gauge->CheckConnect()) return;
    // While the gauge is busy the table is not touched and no command is
    // enabled: it is drawn anew when the command is over.
    if (gauge->waiting() || gauge->commandRunning()) refreshPending = true;
    else RefreshTable();
}

} // namespace kivo
