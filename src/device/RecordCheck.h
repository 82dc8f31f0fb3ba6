#pragma once
// Whether a line from the wire is a reading as the gauge sends it. The wire
// has no checksum: a changed or lost byte must not turn into a believable
// wrong reading, so a line is taken only when every column holds what the
// gauge writes there, and refused whole otherwise.

#include <QString>
#include <QStringView>
#include <optional>

namespace kivo {

enum class RecordShape {
    Dump,       // a line of a memory dump: exactly 25 columns
    OnlineFixed, // an "E" record: 25 columns and CR LF
    OnlineLine, // a "V" line: 21 to 25 columns, value and unit always there
};

// Why `line` (without its CR LF, except for OnlineFixed records, which are
// checked with it) is no whole reading; nullopt when it is one.
std::optional<QString> recordDamage(QStringView line, RecordShape shape);

// A line of a line-style gauge: a reading, a message of the gauge (it
// starts with a letter and holds only plain text: the readings end there),
// damage (refused and counted), or an empty line (no reading, no damage).
enum class OnlineLineKind { Reading, GaugeMessage, Damaged, Empty };
struct OnlineLineCheck {
    OnlineLineKind kind = OnlineLineKind::Reading;
    QString reason; // for Damaged
};
OnlineLineCheck checkOnlineLine(QStringView line);

} // namespace kivo
