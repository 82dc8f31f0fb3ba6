// Online readings: fixed records that arrived together ("E"), and lines
// ("V"), as far as they are taken apart before the table sees them.
#include "FuzzInput.h"
#include "device/OnlineFraming.h"
#include "device/RecordCheck.h"
#include "device/RecordLine.h"
#include "shared/Messart.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString received = kivo::fuzz::wireText(data, size);
    const kivo::OnlineRecords cut = kivo::splitOnlineRecords(received);
    qsizetype taken = cut.rest.size();
    for (const QString& text : cut.dropped) taken += text.size();
    for (const QString& record : cut.records) {
        taken += record.size();
        (void)kivo::parseRecordLine(record, kivo::kOnline, QStringLiteral("0"));
        (void)kivo::recordDamage(record, kivo::RecordShape::OnlineFixed);
    }
    // Nothing is made up or lost: every character is a record, dropped or still on its way.
    if (taken != received.size()) __builtin_trap();
    for (const QString& line : received.split(QStringLiteral("\r\n"))) {
        (void)kivo::checkOnlineLine(line);
        if (kivo::startsLikeAReading(line)) (void)kivo::parseRecordLine(line, kivo::kOnline, QStringLiteral("1"));
    }
    return 0;
}
