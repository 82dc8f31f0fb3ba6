// Connecting to the gauge: port choice, opening, the presence test of cable
// gauges, port set-ups for each kind of exchange, and the serial events.

#include "app/frmTransfer.h"
#include "device/CommandScope.h"
#include "device/ComboPortText.h"
#include "device/PortList.h"
#include "shared/FieldExcerpt.h"
#include "platform/Hourglass.h"
#include "platform/PictureBox.h"
#include "platform/PortWatcher.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace kivo {

namespace {

constexpr char kEOT = 4;
constexpr char kEM = 25;
constexpr int kPingSeconds = 4;
// No identification reply of a gauge is longer than a few lines, and no
// dump longer than 5000 readings with a short header; past these the wire
// carries something else.
constexpr qsizetype kMaxReplyChars = 16 * 1024;
constexpr qsizetype kMaxDumpChars = 512 * 1024;

} // namespace

QString frmTransfer::selectedPort() const
{
    return portFromComboText(ComboPort->currentText(), kNumberedPorts).value_or(QString());
}

void frmTransfer::cmdConnect_Click()
{
    if (waitDepth > 0) return; // no Connect inside another command's wait
    CommandScope command(*this);
    Hourglass hourglass;
    if (!ComboPort->currentText().isEmpty()) {
        if (const auto port = portFromComboText(ComboPort->currentText(), kNumberedPorts)) link.portnr = *port;
        txtWait->setText(texte.MessageText(13));
        txtWait->setVisible(true);
        link.CheckConnect = false;
        closePort();
    }
    // A gauge found switched off at the last attempt may be on now: try it.
    link.abgeschaltet = false;
    link.pruefenBeimVerbinden = true;
    link.oeffnenVersuche = 0;
    OpenPort(link.portnr);
    if (programEnded) return;
    // A gauge that never answered is not connected, and says nothing about
    // its memories; one that switched itself off meanwhile is not available.
    if (link.CheckConnect && !ReadGeraet()) {
        if (programEnded) return;
        if (link.CheckConnect) showNoAnswer();
    }
    if (link.CheckConnect) {
        if (identity.geraet.startsWith(QStringLiteral("FE"))) profile.speicherlayout = QStringLiteral("2E");
        if (identity.geraet.startsWith(QStringLiteral("FN"))) profile.speicherlayout = QStringLiteral("2N");
        SetupMemoryButtons();
        SetupMemoryButtons();
        Voreinstellungen(QStringLiteral("PI"));
        Voreinstellungen(QStringLiteral("LL"));
        Voreinstellungen(QStringLiteral("CS"));
        if (profile.speicherlayout.startsWith(u'X')) optOnline_Click();
        else ReadAllMemories();
        if (programEnded) return;
        link.oeffnenVersuche = 0;
        EnableCommands();
        if (!link.CheckConnect) disableDeviceCommands(); // switched off during the download
    }
    ShowLimitsCaption();
}

void frmTransfer::showNoAnswer()
{
    closePort();
    link.CheckConnect = false;
    showNotConnected();
    const QString text = texte.MenuText(55)
                         + (texte.languageIndex == kGerman ? QStringLiteral(" – das Gerät hat nicht geantwortet.")
                                                           : QStringLiteral(" – the gauge did not answer."));
    txtWait->setText(text);
    WriteLog(text);
}

void frmTransfer::disableDeviceCommands()
{
    cmdLesFE->setEnabled(false);
    cmdLesNFE->setEnabled(false);
    cmdLesen->setEnabled(false);
}

QString frmTransfer::openFailureText(OpenResult result, const QString& port, const QString& reason) const
{
    const bool german = texte.languageIndex == kGerman;
    const QString name = fieldExcerpt(port); // Port.ini is outside data
    switch (result) {
    case OpenResult::PermissionDenied:
        return german ? QStringLiteral("Keine Berechtigung für %1. Der Benutzer muss zur Gruppe \"dialout\" gehören "
                                       "(sudo usermod -aG dialout $USER, dann neu anmelden).")
                            .arg(name)
                      : QStringLiteral("No permission to open %1. The user must be in the \"dialout\" group "
                                       "(sudo usermod -aG dialout $USER, then log in again).")
                            .arg(name);
    case OpenResult::Busy:
        return german ? QStringLiteral("%1 wird von einem anderen Programm benutzt.").arg(name)
                      : QStringLiteral("%1 is in use by another program.").arg(name);
    case OpenResult::NotFound:
        return german ? QStringLiteral("%1 ist nicht vorhanden.").arg(name)
                      : QStringLiteral("%1 does not exist.").arg(name);
    default: return name + QStringLiteral(": ") + reason;
    }
}

void frmTransfer::OpenPort(const QString& port)
{
    OpenResult failure = OpenResult::Opened;
    QString reason;
    if (!link.abgeschaltet) {
        if (SCom1->isOpen()) {
            link.CheckConnect = true;
            txtWait->setText(texte.MenuText(53));
        } else {
            for (int attempt = 0; attempt < 5 && !SCom1->isOpen(); ++attempt) {
                txtWait->setText(texte.MessageText(13));
                txtWait->setVisible(true);
                failure = SCom1->open(systemPortName(port, kNumberedPorts), &reason);
                if (failure != OpenResult::Opened) break;
                openPortName = systemPortName(port, kNumberedPorts);
                replyAbandoned = false;
                if (profile.schnittstelle == u"K" && link.pruefenBeimVerbinden) PingGeraet();
                link.CheckConnect = !link.abgeschaltet;
            }
        }
        if (failure == OpenResult::Opened && !link.abgeschaltet) {
            if (link.CheckConnect) showConnected(port);
            else showNotConnected();
            return;
        }
        if (failure == OpenResult::Opened) {
            // The presence test found no gauge: not connected; the next
            // attempt reports it as not available.
            showNotConnected();
            return;
        }
    }

    // An open failure, or the gauge switched itself off.
    if (failure != OpenResult::Opened && link.oeffnenVersuche < 1) {
        ++link.oeffnenVersuche;
        OpenPort(port);
        return;
    }
    QString text;
    if (failure != OpenResult::Opened) {
        text = openFailureText(failure, systemPortName(port, kNumberedPorts), reason);
        WriteLog(texte.MessageText(29) + u' ' + text);
        if (failure != OpenResult::NotFound) MsgBox(texte.MessageText(29) + QStringLiteral("\r\n") + text);
    }
    showDeviceUnavailable(text);
}

void frmTransfer::showConnected(const QString& port)
{
    ComboPort->setVisible(false);
    txtWait->setStyleSheet(QStringLiteral("color: rgb(0,0,255);"));
    txtWait->setText(texte.MenuText(53));
    txtWait->setToolTip(QString());
    txtWait->setVisible(true);
    Frame2->setTitle(QStringLiteral("Com-Port(") + portCaptionName(port, kNumberedPorts) + u')');
    optOnline->setEnabled(true);
    cmdOpen->setEnabled(true);
    cmdConnect->setText(QStringLiteral(" "));
    cmdConnect->setVisible(false);
    txtSpeicher->setVisible(true);
    picBth->setVisible(profile.schnittstelle == u"B");
    picUsb->setVisible(profile.schnittstelle != u"B");
    cmdLesen->setVisible(!profile.speicherlayout.startsWith(u'X'));
}

void frmTransfer::showNotConnected()
{
    cmdConnect->setText(texte.MenuText(50));
    ComboPort->setVisible(true);
    cmdLesFE->setEnabled(false);
    cmdLesNFE->setEnabled(false);
    Frame2->setTitle(QStringLiteral("Com-Port"));
    txtWait->setText(texte.MenuText(55));
    txtWait->setVisible(true);
    optOnline->setEnabled(false);
    cmdConnect->setVisible(true);
    cmdConnect->setFocus();
    txtSpeicher->setVisible(false);
    picBth->setVisible(false);
    picUsb->setVisible(false);
}

void frmTransfer::showDeviceUnavailable(const QString& reason)
{
    // Why, on the screen itself: a tooltip is found by nobody.
    txtWait->setText(reason.isEmpty() ? texte.MessageText(29) : texte.MessageText(29) + u' ' + reason);
    txtWait->setToolTip(reason);
    txtWait->setVisible(true);
    cmdConnect->setText(texte.MenuText(50));
    cmdConnect->setVisible(true);
    ComboPort->setVisible(true);
    cmdLesFE->setEnabled(false);
    cmdLesNFE->setEnabled(false);
    cmdLesen->setEnabled(false);
    picBth->setVisible(false);
    picUsb->setVisible(false);
    cmdConnect->setFocus();
    link.abgeschaltet = false;
    link.CheckConnect = false;
}

void frmTransfer::PingGeraet()
{
    link.empfang.clear();
    auswertung.clear();
    link.eotErkannt = false;
    DisableCommands();
    txtWait->setVisible(true);
    Hourglass hourglass;
    link.messart = 3;
    link.befehl = link.befehlKennung;
    SendCommand();
    // More than four whole seconds without the end character: switched off.
    QElapsedTimer clock;
    clock.start();
    const bool answered = waitFor([&] { return link.eotErkannt || clock.elapsed() / 1000 > kPingSeconds; });
    if (!link.eotErkannt) abandonReplyIfOpen(); // a late answer must not pass for the next reply
    if (answered && !link.eotErkannt) {
        link.abgeschaltet = true;
        return;
    }
    link.abgeschaltet = false;
}

void frmTransfer::SendCommand()
{
    // What is left of an answer given up before is not this command's reply.
    if (!drainAbandonedReply()) return;
    SerialLink& s = *SCom1;
    s.discardInput();
    s.setInBufferSize(8192);
    s.setInputLen(0);
    s.setRThreshold(SerialLink::kNoThreshold);
    s.setRThreshold(1);
    s.setTriggers(QByteArray(1, kEOT) + QByteArray(1, kEM));
    s.write(link.befehl.toLatin1());
}

void frmTransfer::SetupOnlineSingle()
{
    SerialLink& s = *SCom1;
    s.discardInput();
    s.discardOutput();
    s.setRThreshold(27); // one reading record: 25 columns and CR LF
    s.setRThreshold(SerialLink::kNoThreshold);
    s.setTriggers(QByteArray(1, kEM));
    s.discardOutput();
    s.setInputLen(0);
}

void frmTransfer::SetupOnlineLines()
{
    SerialLink& s = *SCom1;
    s.discardInput();
    s.discardOutput();
    s.setInBufferSize(8192);
    s.setRThreshold(1);
    s.setRThreshold(SerialLink::kNoThreshold);
    s.setTriggers(QByteArray(1, kEM));
    s.discardOutput();
    s.setInputLen(1);
}

void frmTransfer::SCom1_OnComm(int code)
{
    if (code == kEvReceive) lastByteClock.start();
    if (replyAbandoned && code == kEvReceive) {
        while (!SCom1->read().isEmpty()) {
        } // the rest of an answer given up before
        return;
    }
    if (code == kEvReceive && link.messart == kOnline && profile.onlineart == u"V") {
        onlineLines();
    } else if (code == kEvReceive) {
        const QString received = SCom1->read();
        // The reply is parsed from the receive buffer once it is complete;
        // copying it at every chunk would cost a long dump dearly.
        link.empfang += received;
        const bool dump = link.messart == kFE || link.messart == kNFE;
        if (link.empfang.size() > (dump ? kMaxDumpChars : kMaxReplyChars) && link.messart != kOnline) {
            stopOversizedReply();
            return;
        }
        if (dump && progressBar->isVisible()) showDownloadProgress(received);
    } else if (code == kEvTrigger) {
        const QByteArray fired = SCom1->takeFiredTriggers();
        for (char c : fired) {
            if (c == kEOT && replyAbandoned) {
                replyAbandoned = false; // the answer given up before is over
                continue;
            }
            if (c == kEOT) link.eotErkannt = true;
            if (c == kEM) {
                // The gauge switched itself off.
                link.eotErkannt = true;
                link.abgeschaltet = true;
                link.oeffnenVersuche = 0;
                OpenPort(link.portnr);
                return;
            }
        }
        if (replyAbandoned) return;
    }
    if (code == kEvReceive || code == kEvTrigger) {
        if (link.messart == kFE || link.messart == kNFE) downloadSplit();
        if (link.messart == kOnline && profile.onlineart != u"V") onlineRecords();
        return;
    }
    if (code == kEvLinkFailure || code == kEvLinkFailure2) {
        // Every wait for the gauge ends at once: nothing of the broken
        // transfer is parsed, and the command asks nothing more.
        if (waitDepth > 0) cancelled = true;
        closePort();
        cmdLesFE->setEnabled(false);
        cmdLesNFE->setEnabled(false);
        Frame2->setTitle(QStringLiteral("Com-Port"));
        link.oeffnenVersuche = 1;
        OpenPort(link.portnr);
    }
}

void frmTransfer::stopOversizedReply()
{
    link.empfang.clear();
    if (waitDepth > 0) cancelled = true;
    abandonReplyIfOpen();
    const QString text = texte.languageIndex == kGerman
                             ? QStringLiteral("Das Gerät sendet mehr Daten als erwartet. Die Übertragung wurde abgebrochen.")
                             : QStringLiteral("The gauge sent more data than expected. The transfer was stopped.");
    WriteLog(text);
    MsgBox(text, MsgButtons::OK, MsgIcon::Warning);
}

void frmTransfer::SCom1_PortChange(int kind, const QString& portName)
{
    // A port that vanished while open is a lost link.
    if (kind == kPortUnplugged && SCom1->isOpen() && portName == openPortName) SCom1_OnComm(kEvLinkFailure);
    if (kind == kPortPluggedIn || kind == kPortUnplugged) refreshPortList();

    QString text = portName;
    if (kind == kPortPluggedIn) text += QStringLiteral(" plugged in");
    else if (kind == kPortUnplugged) text += QStringLiteral(" Unplugged");
    else if (kind == kPortReady) text += QStringLiteral(" ready");
    else return;
    text += QStringLiteral("\r\n");
    if (portName != systemPortName(selectedPort(), kNumberedPorts)) return;
    MsgBox(QStringLiteral("Verbindungsabbruch wegen ") + text);
    cmdConnect->setText(texte.MenuText(50));
    txtWait->setText(QString());
    cmdConnect->setVisible(true);
    picBth->setVisible(false);
    picUsb->setVisible(false);
    ComboPort->setVisible(true);
    cmdLesFE->setEnabled(false);
    cmdLesNFE->setEnabled(false);
    cmdLesen->setEnabled(false);
}

} // namespace kivo
