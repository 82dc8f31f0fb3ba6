// The identification reply of any model's memory layout.
#include "FuzzInput.h"
#include "device/IdentReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString reply = kivo::fuzz::wireText(data, size);
    for (const char* layout : {"1", "2", "2E", "2N", "3", "X"}) {
        QString geraet;
        kivo::DeviceInfo device;
        (void)kivo::parseIdentReply(reply, QLatin1String(layout), geraet, device);
    }
    for (const QString& line : reply.split(QStringLiteral("\r\n"))) (void)kivo::deviceCode(line);
    return 0;
}
