#include "device/OnlineFraming.h"

namespace kivo {

bool startsLikeAReading(QStringView line) { return line.isEmpty() || line[0] == u' ' || line[0].isDigit(); }

OnlineRecords splitOnlineRecords(QStringView received)
{
    OnlineRecords out;
    qsizetype pos = 0;
    while (pos < received.size()) {
        const QStringView rest = received.mid(pos);
        if (!startsLikeAReading(rest)) {
            out.notAReading = true;
            return out;
        }
        const qsizetype end = rest.indexOf(u"\r\n");
        if (end < 0 && rest.size() < 27) {
            out.rest = rest.toString();
            return out;
        }
        const qsizetype length = end < 0 ? rest.size() : end + 2;
        pos += length;
        out.records << rest.left(length).toString();
    }
    return out;
}

} // namespace kivo
