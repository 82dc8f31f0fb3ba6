#pragma once
// The link to the gauge: the serial port, the connection state, what the
// gauge said about itself, the waits for its answers, and what arrives from
// the wire (identification replies, memory dumps, online readings). It
// knows nothing of the window: what the operator must see goes through a
// DeviceView, and the window coordinates the procedures.

#include "device/DumpSplit.h"
#include "device/IdentReply.h"
#include "device/ModelProfile.h"
#include "shared/MessageKinds.h"
#include "platform/SerialLink.h"
#include "shared/Messart.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>
#include <memory>

namespace kivo {

class Texte;


// Commands of the wire protocol, each sent with CR LF.
inline constexpr const char* kBefehlKennung = "$kivo00$\r\n";
inline constexpr const char* kBefehlSpeicher1 = "$kivo10$\r\n";
inline constexpr const char* kBefehlSpeicher2 = "$kivo11$\r\n";

// What the operator sees of the port and of the waits for the gauge, and
// a message to read: what the link tells its view, and the session passes
// on to its own.
class PortView {
public:
    virtual ~PortView() = default;
    virtual void showOpening() = 0;                              // "Bitte warten...."
    virtual void showStillConnected() = 0;                       // the port was open already
    virtual void showConnected(const QString& port) = 0;
    virtual void showNotConnected() = 0;
    virtual void showNoPresence() = 0; // a cable gauge did not answer the presence test
    virtual void showDeviceUnavailable(const QString& reason) = 0;
    virtual void showLinkLost() = 0;                             // before the port is opened again
    virtual void gaugeBusy() = 0; // the gauge is asked: commands off, the status line on show
    virtual void waitStarted() = 0;                              // how to cancel
    virtual void waitEnded() = 0;
    // A procedure of the link runs (nested ones count once each): the view
    // shows the operator it is busy.
    virtual void working(bool on) = 0;
    virtual MsgAnswer message(const QString& text, MsgIcon icon = MsgIcon::None) = 0;
    // The identification reply was read; `failure` when it could not be.
    virtual void identified(const std::optional<QString>& failure) = 0;
    virtual void downloadProgress(int linesSeen) = 0;            // lines of a dump seen so far
    virtual void dumpSplit(bool exceeded) = 0;                   // the lines of a dump are there
    virtual void onlineLinesTaken() = 0;                         // after the lines that came together
    virtual void onlineLineRefused(int refused) = 0; // a damaged line was refused; `refused` so far online
    virtual void onlineHeld(const QString& text) = 0; // the gauge sent a message: its readings stop
    virtual void commandEnded() = 0;                             // the outermost command is over
};

// What the link tells and asks the session besides: the log, and each
// online reading as it arrives.
class DeviceView : public PortView {
public:
    virtual void writeLog(const QString& text) = 0;
    virtual void onlineRecord(const QString& zeile) = 0;         // one fixed record
    virtual bool onlineLine(const QString& zeile) = 0;           // one line; true when it was kept
    virtual bool onlineTableFull() const = 0;
    virtual void reportOnlineTableFull() = 0;
};

// The view told that a procedure runs, for the life of the procedure
// however it ends.
class Working {
public:
    explicit Working(PortView& view) : view(view) { view.working(true); }
    ~Working() { view.working(false); }
    Working(const Working&) = delete;
    Working& operator=(const Working&) = delete;

private:
    PortView& view;
};

class DeviceLink : public QObject {
    Q_OBJECT
public:
    DeviceLink(std::unique_ptr<SerialLink> serial, DeviceView& view, const Texte& texte, QObject* parent = nullptr);
    ~DeviceLink() override;

    // The model and the gauge.
    const ModelProfile& profile() const { return model; }
    void setProfile(const ModelProfile& profile) { model = profile; }
    // "FE..." and "FN..." gauges refine a two-memory layout.
    void refineLayout();
    const QString& geraet() const { return geraetCode; }
    void setGeraet(const QString& code) { geraetCode = code; }
    const DeviceInfo& device() const { return info; }

    // Connection state.
    bool CheckConnect() const { return checkConnect; }
    const QString& portnr() const { return port; }
    void setPortnr(const QString& portnr) { port = portnr; }
    int messart() const { return kind; }
    void setMessart(int messart) { kind = messart; }
    bool SchalterStop() const { return schalterStop; }
    void setSchalterStop(bool stop) { schalterStop = stop; }
    void resetOpenAttempts() { oeffnenVersuche = 0; }
    // Connect tries a gauge found switched off last time, and tests a cable
    // gauge's presence.
    void prepareConnect();
    void closePort();
    void markNotConnected() { checkConnect = false; }
    // The gauge was found switched off (cleared once that was shown).
    bool switchedOff() const { return abgeschaltet; }

    // Procedures.
    void OpenPort(const QString& port);
    void PingGeraet();
    // True when the gauge answered (EOT, and it did not switch itself off).
    bool ReadGeraet();
    // Sends a memory command and waits for the dump; true when it is
    // complete. Its lines are then in dumpLines().
    bool downloadMemory(const QString& befehl);
    const QStringList& dumpLines() const { return zeilen; }
    // Data lines of the last dump refused as damaged.
    int dumpDamagedLines() const { return dumpDamaged; }
    void clearDumpLines()
    {
        zeilen.clear();
        dumpDamaged = 0;
    }
    // Configures the port for the model's online style and takes what the
    // gauge sent since its last answer, and the lines that waited behind a
    // message of the gauge; false when the rest of an answer given up before
    // could not be waited out.
    bool startOnline();
    // Online readings stopped at a message of the gauge.
    bool onlineStopped() const { return onlineHeld; }
    void Delay(int nSekunden);

    // Waits and commands.
    bool waiting() const { return waitDepth > 0; }
    bool commandRunning() const { return commandDepth > 0; }
    bool commandStopped() const { return cancelled || ended; }
    // The program has ended: nothing more is asked of the gauge.
    bool hasEnded() const { return ended; }
    // Milliseconds since the gauge last sent a byte.
    qint64 quietMs() const { return lastByteClock.elapsed(); }
    // The gauge began to send the last dump (its STX came).
    bool dumpStarted() const { return dumpStxSeen; }
    // Escape or the cancel button: only while a wait runs.
    void cancel();
    // The program ends: the port is closed and every wait ends.
    void end();
    // A port came or went; the open one going is a lost link.
    void portChanged(int kind, const QString& portName);

    // One command to the gauge from start to end, nested commands included:
    // a new one starts uncancelled.
    class Command {
    public:
        explicit Command(DeviceLink& link);
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        DeviceLink& link;
    };

signals:
    void programEnd();

private:
    void SCom1_OnComm(int code);
    void SendCommand(const QString& befehl);
    // Sends the identification command, the gauge's answer still to come.
    void askWhoItIs();
    void SetupOnlineSingle();
    void SetupOnlineLines();
    bool waitFor(const std::function<bool()>& done, int timeoutMs = -1);
    bool drainAbandonedReply();
    bool settleAfterReply();
    void keepAfterReply(const QString& text);
    void takeWaitingOnline();
    bool takeOnlineLine(const QString& line);
    void refuseLine(const QString& line, const QString& reason);
    QString refusedLineText(const QString& line, const QString& reason) const;
    QString onlineHeldText(const QString& line) const;
    void abandonReplyIfOpen();
    void stopOversizedReply();
    void switchedItselfOff();
    void downloadSplit();
    void countDumpLines(const QString& received);
    void onlineRecords();
    void onlineLines();
    QString openFailureText(OpenResult result, const QString& port, const QString& reason) const;

    std::unique_ptr<SerialLink> SCom1;
    DeviceView& view;
    const Texte& texte;
    ModelProfile model;
    QString geraetCode;
    DeviceInfo info;

    bool checkConnect = false;
    bool abgeschaltet = false;
    QString port;
    QString openPortName; // the system's name of the open port
    int oeffnenVersuche = 0;
    bool pruefenBeimVerbinden = false;
    QString empfang;
    bool eotErkannt = false;
    int kind = kFE;
    bool schalterStop = false;
    QStringList zeilen; // lines of the last memory download
    int dumpDamaged = 0;
    bool dumpSplitDone = false;
    bool doubtfulEnd = false;
    bool switchOffSeen = false; // the gauge switched itself off during the presence test // a dump's EOT inside a line, waiting to see whether more comes
    bool replyOver = true;        // the EOT of the last command's reply came
    QString afterReply;           // what came after it, before the next command
    bool bytesAfterReply = false;
    bool dumpStxSeen = false;
    int dumpLinesSeen = 0;
    QStringList onlineZeilen; // lines of a line-style gauge waiting behind its message
    bool onlineHeld = false;   // a message of the gauge stopped the readings
    int onlineDamaged = 0;     // lines refused since online mode started

    int waitDepth = 0;
    bool cancelled = false;
    int commandDepth = 0;
    bool ended = false;
    bool replyAbandoned = false;
    QElapsedTimer lastByteClock;
};

} // namespace kivo
