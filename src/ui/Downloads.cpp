// Downloading the gauge's memories into the FE and NFE tables.

#include "ui/frmTransfer.h"
#include "ui/FlexGrid.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace kivo {

void frmTransfer::SetupMemoryButtons()
{
    const QString layout = gauge->profile().speicherlayout.trimmed();
    if (layout == u"2E" || layout == u"2N") {
        cmdLesFE->setText(layout == u"2E" ? QStringLiteral("FE 1") : QStringLiteral("FE"));
        cmdLesNFE->setText(layout == u"2E" ? QStringLiteral("FE 2") : QStringLiteral("NFE"));
        cmdLesFE->setVisible(true);
        cmdLesNFE->setVisible(true);
    } else if (layout == u"1" || layout == u"3") {
        cmdLesFE->setVisible(false);
        cmdLesNFE->setVisible(false);
        cmdLesen->setVisible(true);
        optFE->setVisible(true);
        optNFE->setVisible(false);
    } else if (layout == u"X") {
        for (QWidget* w : std::initializer_list<QWidget*>{cmdLesFE, cmdLesNFE, cmdLesen, optFE, optNFE})
            w->setVisible(false);
    }
    cmdLesen->setText(texte.text(Msg::SpeicherEinlesen));
    optFE->setText(core.memoryName(kFE) + QStringLiteral(" (0)"));
    optNFE->setText(core.memoryName(kNFE) + QStringLiteral(" (0)"));
}

void frmTransfer::ReadAllMemories()
{
    if (gauge->waiting()) return; // no download inside another command's wait
    DeviceLink::Command command(*gauge);
    focusedOption = nullptr;
    gauge->setSchalterStop(true);
    alleSpeicher = true;
    gauge->resetOpenAttempts();
    gauge->OpenPort(gauge->portnr());
    if (!gauge->CheckConnect() || programEnded) {
        gauge->setSchalterStop(false);
        return;
    }
    if (!gauge->ReadGeraet()) { // no answer, or the gauge switched itself off meanwhile
        gauge->setSchalterStop(false);
        if (!programEnded && gauge->CheckConnect()) showNoAnswer();
        return;
    }
    ResetMemoryCaption();
    cmdLesFE_Click();
    if (programEnded) return;
    if (gauge->profile().speicherlayout.startsWith(u'2')) {
        // One Escape ends the whole command: memory 2 is not asked for.
        if (!gauge->commandStopped() && gauge->CheckConnect()) cmdLesNFE_Click();
        else alleSpeicher = false;
        if (programEnded) return;
    }
    // A gauge that switched itself off leaves the download commands off.
    if (gauge->CheckConnect()) SelectTableAfterDownload();
    gauge->setSchalterStop(false);
}

void frmTransfer::cmdLesFE_Click()
{
    if (gauge->waiting()) return;
    DeviceLink::Command command(*gauge);
    if (!alleSpeicher) focusedOption = nullptr;
    gauge->resetOpenAttempts();
    gauge->OpenPort(gauge->portnr());
    if (!gauge->CheckConnect() || programEnded) return;
    if (!alleSpeicher && !gauge->ReadGeraet()) {
        if (!programEnded && gauge->CheckConnect()) showNoAnswer();
        return;
    }
    setTableKind(kFE);
    if (gauge->device().anzahl1 != 0) {
        ReadMemory();
        if (!alleSpeicher && !programEnded && gauge->CheckConnect()) SelectTableAfterDownload();
        return;
    }
    tables.ClearRecords(kFE);
    ResetMemoryCaption();
    ShowEmptyNotice();
}

void frmTransfer::cmdLesNFE_Click()
{
    if (gauge->waiting()) return;
    DeviceLink::Command command(*gauge);
    if (!alleSpeicher) {
        focusedOption = nullptr;
        gauge->resetOpenAttempts();
        gauge->OpenPort(gauge->portnr());
        if (!gauge->CheckConnect() || programEnded) return;
        if (!gauge->ReadGeraet()) {
            if (!programEnded && gauge->CheckConnect()) showNoAnswer();
            return;
        }
    }
    setTableKind(kNFE);
    if (gauge->device().anzahl2 != 0) {
        ReadMemory();
        if (alleSpeicher) alleSpeicher = false;
        else if (!programEnded && gauge->CheckConnect()) SelectTableAfterDownload();
        return;
    }
    tables.ClearRecords(kNFE);
    ResetMemoryCaption();
    ShowEmptyNotice();
    if (alleSpeicher) alleSpeicher = false;
}

void frmTransfer::ReadMemory()
{
    ClearRecordTexts();
    lstStat->clear();
    core.clearShown();
    MSFlex->grid().redrawn();
    lstStat->setVisible(true);
    ResetStatistics();
    SetupGrid();
    const GaugeSession::MemoryDownload download = core.downloadMemory();
    if (!download.opened || programEnded) return;
    // A download the operator cancelled says so in the status bar: nothing
    // of it was taken.
    if (download.cancelled && gauge->CheckConnect()) lblConnectHint->setText(texte.say(Phrase::ReadingCancelled));
    // After a switch-off the commands to the gauge stay off.
    if (download.complete && gauge->CheckConnect()) {
        EnableCommands();
        warnOfMissingReadings(download);
    }
    lstStat->setVisible(true);
}

void frmTransfer::downloadStarted(int announced)
{
    DisableCommands();
    progressBar->setRange(0, qMax(1, announced));
    progressBar->setValue(0);
    progressBar->setVisible(true);
    // The status box says what goes on while the readings come, in the
    // language of the moment.
    statusBeforeDownload = txtSpeicher->text();
    languageBeforeDownload = texte.languageIndex;
    downloading = true;
    txtSpeicher->setText(readingText());
    lblConnectHint->clear();
}

void frmTransfer::downloadEnded()
{
    downloading = false;
    progressBar->setVisible(false);
    if (programEnded) return;
    if (txtSpeicher->text() == readingText())
        txtSpeicher->setText(texte.languageIndex == languageBeforeDownload ? statusBeforeDownload
                                                                           : texte.text(Msg::Bereit));
}

QString frmTransfer::readingText() const
{
    return texte.say(Phrase::ReadingStatus);
}

void frmTransfer::warnOfMissingReadings(const GaugeSession::MemoryDownload& download)
{
    const std::optional<QString> text = missingReadingsText(download, texte.languageIndex == kGerman);
    if (!text) return;
    MsgBox(*text);
    WriteLog(*text);
}

void frmTransfer::ParseDownloadedLines(const QStringList& zeilen) { core.takeDumpLines(zeilen); }

void frmTransfer::dumpSplit(bool exceeded)
{
    if (exceeded)
        MsgBox(texte.text(Msg::MaximaleAnzahlUeberschritten) + QStringLiteral(" ") + QString::number(kMaxReadings));
    if (MSFlex->Rows() > 2) ScrollToLastRow();
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);
}

void frmTransfer::downloadProgress(int linesSeen)
{
    if (progressBar->isVisible()) progressBar->setValue(qMin(linesSeen, progressBar->maximum()));
}

void frmTransfer::ShowEmptyNotice()
{
    if (txtSpeicher->width() == int(1125 / kTwipsPerPixel + 0.5))
        txtSpeicher->setFixedWidth(int(1400 / kTwipsPerPixel + 0.5));
    const QString layout = gauge->profile().speicherlayout.trimmed();
    if (layout == u"1" || layout == u"3") {
        txtSpeicher->setText(texte.text(Msg::SpeicherIstLeer));
        txtSpeicher->setVisible(true);
        EnableCommands();
        optOnline->setFocus(); // the notice stays until the operator chooses
        focusedOption = optOnline;
        return;
    }
    if (alleSpeicher && gauge->device().anzahl1 == 0 && gauge->device().anzahl2 == 0) {
        txtSpeicher->setText(texte.text(Msg::SpeicherLeer));
        txtSpeicher->setVisible(true);
        gauge->Delay(2);
        if (programEnded) return;
        txtSpeicher->setText(texte.text(Msg::Bereit));
        EnableCommands();
        optOnline->setFocus();
        focusedOption = optOnline;
        return;
    }
    std::optional<Msg> message;
    if (core.tableKind() == kFE && layout == u"2N") message = Msg::FeSpeicherLeer;
    if (core.tableKind() == kFE && layout == u"2E") message = Msg::Speicher1Leer;
    if (core.tableKind() == kNFE && layout == u"2N") message = Msg::NfeSpeicherLeer;
    if (core.tableKind() == kNFE && layout == u"2E") message = Msg::Speicher2Leer;
    if (message) txtSpeicher->setText(texte.text(*message));
    txtSpeicher->setVisible(true);
    gauge->Delay(1);
    if (programEnded) return;
    txtSpeicher->setText(texte.text(Msg::Bereit));
    EnableCommands();
}

} // namespace kivo
