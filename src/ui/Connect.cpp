// Connecting to the gauge, and how the port's state looks on the screen:
// the window's side of the device link.

#include "ui/frmTransfer.h"
#include "device/ComboPortText.h"
#include "ui/Hourglass.h"
#include "texts/ConnectHint.h"
#include "ui/PictureBox.h"
#include "platform/SerialPorts.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace kivo {

bool frmTransfer::eventFilter(QObject* watched, QEvent* event)
{
    // Escape cancels what the program waits for; pressed while nothing
    // waits, it counts for nothing.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) gauge->cancel();
    if (watched == cmdWerte && event->type() == QEvent::FocusOut) cmdWerte_LostFocus();
    return QMainWindow::eventFilter(watched, event);
}

QString frmTransfer::selectedPort() const
{
    return portFromComboText(ComboPort->currentText(), kNumberedPorts).value_or(QString());
}

void frmTransfer::cmdConnect_Click()
{
    if (gauge->waiting()) return; // no Connect inside another command's wait
    DeviceLink::Command command(*gauge);
    Hourglass hourglass;
    if (!ComboPort->currentText().isEmpty()) {
        if (const auto port = portFromComboText(ComboPort->currentText(), kNumberedPorts)) gauge->setPortnr(*port);
        txtWait->setText(texte.text(Msg::BitteWarten));
        txtWait->setVisible(true);
        gauge->markNotConnected();
        gauge->closePort();
    }
    lblConnectHint->clear();
    // A new online session: its first save keeps the last one's Online.mes.
    onlineFileKept = false;
    // A gauge found switched off at the last attempt may be on now: try it.
    gauge->prepareConnect();
    gauge->OpenPort(gauge->portnr());
    if (programEnded) return;
    // A gauge that never answered is not connected, and says nothing about
    // its memories; one that switched itself off meanwhile is not available.
    if (gauge->CheckConnect() && !gauge->ReadGeraet()) {
        if (programEnded) return;
        if (gauge->CheckConnect()) showNoAnswer();
    }
    if (gauge->CheckConnect()) {
        gauge->refineLayout();
        SetupMemoryButtons();
        SetupMemoryButtons();
        loadProjectCaptions();
        loadLimits();
        loadProjectData(); // the archive keeps them with every inspection
        savePort();
        if (gauge->profile().speicherlayout.startsWith(u'X')) optOnline_Click();
        else ReadAllMemories();
        if (programEnded) return;
        gauge->resetOpenAttempts();
        EnableCommands();
        if (!gauge->CheckConnect()) disableDeviceCommands(); // switched off during the download
    }
    ShowLimitsCaption();
}

void frmTransfer::showNoAnswer()
{
    gauge->closePort();
    gauge->markNotConnected();
    showNotConnected();
    const QString text = texte.text(Menu::NichtVerbunden) + texte.say(Phrase::NoAnswerAppended);
    txtWait->setText(text);
    WriteLog(text);
    showNoPresence();
}

void frmTransfer::showNoPresence()
{
    lblConnectHint->setText(connectHint(texte.languageIndex == kGerman, gauge->profile().schnittstelle == u"B"));
}

void frmTransfer::disableDeviceCommands()
{
    cmdLesFE->setEnabled(false);
    cmdLesNFE->setEnabled(false);
    cmdLesen->setEnabled(false);
}

void frmTransfer::showOpening()
{
    txtWait->setText(texte.text(Msg::BitteWarten));
    txtWait->setVisible(true);
}

void frmTransfer::showStillConnected() { txtWait->setText(texte.text(Menu::Verbunden)); }

void frmTransfer::showConnected(const QString& port)
{
    lblConnectHint->clear();
    const ModelProfile& profile = gauge->profile();
    ComboPort->setVisible(false);
    txtWait->setStyleSheet(QStringLiteral("color: rgb(0,0,255);"));
    txtWait->setText(texte.text(Menu::Verbunden));
    txtWait->setToolTip(QString());
    txtWait->setVisible(true);
    Frame2->setTitle(QStringLiteral("Com-Port(") + portCaptionName(port, kNumberedPorts) + u')'); // both languages
    optOnline->setEnabled(true);
    cmdOpen->setEnabled(true);
    cmdConnect->setText(QStringLiteral(" "));
    cmdConnect->setVisible(false);
    txtSpeicher->setVisible(true);
    picBth->setVisible(profile.schnittstelle == u"B");
    picUsb->setVisible(gauge->profile().schnittstelle != u"B");
    cmdLesen->setVisible(!gauge->profile().speicherlayout.startsWith(u'X'));
}

void frmTransfer::showNotConnected()
{
    cmdConnect->setText(texte.text(Menu::Verbinden));
    ComboPort->setVisible(true);
    cmdLesFE->setEnabled(false);
    cmdLesNFE->setEnabled(false);
    Frame2->setTitle(QStringLiteral("Com-Port"));
    txtWait->setText(texte.text(Menu::NichtVerbunden));
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
    const QString unavailable = texte.text(Msg::GeraetNichtVerfuegbar);
    txtWait->setText(reason.isEmpty() ? unavailable : unavailable + u' ' + reason);
    txtWait->setToolTip(reason);
    txtWait->setVisible(true);
    cmdConnect->setText(texte.text(Menu::Verbinden));
    cmdConnect->setVisible(true);
    ComboPort->setVisible(true);
    disableDeviceCommands();
    picBth->setVisible(false);
    picUsb->setVisible(false);
    cmdConnect->setFocus();
}

void frmTransfer::showLinkLost()
{
    cmdLesFE->setEnabled(false);
    cmdLesNFE->setEnabled(false);
    Frame2->setTitle(QStringLiteral("Com-Port"));
}

void frmTransfer::gaugeBusy()
{
    DisableCommands();
    txtWait->setVisible(true);
}

void frmTransfer::waitStarted()
{
    escapeHint->setText(texte.say(Phrase::WaitingForGauge));
    escapeHint->setVisible(true);
    cancelButton->setText(texte.say(Phrase::CancelWait));
    cancelButton->setVisible(true);
}

void frmTransfer::waitEnded()
{
    escapeHint->setVisible(false);
    cancelButton->setVisible(false);
}

MsgAnswer frmTransfer::message(const QString& text, MsgIcon icon) { return MsgBox(text, MsgButtons::OK, icon); }

void frmTransfer::identified(const std::optional<QString>& failure)
{
    if (!failure) return;
    const QString text = QStringLiteral("ReadGeraet: ") + core.lastSettingsError() + *failure;
    MsgBox(text);
    WriteLog(text);
}

void frmTransfer::commandEnded()
{
    if (!refreshPending || programEnded) return;
    refreshPending = false;
    if (gauge->CheckConnect()) RefreshTable();
}

void frmTransfer::SCom1_PortChange(int kind, const QString& portName)
{
    gauge->portChanged(kind, portName);
    // Whether it is the operator's port is asked before the list follows the
    // change, which may take the port's entry away.
    const bool ours = portName == systemPortName(selectedPort(), kNumberedPorts);
    if (kind == kPortPluggedIn || kind == kPortUnplugged) refreshPortList();

    // Said alike in both languages, as it always was.
    QString text = portName;
    if (kind == kPortPluggedIn) text += QStringLiteral(" plugged in");
    else if (kind == kPortUnplugged) text += QStringLiteral(" Unplugged");
    else if (kind == kPortReady) text += QStringLiteral(" ready");
    else return;
    text += QStringLiteral("\r\n");
    if (!ours) return;
    MsgBox(QStringLiteral("Verbindungsabbruch wegen ") + text);
    cmdConnect->setText(texte.text(Menu::Verbinden));
    txtWait->setText(QString());
    cmdConnect->setVisible(true);
    picBth->setVisible(false);
    picUsb->setVisible(false);
    ComboPort->setVisible(true);
    disableDeviceCommands();
}

void frmTransfer::working(bool on)
{
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace kivo
