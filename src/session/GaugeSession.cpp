#include "session/GaugeSession.h"

#include "device/RecordLine.h"
#include "shared/Messart.h"
#include "table/NumberFormat.h"

namespace kivo {

GaugeSession::Intake GaugeSession::takeRecordLine(const QString& zeile, int kind, const ModelProfile& profile,
                                                  const QDateTime& now)
{
    const RecordFields f = parseRecordLine(zeile, kind, profile.materialart);
    Intake intake{false, f.error};
    // A value the measurement file could not hold would be lost at the next
    // save and load: it is refused like one past any number.
    const bool fits = !f.valueValid || fitsValueColumn(f.wert, f.einheit);
    if (!fits) intake.error = QStringLiteral("6Overflow");
    if (!f.valueValid || !fits) return intake; // a reading the gauge could not have measured
    const MeasurementTables::Taken taken =
        tableSet.take(kind, Reading{f.nr, f.wert, f.einheit, f.material}, now.toString(QStringLiteral("dd.MM.yyyy")),
                      now.toString(QStringLiteral("HH:mm:ss")));
    if (taken.full) intake.error = QStringLiteral("9Subscript out of range"); // nothing was written
    if (taken.kept) {
        emit readingTaken(kind, taken.slot);
        tableSet.advance(profile.onlineart == u"E" && kind == kOnline);
        intake.kept = true;
    }
    return intake;
}

} // namespace kivo
