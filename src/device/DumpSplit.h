#pragma once
// A memory dump as the gauge sends it: header lines, a line holding STX
// alone, the data lines, EOT. Lines starting with four blanks are no
// readings; a data line that is not a whole reading is refused.

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace kivo {

struct DumpLines {
    QStringList lines;     // the whole readings, at most `limit`
    bool exceeded = false; // the dump held more than `limit` readings
    int damaged = 0;       // data lines refused as damaged
    // The first few refused lines with the reason, for the log.
    std::vector<std::pair<QString, QString>> refused;
};

DumpLines splitDump(const QString& dump, int limit);

} // namespace kivo
