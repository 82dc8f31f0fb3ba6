// The choice of a file's encoding and the 8-bit code page both ways.
#include "FuzzInput.h"
#include "shared/Cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray raw = kivo::fuzz::bytes(data, size);
    (void)kivo::decodeText(raw);
    const QString text = kivo::decodeCp1252(raw);
    // Every byte means one character, and writing it gives the byte back,
    // except the five bytes the code page leaves undefined.
    if (text.size() != raw.size()) __builtin_trap();
    (void)kivo::encodeCp1252(text);
    return 0;
}
