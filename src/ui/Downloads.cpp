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
    SetMemoryNames();
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
    cmdLesen->setText(texte.MessageText(30));
    optFE->setText(speichername1 + QStringLiteral(" (0)"));
    optNFE->setText(speichername2 + QStringLiteral(" (0)"));
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
    const int kind = gauge->messart();
    ClearRecordTexts();
    const QDateTime now = QDateTime::currentDateTime();
    currentDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    lstStat->clear();
    MSFlex->Clear();
    MSFlex->setRows(1);
    lstStat->setVisible(true);
    ResetStatistics();
    SetupGrid();
    tables.ClearRecords(kind);
    gauge->resetOpenAttempts();
    gauge->OpenPort(gauge->portnr());
    if (!gauge->CheckConnect() || programEnded) return;

    tables.setSatznr(1);
    DisableCommands();
    const int announced = kind == kFE ? gauge->device().anzahl1 : gauge->device().anzahl2;
    progressBar->setRange(0, qMax(1, announced));
    progressBar->setValue(0);
    progressBar->setVisible(true);
    // The status box says what goes on while the readings come, in the
    // language of the moment.
    const QString ready = txtSpeicher->text();
    const int language = texte.languageIndex;
    downloading = true;
    txtSpeicher->setText(readingText());
    lblConnectHint->clear();
    const bool complete =
        gauge->downloadMemory(QString::fromLatin1(kind == kFE ? kBefehlSpeicher1 : kBefehlSpeicher2));
    downloading = false;
    progressBar->setVisible(false);
    if (programEnded) return;
    if (txtSpeicher->text() == readingText())
        txtSpeicher->setText(texte.languageIndex == language ? ready : texte.MessageText(42));
    // A download the operator cancelled says so in the status bar: nothing
    // of it was taken.
    if (!complete && gauge->commandStopped() && gauge->CheckConnect())
        lblConnectHint->setText(texte.languageIndex == kGerman
                                    ? QStringLiteral("Lesen abgebrochen – es wurde nichts übernommen.")
                                    : QStringLiteral("Reading cancelled – nothing was taken."));
    // A cancelled or broken download is not parsed; after a switch-off the
    // commands to the gauge stay off.
    if (complete && gauge->CheckConnect()) {
        ParseDownloadedLines(gauge->dumpLines());
        EnableCommands();
        warnOfMissingReadings(announced, int(gauge->dumpLines().size()), gauge->dumpDamagedLines());
    }
    lstStat->setVisible(true);
}

QString frmTransfer::readingText() const
{
    return texte.languageIndex == kGerman ? QStringLiteral("LESEN") : QStringLiteral("READING");
}

void frmTransfer::warnOfMissingReadings(int announced, int received, int damaged)
{
    // The wire has no checksum: a damaged line end or EOT costs readings
    // without a word, unless the count the gauge announced is compared; a
    // damaged line is refused and counts as missing.
    const int expected = qMin(announced, kMaxReadings);
    if (received >= expected && damaged == 0) return;
    const bool german = texte.languageIndex == kGerman;
    // "nur" only where readings are missing; damaged lines may be extra.
    const bool missing = received < expected;
    QString text = (german ? (missing ? QStringLiteral("Das Gerät meldete %1 Messwerte, empfangen wurden nur %2")
                                      : QStringLiteral("Das Gerät meldete %1 Messwerte, empfangen wurden %2"))
                           : (missing ? QStringLiteral("The gauge reported %1 readings, only %2 arrived")
                                      : QStringLiteral("The gauge reported %1 readings, %2 arrived")))
                       .arg(expected)
                       .arg(received);
    if (damaged == 1) text += german ? QStringLiteral("; 1 Zeile war beschädigt") : QStringLiteral("; 1 line was damaged");
    else if (damaged > 1)
        text += (german ? QStringLiteral("; %1 Zeilen waren beschädigt") : QStringLiteral("; %1 lines were damaged"))
                    .arg(damaged);
    text += german ? QStringLiteral(". Bitte den Speicher erneut lesen.") : QStringLiteral(". Please read the memory again.");
    MsgBox(text);
    WriteLog(text);
}

void frmTransfer::ParseDownloadedLines(const QStringList& zeilen)
{
    // Every reading at once: the grid and the statistics list are brought
    // up to date when the last one is in.
    beginTableBatch();
    for (int i = 0; i < zeilen.size() && i < kMaxReadings && !zeilen[i].isEmpty(); ++i) {
        if (gauge->messart() != kFE && gauge->messart() != kNFE) break;
        FillMessdaten(zeilen[i]);
    }
    endTableBatch();
}

void frmTransfer::dumpSplit(bool exceeded)
{
    if (exceeded) MsgBox(texte.MessageText(53) + QStringLiteral(" ") + QString::number(kMaxReadings));
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
        txtSpeicher->setText(texte.MessageText(33));
        txtSpeicher->setVisible(true);
        EnableCommands();
        optOnline->setFocus(); // the notice stays until the operator chooses
        focusedOption = optOnline;
        return;
    }
    if (alleSpeicher && gauge->device().anzahl1 == 0 && gauge->device().anzahl2 == 0) {
        txtSpeicher->setText(texte.MessageText(47));
        txtSpeicher->setVisible(true);
        gauge->Delay(2);
        if (programEnded) return;
        txtSpeicher->setText(texte.MessageText(42));
        EnableCommands();
        optOnline->setFocus();
        focusedOption = optOnline;
        return;
    }
    int message = 0;
    if (gauge->messart() == kFE) message = layout == u"2N" ? 18 : layout == u"2E" ? 27 : 0;
    if (gauge->messart() == kNFE) message = layout == u"2N" ? 19 : layout == u"2E" ? 28 : 0;
    if (message) txtSpeicher->setText(texte.MessageText(message));
    txtSpeicher->setVisible(true);
    gauge->Delay(1);
    if (programEnded) return;
    txtSpeicher->setText(texte.MessageText(42));
    EnableCommands();
}

} // namespace kivo
