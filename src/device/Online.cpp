// Online mode: the gauge sends each reading as the operator measures.

#include "app/frmTransfer.h"
#include "platform/FlexGrid.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

namespace kivo {

void frmTransfer::optOnline_Click()
{
    txtSpeicher->setText(texte.MessageText(42));
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAbs, cmdChart, cmdGross, txtMittelwert}) w->setVisible(false);
    link.messart = kOnline;
    ResetStatistics();
    lstStat->clear();
    RebuildTable();
    optOnline->setChecked(true);
    focusedOption = optOnline;
    link.oeffnenVersuche = 0;
    OpenPort(link.portnr);
    if (!link.CheckConnect) return;
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

} // namespace kivo

namespace kivo {

namespace {

// The status box shows a reading's value and unit (columns 7 to 21).
QString statusText(const QString& zeile) { return zeile.mid(6, 15); }

bool startsLikeAReading(const QString& line)
{
    return line.isEmpty() || line[0] == u' ' || line[0].isDigit();
}

} // namespace

void frmTransfer::narrowStatusField()
{
    if (txtSpeicher->width() == int(1400 / kTwipsPerPixel + 0.5))
        txtSpeicher->setFixedWidth(int(1125 / kTwipsPerPixel + 0.5));
}

void frmTransfer::onlineRecords()
{
    narrowStatusField();
    // Each record is 25 columns and CR LF; records that arrived together are
    // taken one by one, so none is lost.
    for (;;) {
        auswertung = link.empfang;
        if (!startsLikeAReading(auswertung)) {
            optOnline->setEnabled(false);
            return;
        }
        if (auswertung.isEmpty()) return;
        const qsizetype end = auswertung.indexOf(QStringLiteral("\r\n"));
        if (end < 0 && auswertung.size() < 27) {
            // The rest is still on its way: it waits at the port with what
            // comes next, so the next receive notification brings it whole.
            SCom1->putBack(link.empfang);
            link.empfang.clear();
            return;
        }
        const qsizetype length = end < 0 ? auswertung.size() : end + 2;
        zeile = auswertung.left(length);
        link.empfang = link.empfang.mid(length);
        if (satznr > kMaxReadings)
            MsgBox(texte.MessageText(53) + QStringLiteral(" ") + QString::number(kMaxReadings));
        else
            FillMessdaten();
        txtSpeicher->setText(statusText(zeile).replace(QStringLiteral("ym"), QStringLiteral("µm")));
        onlineAutoSave = false;
        cmdSave_Click();
        if (MSFlex->Rows() > 2) ScrollToLastRow();
        for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);
        zeile.clear();
        EnableCommands();
        if (link.empfang.isEmpty()) return;
    }
}

void frmTransfer::onlineLines()
{
    // Characters one at a time up to the end of a line; a line cut between
    // two arrivals is completed by the next.
    while (!link.empfang.contains(QStringLiteral("\r\n"))) {
        if (escapePressed) {
            link.empfang.clear();
            return;
        }
        const QString c = SCom1->read();
        if (c.isEmpty()) return;
        link.empfang += c;
    }
    if (link.SchalterStop) { // paused: the line is dropped
        link.empfang.clear();
        return;
    }
    if (!link.empfang.isEmpty()) {
        if (onlineAnzahl >= kMaxReadings) {
            MsgBox(texte.MessageText(53) + QStringLiteral(" ") + QString::number(kMaxReadings));
        } else {
            onlineZeilen.resize(qMax<qsizetype>(onlineZeilen.size(), onlineAnzahl + 2));
            onlineZeilen[onlineAnzahl + 1] = link.empfang;
            ++onlineAnzahl;
        }
        link.empfang.clear();
    }
    while (onlineVerarbeitet < onlineAnzahl) {
        zeile = onlineZeilen[onlineVerarbeitet + 1];
        if (!startsLikeAReading(zeile)) {
            optOnline->setEnabled(false); // the line stays unparsed; later ones wait behind it
            return;
        }
        FillMessdaten();
        narrowStatusField();
        txtSpeicher->setText(statusText(zeile).replace(QStringLiteral("Oe"), QStringLiteral("G ")));
        ++onlineVerarbeitet;
        ++onlineZaehler;
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
