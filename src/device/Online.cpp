// Online mode: the gauge sends each reading as the operator measures.

#include "app/frmTransfer.h"
#include "device/CommandScope.h"
#include "platform/FlexGrid.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>

namespace kivo {

namespace {

// No reading line is this long: what has no line end by then is noise.
constexpr qsizetype kMaxOnlineLine = 4096;

// The status box shows a reading's value and unit (columns 7 to 21).
QString statusText(const QString& zeile) { return zeile.mid(6, 15); }

bool startsLikeAReading(QStringView line) { return line.isEmpty() || line[0] == u' ' || line[0].isDigit(); }

} // namespace

void frmTransfer::optOnline_Click()
{
    if (waitDepth > 0) return; // not inside another command's wait
    CommandScope command(*this);
    txtSpeicher->setText(texte.MessageText(42));
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAbs, cmdChart, cmdGross, txtMittelwert}) w->setVisible(false);
    link.messart = kOnline;
    ResetStatistics();
    lstStat->clear();
    RebuildTable();
    optOnline->setChecked(true);
    focusedOption = optOnline;
    onlineFullReported = false;
    link.oeffnenVersuche = 0;
    OpenPort(link.portnr);
    if (!link.CheckConnect || programEnded) return;
    // The rest of a download given up before is no online reading.
    if (!drainAbandonedReply()) return;
    zeile.clear();
    link.empfang.clear();
    if (profile.onlineart != u"V") {
        SetupOnlineSingle();
    } else {
        cmdStop->setVisible(true);
        cmdStop->setText(texte.MessageText(link.SchalterStop ? 56 : 55));
        cmdStop->setStyleSheet(link.SchalterStop ? QStringLiteral("background: rgb(128,255,128);")
                                                 : QStringLiteral("background: rgb(255,128,128);"));
        onlineAnzahl = 1;
        onlineVerarbeitet = 1;
        onlineZeilen.clear();
        SetupOnlineLines();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel, MSFlex})
        w->setVisible(true);
    EnableCommands();
}

void frmTransfer::narrowStatusField()
{
    if (txtSpeicher->width() == int(1400 / kTwipsPerPixel + 0.5))
        txtSpeicher->setFixedWidth(int(1125 / kTwipsPerPixel + 0.5));
}

void frmTransfer::reportOnlineTableFull()
{
    // Said once: a gauge that goes on sending must not stack up message boxes.
    if (onlineFullReported) return;
    onlineFullReported = true;
    const QString text = texte.MessageText(53) + QStringLiteral(" ") + QString::number(kMaxReadings);
    WriteLog(text);
    MsgBox(text);
}

void frmTransfer::saveOnlineReadings()
{
    onlineAutoSave = false;
    cmdSave_Click(); // to Online.mes, without a dialog
}

void frmTransfer::onlineRecords()
{
    narrowStatusField();
    // Each record is 25 columns and CR LF; records that arrived together are
    // taken one by one, so none is lost.
    const QString received = std::exchange(link.empfang, QString());
    qsizetype pos = 0;
    while (pos < received.size()) {
        const QStringView rest = QStringView(received).mid(pos);
        if (!startsLikeAReading(rest)) {
            optOnline->setEnabled(false); // not a reading: dropped
            return;
        }
        const qsizetype end = rest.indexOf(u"\r\n");
        if (end < 0 && rest.size() < 27) {
            // The rest is still on its way: it waits at the port with what
            // comes next, so the next receive notification brings it whole.
            SCom1->putBack(rest.toString());
            return;
        }
        const qsizetype length = end < 0 ? rest.size() : end + 2;
        zeile = rest.left(length).toString();
        pos += length;
        // The table holds 5000 readings, however they came into it.
        if (tables.onlineFull()) reportOnlineTableFull();
        else FillMessdaten();
        txtSpeicher->setText(statusText(zeile).replace(QStringLiteral("ym"), QStringLiteral("µm")));
        saveOnlineReadings();
        if (MSFlex->Rows() > 2) ScrollToLastRow();
        for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);
        zeile.clear();
        EnableCommands();
    }
}

void frmTransfer::onlineLines()
{
    // Characters one at a time up to the end of a line; a line cut between
    // two arrivals is completed by the next.
    while (!link.empfang.endsWith(QStringLiteral("\r\n"))) {
        const QString c = SCom1->read();
        if (c.isEmpty()) return;
        link.empfang += c;
        if (link.empfang.size() > kMaxOnlineLine) link.empfang = c; // noise without line ends
    }
    const QString line = std::exchange(link.empfang, QString());
    if (link.SchalterStop) return; // paused: the line is dropped
    if (onlineAnzahl >= kMaxReadings || tables.onlineFull()) {
        reportOnlineTableFull();
        return;
    }
    onlineZeilen.resize(qMax<qsizetype>(onlineZeilen.size(), onlineAnzahl + 2));
    onlineZeilen[onlineAnzahl + 1] = line;
    ++onlineAnzahl;

    bool taken = false;
    while (onlineVerarbeitet < onlineAnzahl) {
        zeile = onlineZeilen[onlineVerarbeitet + 1];
        if (!startsLikeAReading(zeile)) {
            optOnline->setEnabled(false); // the line stays unparsed; later ones wait behind it
            break;
        }
        // A refused reading takes no slot, so the table has no gap.
        const bool kept = FillMessdaten();
        narrowStatusField();
        txtSpeicher->setText(statusText(zeile).replace(QStringLiteral("Oe"), QStringLiteral("G ")));
        ++onlineVerarbeitet;
        if (kept) tables.nextOnlineNumber();
        taken = taken || kept;
    }
    // Readings kept only on screen would be lost with the window. Lines
    // that came together are saved together, once the last of them is in.
    if (taken && !onlineSavePending) {
        onlineSavePending = true;
        QTimer::singleShot(0, this, [this] {
            onlineSavePending = false;
            if (!programEnded && link.messart == kOnline) saveOnlineReadings();
        });
    }
}

void frmTransfer::cmdStop_Click()
{
    link.SchalterStop = !link.SchalterStop;
    cmdStop->setText(texte.MessageText(link.SchalterStop ? 56 : 55));
    cmdStop->setStyleSheet(link.SchalterStop ? QStringLiteral("background: rgb(128,255,128);")
                                             : QStringLiteral("background: rgb(255,128,128);"));
}

} // namespace kivo
