#pragma once
// What the gauge puts on the wire: the framing of its answers and the
// fixed-column reading record. Pure functions, no port.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace kivo::sim {

// The gauge ends every answer with EOT; EM means it switched itself off.
inline constexpr char kEot = 0x04;
inline constexpr char kStx = 0x02;
inline constexpr char kEm = 0x19;
inline constexpr QByteArrayView kCrLf = "\r\n";

// A reading record is 25 columns: number 1-4, blanks 5-6, value 7-16,
// blank 17, unit 18-21, blank 22, material 23-25.
inline constexpr qsizetype kRecordColumns = 25;
// An online record of the "E" kind is the 25 columns and CR LF.
inline constexpr qsizetype kOnlineRecordBytes = kRecordColumns + 2;

enum class OnlineStyle { E, V };

enum class Command { Identify, Memory1, Memory2, Unknown };

// The three commands, without their CR LF.
inline constexpr QByteArrayView kIdentifyCommand = "$kivo00$";
inline constexpr QByteArrayView kMemory1Command = "$kivo10$";
inline constexpr QByteArrayView kMemory2Command = "$kivo11$";

// One reading in the record layout: number right-aligned in 4, value
// right-aligned in 10, unit left-aligned in 4, material right-aligned in 3.
// Longer fields are cut to their columns so the record stays 25 wide.
QByteArray formatRecord(int number, QByteArrayView value, QByteArrayView unit, QByteArrayView material);

// The reply to "$kivo00$": every line with CR LF, then EOT.
QByteArray identReply(const QList<QByteArray>& lines);

// A memory dump: the header line, a line holding STX alone, the records,
// each with CR LF, then EOT.
QByteArray dumpReply(const QByteArray& header, const QList<QByteArray>& records);

// One online reading. "E": the line padded with blanks (or cut) to 25
// columns, then CR LF, always 27 bytes. "V": the line, then CR LF.
QByteArray onlineReading(QByteArrayView line, OnlineStyle style);

// How many of the lines the program keeps as readings from a dump: it skips
// lines that begin with four blanks, and an empty line ends its list.
int countReadings(const QList<QByteArray>& records);

// Which command a received line carries; anything else is Unknown.
Command commandOf(QByteArrayView line);

// A received line made fit for the log: control characters and bytes that
// are not plain ASCII are written as <hh>.
QByteArray printableLine(QByteArrayView line);

// Collects received bytes and hands out complete lines (split on CR and on
// LF; empty lines are dropped). Garbage without line ends cannot grow it
// beyond kMaxPending bytes.
class CommandSplitter {
public:
    static constexpr qsizetype kMaxPending = 4096;
    QList<QByteArray> feed(QByteArrayView bytes);
    void reset() { pending_.clear(); }

private:
    QByteArray pending_;
};

} // namespace kivo::sim
