#include "device/OnlineFraming.h"

namespace kivo {

namespace {
constexpr qsizetype kRecordLength = 27; // 25 columns and CR LF
}

bool startsLikeAReading(QStringView line) { return line.isEmpty() || line[0] == u' ' || line[0].isDigit(); }

OnlineRecords splitOnlineRecords(QStringView received)
{
    OnlineRecords out;
    qsizetype pos = 0;
    while (pos < received.size()) {
        const QStringView rest = received.mid(pos);
        // A record is at most 27 characters: when its line end was damaged
        // on the wire, the next record still starts 27 further on. Text that
        // is no reading reaches to its own line end.
        const bool reading = startsLikeAReading(rest);
        const qsizetype end = (reading ? rest.left(kRecordLength) : rest).indexOf(u"\r\n");
        if (end < 0 && rest.size() < kRecordLength) {
            out.rest = rest.toString(); // its rest is on its way
            return out;
        }
        const qsizetype length = end < 0 ? kRecordLength : end + 2;
        pos += length;
        if (reading) out.records << rest.left(length).toString();
        else out.dropped << rest.left(length).toString(); // the records after it still count
    }
    return out;
}

} // namespace kivo
