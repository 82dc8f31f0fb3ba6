// A measurement file, as opened from disk.
#include "FuzzInput.h"
#include "table/MeasurementFile.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines = kivo::fuzz::fileLines(data, size);
    for (const char* materialart : {"0", "1", "2"}) {
        const kivo::LoadedFile file = kivo::readMeasurementFile(lines, QLatin1String(materialart), 5000);
        if (file.readings.size() > 5000) __builtin_trap();
        // Every reading taken is one the table can keep as it is.
        for (const kivo::LoadedReading& r : file.readings)
            if (!std::isfinite(r.wert) || (r.nr == 0 && r.wert == 0) || r.nr < -32768 || r.nr > 32767) __builtin_trap();
    }
    return 0;
}
