// A record line becomes a reading of the table being filled.

#include "ui/frmTransfer.h"
#include "device/RecordLine.h"
#include "table/NumberFormat.h"

#include <QDateTime>

namespace kivo {

bool frmTransfer::FillMessdaten(const QString& zeile)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString currentTime = now.toString(QStringLiteral("HH:mm:ss"));
    currentDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    const int kind = gauge->messart();
    const RecordFields f = parseRecordLine(zeile, kind, gauge->profile().materialart);
    QString error = f.error;
    bool kept = false;
    // A value the measurement file could not hold would be lost at the next
    // save and load: it is refused like one past any number.
    const bool fits = !f.valueValid || fitsValueColumn(f.wert, f.einheit);
    if (!fits) error = QStringLiteral("6Overflow");
    const bool valueValid = f.valueValid && fits;
    // A reading the gauge could not have measured never reaches the table.
    if (valueValid) {
        const MeasurementTables::Taken taken =
            tables.take(kind, Reading{f.nr, f.wert, f.einheit, f.material}, currentDate, currentTime);
        if (taken.full) error = QStringLiteral("9Subscript out of range"); // nothing was written
        if (taken.kept) {
            AppendReadingRow();
            tables.advance(gauge->profile().onlineart == u"E" && kind == kOnline);
            kept = true;
        }
    }
    if (error.isEmpty()) return kept;
    const QString text = QStringLiteral("Fill Messdaten: ") + error;
    MsgBox(text);
    WriteLog(text);
    return kept;
}

} // namespace kivo
