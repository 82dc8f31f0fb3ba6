// Opening the port, the presence test of cable gauges, the port set-ups for
// each kind of exchange, and what the port says when it fails.

#include "device/DeviceLink.h"

#include "device/ComboPortText.h"
#include "platform/SerialPorts.h"
#include "shared/FieldExcerpt.h"
#include "texts/Texte.h"

#include <QElapsedTimer>

namespace kivo {

namespace {

constexpr char kEOT = 4;
constexpr char kEM = 25;
constexpr int kPingSeconds = 4;

} // namespace

DeviceLink::DeviceLink(std::unique_ptr<SerialLink> serial, DeviceView& view_, const Texte& texte_, QObject* parent)
    : QObject(parent), SCom1(std::move(serial)), view(view_), texte(texte_)
{
    connect(SCom1.get(), &SerialLink::commEvent, this, &DeviceLink::SCom1_OnComm);
    lastByteClock.start();
}

DeviceLink::~DeviceLink() = default;

void DeviceLink::refineLayout()
{
    if (geraetCode.startsWith(QStringLiteral("FE"))) model.speicherlayout = QStringLiteral("2E");
    if (geraetCode.startsWith(QStringLiteral("FN"))) model.speicherlayout = QStringLiteral("2N");
}

void DeviceLink::prepareConnect()
{
    abgeschaltet = false;
    pruefenBeimVerbinden = true;
    oeffnenVersuche = 0;
}

void DeviceLink::closePort()
{
    SCom1->close();
    openPortName.clear();
    replyAbandoned = false;
    replyOver = true;
    afterReply.clear();
    bytesAfterReply = false;
}

QString DeviceLink::openFailureText(OpenResult result, const QString& portName, const QString& reason) const
{
    const QString name = fieldExcerpt(portName); // Port.ini is outside data
    switch (result) {
    case OpenResult::PermissionDenied: return texte.say(Phrase::PortNoPermission).arg(name);
    case OpenResult::Busy: return texte.say(Phrase::PortBusy).arg(name);
    case OpenResult::NotFound: return texte.say(Phrase::PortMissing).arg(name);
    default: return name + QStringLiteral(": ") + reason;
    }
}

void DeviceLink::OpenPort(const QString& portnr)
{
    OpenResult failure = OpenResult::Opened;
    QString reason;
    const QString systemName = systemPortName(portnr, kNumberedPorts);
    if (!abgeschaltet) {
        if (SCom1->isOpen()) {
            checkConnect = true;
            view.showStillConnected();
        } else {
            // The program may end during the presence test: nothing is
            // opened or sent after that.
            for (int attempt = 0; attempt < 5 && !SCom1->isOpen() && !ended; ++attempt) {
                view.showOpening();
                failure = SCom1->open(systemName, &reason);
                if (failure != OpenResult::Opened) break;
                openPortName = systemName;
                replyAbandoned = false;
                replyOver = true;
                afterReply.clear();
                bytesAfterReply = false;
                switchOffSeen = false;
                if (model.schnittstelle == u"K" && pruefenBeimVerbinden) PingGeraet();
                if (switchOffSeen) {
                    // It switched itself off while answering: it was said
                    // not to be available, and nothing more is asked of it.
                    checkConnect = false;
                    return;
                }
                checkConnect = !abgeschaltet;
            }
        }
        if (ended) return;
        if (failure == OpenResult::Opened && !abgeschaltet) {
            if (checkConnect) view.showConnected(portnr);
            else view.showNotConnected();
            return;
        }
        if (failure == OpenResult::Opened) {
            // The presence test found no gauge: not connected; the next
            // attempt reports it as not available.
            view.showNotConnected();
            view.showNoPresence();
            return;
        }
    }

    // An open failure, or the gauge switched itself off.
    if (failure != OpenResult::Opened && oeffnenVersuche < 1) {
        ++oeffnenVersuche;
        OpenPort(portnr);
        return;
    }
    QString text;
    if (failure != OpenResult::Opened) {
        text = openFailureText(failure, systemName, reason);
        view.writeLog(texte.text(Msg::GeraetNichtVerfuegbar) + u' ' + text);
        if (failure != OpenResult::NotFound)
            view.message(texte.text(Msg::GeraetNichtVerfuegbar) + QStringLiteral("\r\n") + text);
    }
    view.showDeviceUnavailable(text);
    abgeschaltet = false;
    checkConnect = false;
}

void DeviceLink::askWhoItIs()
{
    empfang.clear();
    eotErkannt = false;
    view.gaugeBusy();
    kind = kIdentification;
    SendCommand(QString::fromLatin1(kBefehlKennung));
}

void DeviceLink::PingGeraet()
{
    const Working working(view);
    askWhoItIs();
    // More than four whole seconds without the end character: switched off.
    QElapsedTimer clock;
    clock.start();
    const bool answered = waitFor([&] { return eotErkannt || clock.elapsed() / 1000 > kPingSeconds; });
    if (!eotErkannt) abandonReplyIfOpen(); // a late answer must not pass for the next reply
    abgeschaltet = answered && !eotErkannt;
}

void DeviceLink::SendCommand(const QString& befehl)
{
    if (ended) return; // nothing is sent after the program was closed
    // What is left of an answer given up before, or what followed the last
    // answer, is not this command's reply.
    if (!drainAbandonedReply() || !settleAfterReply() || ended) return;
    SerialLink& s = *SCom1;
    s.discardInput();
    afterReply.clear();
    bytesAfterReply = false;
    replyOver = false;
    s.setInBufferSize(8192);
    s.setInputLen(0);
    s.setRThreshold(SerialLink::kNoThreshold);
    s.setRThreshold(1);
    s.setTriggers(QByteArray(1, kEOT) + QByteArray(1, kEM));
    s.write(befehl.toLatin1());
}

// The online set-ups drop nothing that arrived: startOnline has taken what
// was waiting, and none of it belongs to an answer.
void DeviceLink::SetupOnlineSingle()
{
    SerialLink& s = *SCom1;
    s.discardOutput();
    s.setRThreshold(27); // one reading record: 25 columns and CR LF
    s.setRThreshold(SerialLink::kNoThreshold);
    s.setTriggers(QByteArray(1, kEM));
    s.discardOutput();
    s.setInputLen(0);
}

void DeviceLink::SetupOnlineLines()
{
    SerialLink& s = *SCom1;
    s.discardOutput();
    s.setInBufferSize(8192);
    s.setRThreshold(1);
    s.setRThreshold(SerialLink::kNoThreshold);
    s.setTriggers(QByteArray(1, kEM));
    s.discardOutput();
    s.setInputLen(1);
}

bool DeviceLink::startOnline()
{
    // The rest of a download given up before is no online reading.
    if (!drainAbandonedReply()) return false;
    // What came after the last answer, and what waits at the port, are the
    // gauge's first readings: taken, not dropped.
    QString early = std::exchange(afterReply, QString());
    bytesAfterReply = false;
    if (kind == kOnline) early += std::exchange(empfang, QString());
    else empfang.clear();
    SCom1->setInputLen(0);
    early += SCom1->read();
    // Online chosen again goes on after the gauge's message.
    const QStringList waiting = std::exchange(onlineZeilen, QStringList());
    onlineHeld = false;
    onlineDamaged = 0;
    if (model.onlineart != u"V") {
        SetupOnlineSingle();
    } else {
        SetupOnlineLines();
        bool taken = false;
        for (const QString& line : waiting) taken = takeOnlineLine(line) || taken;
        if (taken) view.onlineLinesTaken();
    }
    if (!early.isEmpty()) {
        SCom1->putBack(early);
        takeWaitingOnline();
    }
    return true;
}

void DeviceLink::takeWaitingOnline()
{
    while (SCom1->waiting() > 0 && kind == kOnline) {
        const int before = SCom1->waiting();
        SCom1_OnComm(kEvReceive);
        if (SCom1->waiting() >= before) break; // an unfinished reading waits for the rest
    }
}

void DeviceLink::portChanged(int change, const QString& portName)
{
    // A port that vanished while open is a lost link.
    if (change == kPortUnplugged && SCom1->isOpen() && portName == openPortName) SCom1_OnComm(kEvLinkFailure);
}

void DeviceLink::end()
{
    if (ended) return;
    ended = true;
    closePort();
    emit programEnd();
}

} // namespace kivo
