// A record line becomes a reading of the table being filled.

#include "ui/frmTransfer.h"

#include <QDateTime>

namespace kivo {

bool frmTransfer::FillMessdaten(const QString& zeile)
{
    const QDateTime now = QDateTime::currentDateTime();
    currentDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    // The session takes the reading; its signal has the row drawn.
    const GaugeSession::Intake intake = session.takeRecordLine(zeile, gauge->messart(), gauge->profile(), now);
    if (intake.error.isEmpty()) return intake.kept;
    const QString text = QStringLiteral("Fill Messdaten: ") + intake.error;
    MsgBox(text);
    WriteLog(text);
    return intake.kept;
}

} // namespace kivo
