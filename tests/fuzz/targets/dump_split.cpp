// A memory dump cut into its lines, below and above the table's limit.
#include "FuzzInput.h"
#include "device/DumpSplit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString dump = kivo::fuzz::wireText(data, size);
    for (int limit : {1, 5, 5000}) {
        const kivo::DumpLines lines = kivo::splitDump(dump, limit);
        if (lines.lines.size() > limit) __builtin_trap(); // more lines than the table takes
    }
    return 0;
}
