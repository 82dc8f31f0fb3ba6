#include "device/DumpSplit.h"

namespace kivo {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kStxLine = QStringLiteral("\x02\r\n");

bool isReading(const QString& line) { return !line.startsWith(QStringLiteral("    ")); }

} // namespace

DumpLines splitDump(const QString& dump, int limit)
{
    DumpLines out;
    bool afterStx = false;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype e = dump.indexOf(kLineEnd, pos);
        if (e < 0) break;
        const QStringView line = QStringView(dump).mid(pos, e - pos);
        if (QStringView(dump).mid(pos).startsWith(kStxLine)) {
            afterStx = true; // the next line is the first reading
        } else if (afterStx && isReading(line.toString())) {
            if (out.lines.size() >= limit) {
                out.exceeded = true;
                break;
            }
            out.lines.append(line.toString());
        }
        pos = e + 2;
    }
    return out;
}

} // namespace kivo
