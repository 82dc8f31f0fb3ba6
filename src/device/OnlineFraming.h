#pragma once
// Online readings as they arrive: which text is a reading, and the fixed
// records ("E" style) that arrived together, one by one.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kivo {

// A reading starts with a blank or a digit (an empty line counts too).
bool startsLikeAReading(QStringView line);

struct OnlineRecords {
    QStringList records;      // whole records, each with its CR LF where it had one
    QString rest;             // the start of a record still on its way
    QStringList dropped;      // texts that are no reading, each up to its line end
};

// Each record is 25 columns and CR LF; records that arrived together are
// cut apart so none is lost, at their line end or, where it is missing, after
// 27 characters. A text that is no reading is dropped up to its line end,
// and only it: a damaged byte costs one reading, not those behind it.
OnlineRecords splitOnlineRecords(QStringView received);

} // namespace kivo
