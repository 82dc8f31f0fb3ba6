// Captioning the main window in the interface language, and the two
// language menu items.

#include "ui/frmTransfer.h"
#include "ui/frmAbnahme.h"
#include "ui/QtTranslations.h"
#include "ui/frmProjekt.h"
#include "ui/frmWerte.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace kivo {

namespace {

// A menu caption with its first letter as the Alt key (Alt+D for "Datei",
// Alt+F for "File").
QString mnemonic(const QString& caption) { return u'&' + QString(caption).replace(u'&', QStringLiteral("&&")); }

} // namespace

void frmTransfer::ApplyLanguage()
{
    useQtTranslations(texte.languageIndex == kGerman);
    texte.FillMenuTexts();
    mnuDatei->setTitle(mnemonic(texte.MenuText(0)));
    cmdOpen->setText(texte.MenuText(1));
    cmdSave->setText(texte.MenuText(2));
    cmdprint->setText(texte.MenuText(3));
    mnuEnd->setText(mnemonic(texte.MenuText(4)));
    cmdEnde->setText(texte.MenuText(5));
    Language->setTitle(mnemonic(texte.MenuText(30)));
    English->setText(mnemonic(texte.MenuText(31)));
    German->setText(mnemonic(texte.MenuText(32)));
    mnuHelp->setTitle(mnemonic(texte.MenuText(40)));
    mnuInfo->setText(mnemonic(texte.MenuText(41)));
    mnuHelp1->setText(mnemonic(texte.MenuText(42)));
    const bool german = texte.languageIndex == kGerman;
    mnuAuswertung->setTitle(mnemonic(german ? QStringLiteral("Auswertung") : QStringLiteral("Evaluation")));
    mnuAbnahme->setText(mnemonic(german ? QStringLiteral("Abnahmeprüfung…") : QStringLiteral("Acceptance check…")));
    mnuCsv->setText(german ? QStringLiteral("&Als CSV exportieren…") : QStringLiteral("Export as &CSV…"));
    abnahmeWindow->languageChanged(german);

    cmdProjekt->setText(texte.MessageText(38));
    // The limits button keeps its lines; its name is the tooltip.
    cmdWerte->setToolTip(texte.MessageText(39));
    ShowLimitsCaption();
    showAbsoluteState();
    cmdLesen->setText(texte.MessageText(30));
    cmdFlexZeileLoeschen->setText(texte.MessageText(40));
    cmdFlexTabelleloeschen->setText(texte.MessageText(41));

    txtWait->setText(gauge->CheckConnect() ? texte.MenuText(53) : texte.MessageText(13));
    txtSpeicher->setText(downloading ? readingText() : texte.MessageText(42));

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
    ShowLimitsCaption();
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
