// A record line becomes a reading of the table being filled.

#include "app/frmTransfer.h"
#include "device/RecordLine.h"

#include <QDateTime>

namespace kivo {

void frmTransfer::FillMessdaten()
{
    const QDateTime now = QDateTime::currentDateTime();
    currentTime = now.toString(QStringLiteral("HH:mm:ss"));
    currentDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    const int kind = link.messart;
    if (kind == kOnline) satznr = onlineZaehler;
    Record& r = records.at(kind, satznr);
    const RecordFields f = parseRecordLine(zeile, kind, profile.materialart);
    if (kind == kOnline) r.nr = onlineZaehler;
    else if (f.nr) r.nr = *f.nr;
    r.wert = f.wert;
    r.einheit = f.einheit;
    if (f.material) r.material = *f.material;
    if (r.datum.isEmpty() || r.datum == u" ") r.datum = currentDate;
    if (r.zeit.isEmpty() || r.zeit == u" ") r.zeit = currentTime;
    if (r.wert != 0 || r.nr != 0) {
        AppendReadingRow();
        ++satznr;
        if (profile.onlineart == u"E" && kind == kOnline) ++onlineZaehler;
    }
    if (f.error.isEmpty()) return;
    const QString text = QStringLiteral("Fill Messdaten: ") + f.error;
    MsgBox(text);
    WriteLog(text);
}

} // namespace kivo
