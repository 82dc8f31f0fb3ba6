// Online mode: the gauge sends each reading as the operator measures. The
// device link takes them off the wire; here each becomes a row.

#include "ui/frmTransfer.h"
#include "ui/FlexGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace kivo {

namespace {

// The status box shows a reading's value and unit (columns 7 to 21).
QString statusText(const QString& zeile) { return zeile.mid(6, 15); }

void showStopLook(QPushButton* cmdStop, const Texte& texte, bool stopped)
{
    cmdStop->setText(texte.text(stopped ? Msg::Weiter : Msg::Stopp));
    cmdStop->setStyleSheet(stopped ? QStringLiteral("background: rgb(128,255,128);")
                                   : QStringLiteral("background: rgb(255,128,128);"));
}

} // namespace

void frmTransfer::optOnline_Click()
{
    if (gauge->waiting()) return; // not inside another command's wait
    DeviceLink::Command command(*gauge);
    txtSpeicher->setText(texte.text(Msg::Bereit));
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAbs, cmdChart, cmdGross, txtMittelwert}) w->setVisible(false);
    core.showTable(kOnline);
    ResetStatistics();
    lstStat->clear();
    RebuildTable();
    optOnline->setChecked(true);
    focusedOption = optOnline;
    core.onlineBegins();
    lblConnectHint->clear();
    gauge->resetOpenAttempts();
    gauge->OpenPort(gauge->portnr());
    if (!gauge->CheckConnect() || programEnded) return;
    if (gauge->profile().onlineart == u"V") {
        cmdStop->setVisible(true);
        showStopLook(cmdStop, texte, gauge->SchalterStop());
    }
    if (!gauge->startOnline()) return;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel, MSFlex})
        w->setVisible(true);
    EnableCommands();
}

void frmTransfer::narrowStatusField()
{
    if (txtSpeicher->width() == int(1400 / kTwipsPerPixel + 0.5))
        txtSpeicher->setFixedWidth(int(1125 / kTwipsPerPixel + 0.5));
}

void frmTransfer::saveOnlineReadings()
{
    onlineAutoSave = false;
    cmdSave_Click(); // to Online.mes, without a dialog
}

void frmTransfer::onlineLineRefused(int refused)
{
    // Said in the status line, not in a box: a noisy wire would stack them up.
    lblConnectHint->setText(refused == 1 ? texte.say(Phrase::OnlineLineRefused)
                                         : texte.say(Phrase::OnlineLinesRefused).arg(refused));
}

void frmTransfer::onlineHeld(const QString& text)
{
    // The Online option stays: choosing it again takes what came after.
    lblConnectHint->setText(text);
}

void frmTransfer::onlineShown(const QString& zeile, bool record)
{
    narrowStatusField();
    if (!record) {
        txtSpeicher->setText(statusText(zeile).replace(QStringLiteral("Oe"), QStringLiteral("G ")));
        return;
    }
    txtSpeicher->setText(statusText(zeile).replace(QStringLiteral("ym"), QStringLiteral("µm")));
    if (MSFlex->Rows() > 2) ScrollToLastRow();
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);
    EnableCommands();
}

void frmTransfer::onlineLinesTaken()
{
    // Readings kept only on screen would be lost with the window. Lines
    // that came together are saved together, once the last of them is in,
    // and out of the port's handler: the save lets events run, and a port
    // that reads on meanwhile without delivering piles up its buffers.
    if (onlineSavePending) return;
    onlineSavePending = true;
    QTimer::singleShot(0, this, [this] {
        onlineSavePending = false;
        if (!programEnded && core.tableKind() == kOnline) saveOnlineReadings();
    });
}

void frmTransfer::flushOnlineSave()
{
    // The online table is about to go from the screen or the program ends:
    // the save still to come is made while the table is on show.
    if (!onlineSavePending) return;
    onlineSavePending = false;
    if (!programEnded && core.tableKind() == kOnline) saveOnlineReadings();
}

void frmTransfer::setTableKind(int kind)
{
    if (kind != kOnline) flushOnlineSave();
    core.showTable(kind);
}

void frmTransfer::cmdStop_Click()
{
    gauge->setSchalterStop(!gauge->SchalterStop());
    showStopLook(cmdStop, texte, gauge->SchalterStop());
}

} // namespace kivo
