// What arrives from the gauge: the answers to the commands, split when they
// are whole, and the online readings, handed on one by one.

#include "device/DeviceLink.h"
#include "device/OnlineFraming.h"
#include "device/RecordCheck.h"
#include "device/ReplyEnd.h"
#include "shared/FieldExcerpt.h"

#include "texts/Texte.h"

#include <QTimer>

namespace kivo {

namespace {

constexpr char kEOT = 4;
constexpr char kEM = 25;
// No identification reply of a gauge is longer than a few lines, and no
// dump longer than 5000 readings with a short header; past these the wire
// carries something else.
constexpr qsizetype kMaxReplyChars = 16 * 1024;
constexpr qsizetype kMaxDumpChars = 512 * 1024;
// No reading line is this long: what has no line end by then is noise.
constexpr qsizetype kMaxOnlineLine = 4096;
// After its EM a gauge that switched itself off is silent this long, and
// after the EOT that ends a dump.
constexpr int kSwitchOffQuietMs = 300;


} // namespace

bool DeviceLink::ReadGeraet()
{
    const Working working(view);
    askWhoItIs();
    // No time limit: a Bluetooth gauge may take its time; Escape ends it.
    const bool answered = waitFor([this] { return eotErkannt; });
    if (!answered) {
        abandonReplyIfOpen();
        empfang.clear();
        return false;
    }
    if (ended || !checkConnect) return false; // switched itself off meanwhile
    const auto failure = parseIdentReply(empfang, model.speicherlayout, geraetCode, info);
    empfang.clear();
    view.identified(failure);
    return true;
}

bool DeviceLink::downloadMemory(const QString& befehl)
{
    const Working working(view);
    empfang.clear();
    eotErkannt = false;
    doubtfulEnd = false;
    dumpSplitDone = false;
    dumpStxSeen = false;
    dumpLinesSeen = 0;
    SendCommand(befehl);
    const bool complete = waitFor([this] { return eotErkannt; });
    if (!complete && !ended) abandonReplyIfOpen(); // cancelled or the link broke: nothing of it is parsed
    empfang.clear();
    eotErkannt = false;
    return complete;
}

void DeviceLink::SCom1_OnComm(int code)
{
    if (code == kEvReceive) lastByteClock.start();
    if (replyAbandoned && code == kEvReceive) {
        while (!SCom1->read().isEmpty()) {
        } // the rest of an answer given up before
        return;
    }
    if (code == kEvReceive && kind == kOnline && model.onlineart == u"V") {
        onlineLines();
    } else if (code == kEvReceive) {
        QString received = SCom1->read();
        if (kind != kOnline) {
            // A reply ends at its EOT: what follows belongs to no reply.
            if (replyOver) {
                keepAfterReply(received);
                return;
            }
            const bool dump = kind == kFE || kind == kNFE;
            doubtfulEnd = false; // more came after a doubtful EOT: it was a damaged byte
            const ReplyEnd end = findReplyEnd(empfang, received, dump);
            if (end.eot >= 0 && !end.doubtful) {
                // The reply's own EOT, seen in place: an EOT that comes after
                // it (its trigger included) ends nothing.
                replyOver = true;
                eotErkannt = true;
                keepAfterReply(received.mid(end.eot + 1));
                received.truncate(end.eot + 1);
            } else if (end.doubtful) {
                // Inside a line and the last byte so far: the end of the dump
                // only if the gauge says nothing more.
                doubtfulEnd = true;
                const quint64 receivedAtEot = SCom1->bytesReceived();
                QTimer::singleShot(kSwitchOffQuietMs, this, [this, receivedAtEot] {
                    if (!doubtfulEnd || SCom1->bytesReceived() != receivedAtEot) return;
                    doubtfulEnd = false;
                    replyOver = true;
                    eotErkannt = true;
                    downloadSplit();
                });
            }
            received.remove(0, end.strayBefore);
        }
        // The reply is parsed from the receive buffer once it is complete;
        // copying it at every chunk would cost a long dump dearly.
        empfang += received;
        const bool dump = kind == kFE || kind == kNFE;
        if (empfang.size() > (dump ? kMaxDumpChars : kMaxReplyChars) && kind != kOnline) {
            stopOversizedReply();
            return;
        }
        if (dump) countDumpLines(received);
    } else if (code == kEvTrigger) {
        const QByteArray fired = SCom1->takeFiredTriggers();
        for (char c : fired) {
            if (c == kEOT && replyAbandoned) {
                replyAbandoned = false; // the answer given up before is over
                continue;
            }
            if (c == kEOT && kind == kOnline) eotErkannt = true;
            if (c == kEM && SCom1->lastByte() == kEM) {
                // The gauge switches itself off with EM and then says
                // nothing more; an EM followed by more bytes was damage on
                // the wire, and its line is refused as such.
                const quint64 receivedAtEm = SCom1->bytesReceived();
                QTimer::singleShot(kSwitchOffQuietMs, this, [this, receivedAtEm] {
                    if (!ended && SCom1->isOpen() && SCom1->bytesReceived() == receivedAtEm) switchedItselfOff();
                });
            }
        }
        if (replyAbandoned) return;
    }
    if (code == kEvReceive || code == kEvTrigger) {
        if (kind == kFE || kind == kNFE) downloadSplit();
        if (kind == kOnline && model.onlineart != u"V") onlineRecords();
        return;
    }
    if (code == kEvLinkFailure || code == kEvLinkFailure2) {
        // Every wait for the gauge ends at once: nothing of the broken
        // transfer is parsed, and the command asks nothing more.
        if (waitDepth > 0) cancelled = true;
        closePort();
        view.showLinkLost();
        oeffnenVersuche = 1;
        OpenPort(port);
    }
}

void DeviceLink::switchedItselfOff()
{
    switchOffSeen = true;
    eotErkannt = true;
    abgeschaltet = true;
    oeffnenVersuche = 0;
    OpenPort(port);
}

void DeviceLink::stopOversizedReply()
{
    empfang.clear();
    if (waitDepth > 0) cancelled = true;
    abandonReplyIfOpen();
    const QString text = texte.say(Phrase::ReplyTooLong);
    view.writeLog(text);
    view.message(text, MsgIcon::Warning);
}

void DeviceLink::downloadSplit()
{
    if (empfang.isEmpty() || !eotErkannt || dumpSplitDone) return;
    if (cancelled) return; // the operator cancelled: the lines are dropped
    dumpSplitDone = true;
    const DumpLines dump = splitDump(empfang, kMaxReadings);
    zeilen = dump.lines;
    dumpDamaged = dump.damaged;
    for (const auto& [line, reason] : dump.refused) view.writeLog(refusedLineText(line, reason));
    view.dumpSplit(dump.exceeded);
}

QString DeviceLink::refusedLineText(const QString& line, const QString& reason) const
{
    return texte.say(Phrase::DamagedLineRefused).arg(fieldExcerpt(line), reason);
}

void DeviceLink::keepAfterReply(const QString& text)
{
    if (text.isEmpty()) return;
    // Kept for online mode (a gauge without memory may start sending at
    // once); the next command first waits until the line is quiet, so the
    // rest of it is not taken for that command's reply.
    lastByteClock.start();
    bytesAfterReply = true;
    afterReply += text;
    if (afterReply.size() > kMaxReplyChars) afterReply = afterReply.right(kMaxReplyChars);
}

void DeviceLink::countDumpLines(const QString& received)
{
    // Counted on what arrives, so a long dump costs no more per chunk.
    const QString stxLine = QStringLiteral("\x02\r\n");
    if (!dumpStxSeen) {
        const qsizetype stx = empfang.indexOf(stxLine, qMax<qsizetype>(0, empfang.size() - received.size() - 3));
        if (stx < 0) return;
        dumpStxSeen = true;
        dumpLinesSeen = int(QStringView(empfang).mid(stx + stxLine.size()).count(QStringLiteral("\r\n")));
    } else {
        // a CR LF split across two chunks is counted with the second
        const bool split = received.startsWith(u'\n') && empfang.size() > received.size()
                           && empfang[empfang.size() - received.size() - 1] == u'\r';
        dumpLinesSeen += int(received.count(QStringLiteral("\r\n"))) + (split ? 1 : 0);
    }
    view.downloadProgress(dumpLinesSeen);
}

void DeviceLink::onlineRecords()
{
    // Each record is 25 columns and CR LF; records that arrived together are
    // taken one by one, so none is lost, and saved together.
    const OnlineRecords cut = splitOnlineRecords(std::exchange(empfang, QString()));
    bool taken = false;
    for (const QString& record : cut.records) {
        if (const auto damage = recordDamage(record, RecordShape::OnlineFixed)) {
            refuseLine(record, *damage);
            continue;
        }
        view.onlineRecord(record);
        taken = true;
    }
    for (const QString& text : cut.dropped) refuseLine(text, QStringLiteral("no reading"));
    if (taken) view.onlineLinesTaken();
    // The rest is still on its way: it waits at the port with what comes
    // next, so the next receive notification brings it whole.
    if (!cut.rest.isEmpty()) SCom1->putBack(cut.rest);
}

void DeviceLink::refuseLine(const QString& line, const QString& reason)
{
    ++onlineDamaged;
    view.writeLog(refusedLineText(line, reason));
    view.onlineLineRefused(onlineDamaged);
}

void DeviceLink::onlineLines()
{
    // Characters one at a time up to the end of a line; a line cut between
    // two arrivals is completed by the next.
    while (!empfang.endsWith(QStringLiteral("\r\n"))) {
        const QString c = SCom1->read();
        if (c.isEmpty()) return;
        // A CR or LF alone ends a damaged line: it is refused and counted,
        // and the next line starts after it.
        const bool loneCr = empfang.endsWith(u'\r') && c != u"\n";
        const bool loneLf = c == u"\n" && !empfang.endsWith(u'\r');
        if (loneCr || loneLf || empfang.size() >= kMaxOnlineLine) {
            if (!schalterStop && !onlineHeld)
                refuseLine(empfang + (loneLf ? c : QString()), QStringLiteral("no whole line end"));
            empfang = loneLf ? QString() : c;
            continue;
        }
        empfang += c;
    }
    const QString line = std::exchange(empfang, QString());
    if (schalterStop) return; // paused: the line is dropped
    if (takeOnlineLine(line)) view.onlineLinesTaken();
}

bool DeviceLink::takeOnlineLine(const QString& line)
{
    if (onlineHeld) {
        // Behind a message of the gauge: kept until Online is chosen again.
        if (onlineZeilen.size() < kMaxReadings) onlineZeilen << line;
        else view.reportOnlineTableFull();
        return false;
    }
    const OnlineLineCheck check = checkOnlineLine(line);
    switch (check.kind) {
    case OnlineLineKind::Empty: return false;
    case OnlineLineKind::Damaged: refuseLine(line, check.reason); return false;
    case OnlineLineKind::GaugeMessage:
        // The gauge said something: its readings end here, and the lines
        // after it wait until the operator chooses Online again.
        onlineHeld = true;
        onlineZeilen.clear();
        view.writeLog(onlineHeldText(line));
        view.onlineHeld(onlineHeldText(line));
        return false;
    case OnlineLineKind::Reading: break;
    }
    if (view.onlineTableFull()) {
        view.reportOnlineTableFull();
        return false;
    }
    return view.onlineLine(line);
}

QString DeviceLink::onlineHeldText(const QString& line) const
{
    const QString quoted = fieldExcerpt(line.endsWith(QStringLiteral("\r\n")) ? line.chopped(2) : line);
    return texte.say(Phrase::OnlineHeld).arg(quoted);
}

} // namespace kivo
