#include "device/DumpSplit.h"

#include "device/RecordCheck.h"

namespace kivo {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kStxLine = QStringLiteral("\x02\r\n");
// The log quotes this many refused lines of one dump; the count says the rest.
constexpr size_t kRefusedQuoted = 20;

bool isReading(QStringView line) { return !line.startsWith(u"    "); }

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
        } else if (afterStx && isReading(line)) {
            if (const auto damage = recordDamage(line, RecordShape::Dump)) {
                ++out.damaged;
                if (out.refused.size() < kRefusedQuoted) out.refused.emplace_back(line.toString(), *damage);
            } else if (out.lines.size() >= limit) {
                out.exceeded = true;
                break;
            } else {
                out.lines.append(line.toString());
            }
        }
        pos = e + 2;
    }
    return out;
}

} // namespace kivo
