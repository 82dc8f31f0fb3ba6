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
    bool notAReading = false; // the text from here on is no reading and is dropped
};

// Each record is 25 columns and CR LF; records that arrived together are
// cut apart so none is lost.
OnlineRecords splitOnlineRecords(QStringView received);

} // namespace kivo
