// One record line of a download or of online mode, for every material mode.
#include "FuzzInput.h"
#include "device/RecordLine.h"
#include "shared/Messart.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString zeile = kivo::fuzz::wireText(data, size);
    for (int messart : {kivo::kFE, kivo::kNFE, kivo::kOnline})
        for (const char* materialart : {"0", "1", "2"}) {
            const kivo::RecordFields f = kivo::parseRecordLine(zeile, messart, QLatin1String(materialart));
            if (f.valueValid && !std::isfinite(f.wert)) __builtin_trap(); // a value the table cannot show
        }
    return 0;
}
