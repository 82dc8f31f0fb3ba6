// A record line becomes a reading of the table being filled.

#include "app/frmTransfer.h"
#include "device/RecordLine.h"

#include <QDateTime>

namespace kivo {

bool frmTransfer::FillMessdaten()
{
    const QDateTime now = QDateTime::currentDateTime();
    currentTime = now.toString(QStringLiteral("HH:mm:ss"));
    currentDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    const int kind = link.messart;
    if (kind == kOnline) satznr = onlineZaehler;
    const RecordFields f = parseRecordLine(zeile, kind, profile.materialart);
    Record* r = records.find(kind, satznr);
    // A reading the gauge could not have measured never reaches the table.
    const bool refused = !f.valueValid;
    QString error = f.error;
    if (!r) error = QStringLiteral("9Subscript out of range"); // the table is full: nothing is written
    bool kept = false;
    if (r && !refused) {
        if (kind == kOnline) r->nr = onlineZaehler;
        else if (f.nr) r->nr = *f.nr;
        r->wert = f.wert;
        r->einheit = f.einheit;
        if (f.material) r->material = *f.material;
        if (r->datum.isEmpty() || r->datum == u" ") r->datum = currentDate;
        if (r->zeit.isEmpty() || r->zeit == u" ") r->zeit = currentTime;
        if (r->wert != 0 || r->nr != 0) {
            AppendReadingRow();
            ++satznr;
            kept = true;
            if (profile.onlineart == u"E" && kind == kOnline) ++onlineZaehler;
        }
    }
    if (error.isEmpty()) return kept;
    const QString text = QStringLiteral("Fill Messdaten: ") + error;
    MsgBox(text);
    WriteLog(text);
    return kept;
}

} // namespace kivo
