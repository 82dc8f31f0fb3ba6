// A record line becomes a reading of the table being filled.

#include "app/frmTransfer.h"
#include "device/RecordLine.h"

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
    // A reading the gauge could not have measured never reaches the table.
    if (f.valueValid) {
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
