// Captioning the main window in the interface language, and the two
// language menu items.

#include "ui/frmTransfer.h"
#include "ui/frmAbnahme.h"
#include "ui/frmArchiv.h"
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
    mnuDatei->setTitle(mnemonic(texte.text(Menu::Datei)));
    cmdOpen->setText(texte.text(Menu::DateiOeffnen));
    cmdSave->setText(texte.text(Menu::InDateiSpeichern));
    cmdprint->setText(texte.text(Menu::Drucken));
    mnuEnd->setText(mnemonic(texte.text(Menu::ProgrammBeenden)));
    cmdEnde->setText(texte.text(Menu::Programmende));
    Language->setTitle(mnemonic(texte.text(Menu::Sprache)));
    English->setText(mnemonic(texte.text(Menu::Englisch)));
    German->setText(mnemonic(texte.text(Menu::Deutsch)));
    mnuHelp->setTitle(mnemonic(texte.text(Menu::Hilfe)));
    mnuInfo->setText(mnemonic(texte.text(Menu::Info)));
    mnuHelp1->setText(mnemonic(texte.text(Menu::Bedienungsanleitung)));
    const bool german = texte.languageIndex == kGerman;
    mnuAuswertung->setTitle(mnemonic(texte.say(Phrase::MenuEvaluation)));
    mnuAbnahme->setText(mnemonic(texte.say(Phrase::MenuAcceptanceCheck)));
    mnuCsv->setText(texte.say(Phrase::MenuCsvExport)); // its Alt key is not its first letter
    abnahmeWindow->languageChanged(german);
    mnuArchiv->setText(texte.say(Phrase::ArchiveMenu));
    mnuPruefbericht->setText(texte.say(Phrase::ReportMenu));
    mnuOpen->setText(texte.say(Phrase::MenuOpen));
    mnuSave->setText(texte.say(Phrase::MenuSave));
    mnuPrint->setText(texte.say(Phrase::MenuPrint));
    mnuRecent->setTitle(texte.say(Phrase::MenuRecent));
    mnuAbout->setText(texte.say(Phrase::MenuAbout));
    fillRecentMenu(); // its "(none)" in the language of the moment
    archivWindow->languageChanged(german);

    cmdProjekt->setText(texte.text(Msg::Projektdaten));
    // The limits button keeps its lines; its name is the tooltip.
    cmdWerte->setToolTip(texte.text(Msg::Grenzwerte));
    ShowLimitsCaption();
    showAbsoluteState();
    cmdLesen->setText(texte.text(Msg::SpeicherEinlesen));
    cmdFlexZeileLoeschen->setText(texte.text(Msg::ZeileLoeschen));
    cmdFlexTabelleloeschen->setText(texte.text(Msg::TabelleLoeschen));

    txtWait->setText(gauge->CheckConnect() ? texte.text(Menu::Verbunden) : texte.text(Msg::BitteWarten));
    txtSpeicher->setText(downloading ? readingText() : texte.text(Msg::Bereit));

    cmdStop->setText(texte.text(Msg::Stopp));
    Frame3->setTitle(texte.text(Msg::Messwerte));
    Frame1->setTitle(texte.text(Msg::Befehle));
    Frame4->setTitle(texte.text(Msg::DatenKopierenNach));

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
    saveLanguage();
    loadProjectCaptions();
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
    saveLanguage();
    loadProjectCaptions();
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
