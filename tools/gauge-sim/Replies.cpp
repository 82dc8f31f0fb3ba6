#include "Replies.h"

namespace kivo::sim {

namespace {

QByteArray rightAligned(QByteArrayView text, qsizetype width)
{
    const QByteArrayView cut = text.size() > width ? text.first(width) : text;
    return QByteArray(width - cut.size(), ' ') + cut.toByteArray();
}

QByteArray leftAligned(QByteArrayView text, qsizetype width)
{
    const QByteArrayView cut = text.size() > width ? text.first(width) : text;
    return cut.toByteArray() + QByteArray(width - cut.size(), ' ');
}

} // namespace

QByteArray formatRecord(int number, QByteArrayView value, QByteArrayView unit, QByteArrayView material)
{
    QByteArray record;
    record.reserve(kRecordColumns);
    record += rightAligned(QByteArray::number(number), 4);
    record += "  ";
    record += rightAligned(value, 10);
    record += ' ';
    record += leftAligned(unit, 4);
    record += ' ';
    record += rightAligned(material, 3);
    return record;
}

QByteArray identReply(const QList<QByteArray>& lines)
{
    QByteArray reply;
    for (const QByteArray& line : lines) {
        reply += line;
        reply += kCrLf;
    }
    reply += kEot;
    return reply;
}

QByteArray dumpReply(const QByteArray& header, const QList<QByteArray>& records)
{
    QByteArray reply = header;
    reply += kCrLf;
    reply += kStx;
    reply += kCrLf;
    for (const QByteArray& record : records) {
        reply += record;
        reply += kCrLf;
    }
    reply += kEot;
    return reply;
}

QByteArray onlineReading(QByteArrayView line, OnlineStyle style)
{
    if (style == OnlineStyle::V) return line.toByteArray() + kCrLf.toByteArray();
    return leftAligned(line, kRecordColumns) + kCrLf.toByteArray();
}

int countReadings(const QList<QByteArray>& records)
{
    int count = 0;
    for (const QByteArray& record : records) {
        if (record.isEmpty()) break;
        if (!record.startsWith("    ")) ++count;
    }
    return count;
}

Command commandOf(QByteArrayView line)
{
    // A line may carry leftovers of an earlier, broken command before the
    // real one, so the command is looked for anywhere in the line.
    if (line.contains(kIdentifyCommand)) return Command::Identify;
    if (line.contains(kMemory1Command)) return Command::Memory1;
    if (line.contains(kMemory2Command)) return Command::Memory2;
    return Command::Unknown;
}

QByteArray printableLine(QByteArrayView line)
{
    QByteArray out;
    out.reserve(line.size());
    for (char c : line) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            out += '<';
            out += QByteArray::number(b, 16).rightJustified(2, '0');
            out += '>';
        }
    }
    return out;
}

QList<QByteArray> CommandSplitter::feed(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (!pending_.isEmpty()) lines.append(pending_);
            pending_.clear();
        } else if (pending_.size() < kMaxPending) {
            pending_ += c;
        }
    }
    return lines;
}

} // namespace kivo::sim
