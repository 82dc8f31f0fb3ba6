#pragma once
// A memory dump as the gauge sends it: header lines, a line holding STX
// alone, the data lines, EOT. Lines starting with four blanks are no
// readings.

#include <QString>
#include <QStringList>

namespace kivo {

struct DumpLines {
    QStringList lines;     // the data lines, at most `limit`
    bool exceeded = false; // the dump held more than `limit` data lines
};

DumpLines splitDump(const QString& dump, int limit);

} // namespace kivo
