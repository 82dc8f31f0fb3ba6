// Downloading the gauge's memories into the FE and NFE tables.

#include "app/frmTransfer.h"
#include "device/CommandScope.h"
#include "device/DumpSplit.h"
#include "platform/FlexGrid.h"
#include "platform/Hourglass.h"

#include <QApplication>
#include <QDateTime>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace kivo {

void frmTransfer::SetupMemoryButtons()
{
    SetMemoryNames();
    const QString layout = profile.speicherlayout.trimmed();
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
    if (waitDepth > 0) return; // no download inside another command's wait
    CommandScope command(*this);
    focusedOption = nullptr;
    link.SchalterStop = true;
    alleSpeicher = true;
    link.oeffnenVersuche = 0;
    OpenPort(link.portnr);
    if (!link.CheckConnect || programEnded) {
        link.SchalterStop = false;
        return;
    }
    if (!ReadGeraet()) { // no answer, or the gauge switched itself off meanwhile
        link.SchalterStop = false;
        if (!programEnded && link.CheckConnect) showNoAnswer();
        return;
    }
    ResetMemoryCaption();
    cmdLesFE_Click();
    if (programEnded) return;
    if (profile.speicherlayout.startsWith(u'2')) {
        // One Escape ends the whole command: memory 2 is not asked for.
        if (!commandStopped() && link.CheckConnect) cmdLesNFE_Click();
        else alleSpeicher = false;
        if (programEnded) return;
    }
    // A gauge that switched itself off leaves the download commands off.
    if (link.CheckConnect) SelectTableAfterDownload();
    link.SchalterStop = false;
}

void frmTransfer::cmdLesFE_Click()
{
    if (waitDepth > 0) return;
    CommandScope command(*this);
    if (!alleSpeicher) focusedOption = nullptr;
    link.oeffnenVersuche = 0;
    OpenPort(link.portnr);
    if (!link.CheckConnect || programEnded) return;
    if (!alleSpeicher && !ReadGeraet()) {
        if (!programEnded && link.CheckConnect) showNoAnswer();
        return;
    }
    link.messart = kFE;
    if (device.anzahl1 != 0) {
        link.befehl = link.befehlSpeicher1;
        ReadMemory();
        if (!alleSpeicher && !programEnded && link.CheckConnect) SelectTableAfterDownload();
        return;
    }
    tables.ClearRecords(kFE);
    ResetMemoryCaption();
    ShowEmptyNotice();
}

void frmTransfer::cmdLesNFE_Click()
{
    if (waitDepth > 0) return;
    CommandScope command(*this);
    if (!alleSpeicher) {
        focusedOption = nullptr;
        link.oeffnenVersuche = 0;
        OpenPort(link.portnr);
        if (!link.CheckConnect || programEnded) return;
        if (!ReadGeraet()) {
            if (!programEnded && link.CheckConnect) showNoAnswer();
            return;
        }
    }
    link.messart = kNFE;
    if (device.anzahl2 != 0) {
        link.befehl = link.befehlSpeicher2;
        ReadMemory();
        if (alleSpeicher) alleSpeicher = false;
        else if (!programEnded && link.CheckConnect) SelectTableAfterDownload();
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
    const QDateTime now = QDateTime::currentDateTime();
    currentTime = now.toString(QStringLiteral("HH:mm:ss"));
    currentDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    lstStat->clear();
    MSFlex->Clear();
    MSFlex->setRows(1);
    lstStat->setVisible(true);
    ResetStatistics();
    SetupGrid();
    tables.ClearRecords(link.messart);
    link.oeffnenVersuche = 0;
    OpenPort(link.portnr);
    if (!link.CheckConnect || programEnded) return;

    Hourglass hourglass;
    link.empfang.clear();
    auswertung.clear();
    link.eotErkannt = false;
    tables.setSatznr(1);
    DisableCommands();
    dumpStxSeen = false;
    dumpLinesSeen = 0;
    const int announced = link.messart == kFE ? device.anzahl1 : device.anzahl2;
    progressBar->setRange(0, qMax(1, announced));
    progressBar->setValue(0);
    progressBar->setVisible(true);
    SendCommand();
    const bool complete = waitFor([this] { return link.eotErkannt; });
    progressBar->setVisible(false);
    if (programEnded) return;

    if (!complete) {
        abandonReplyIfOpen(); // cancelled or the link broke: nothing of it is parsed
    } else if (link.CheckConnect) {
        ParseDownloadedLines();
        EnableCommands();
    } // else the gauge switched itself off: the commands to it stay off
    link.empfang.clear();
    auswertung.clear();
    link.eotErkannt = false;
    lstStat->setVisible(true);
}

void frmTransfer::ParseDownloadedLines()
{
    // Every reading at once: the grid and the statistics list are brought
    // up to date when the last one is in.
    beginTableBatch();
    for (int i = 0; i < zeilen.size() && i < kMaxReadings && !zeilen[i].isEmpty(); ++i) {
        if (link.messart != kFE && link.messart != kNFE) break;
        zeile = zeilen[i];
        FillMessdaten();
    }
    endTableBatch();
}

void frmTransfer::downloadSplit()
{
    if (link.empfang.isEmpty() || !link.eotErkannt) return;
    if (cancelled) return; // the operator cancelled: the lines are dropped
    const DumpLines dump = splitDump(link.empfang, kMaxReadings);
    zeilen = dump.lines;
    if (dump.exceeded) MsgBox(texte.MessageText(53) + QStringLiteral(" ") + QString::number(kMaxReadings));
    if (MSFlex->Rows() > 2) ScrollToLastRow();
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);
}

void frmTransfer::showDownloadProgress(const QString& received)
{
    // Counted on what arrives, so a long dump costs no more per chunk.
    const QString stxLine = QStringLiteral("\x02\r\n");
    if (!dumpStxSeen) {
        const qsizetype stx = link.empfang.indexOf(stxLine, qMax<qsizetype>(0, link.empfang.size() - received.size() - 3));
        if (stx < 0) return;
        dumpStxSeen = true;
        dumpLinesSeen = int(QStringView(link.empfang).mid(stx + stxLine.size()).count(QStringLiteral("\r\n")));
    } else {
        // a CR LF split across two chunks is counted with the second
        const bool split = received.startsWith(u'\n') && link.empfang.size() > received.size()
                           && link.empfang[link.empfang.size() - received.size() - 1] == u'\r';
        dumpLinesSeen += int(received.count(QStringLiteral("\r\n"))) + (split ? 1 : 0);
    }
    progressBar->setValue(qMin(dumpLinesSeen, progressBar->maximum()));
}

void frmTransfer::ShowEmptyNotice()
{
    if (txtSpeicher->width() == int(1125 / kTwipsPerPixel + 0.5))
        txtSpeicher->setFixedWidth(int(1400 / kTwipsPerPixel + 0.5));
    const QString layout = profile.speicherlayout.trimmed();
    if (layout == u"1" || layout == u"3") {
        txtSpeicher->setText(texte.MessageText(33));
        txtSpeicher->setVisible(true);
        EnableCommands();
        optOnline->setFocus(); // the notice stays until the operator chooses
        focusedOption = optOnline;
        return;
    }
    if (alleSpeicher && device.anzahl1 == 0 && device.anzahl2 == 0) {
        txtSpeicher->setText(texte.MessageText(47));
        txtSpeicher->setVisible(true);
        Delay(2);
        if (programEnded) return;
        txtSpeicher->setText(texte.MessageText(42));
        EnableCommands();
        optOnline->setFocus();
        focusedOption = optOnline;
        return;
    }
    int message = 0;
    if (link.messart == kFE) message = layout == u"2N" ? 18 : layout == u"2E" ? 27 : 0;
    if (link.messart == kNFE) message = layout == u"2N" ? 19 : layout == u"2E" ? 28 : 0;
    if (message) txtSpeicher->setText(texte.MessageText(message));
    txtSpeicher->setVisible(true);
    Delay(1);
    if (programEnded) return;
    txtSpeicher->setText(texte.MessageText(42));
    EnableCommands();
}

} // namespace kivo
