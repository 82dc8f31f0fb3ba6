#include "shared/Align.h"

namespace kivo {

QString Ausrichten(int maxLaenge, const QString& sText, const QString& sFuell, bool bKuerzen)
{
    const qsizetype len = sText.size();
    if (len < maxLaenge) {
        const QChar fill = sFuell.isEmpty() ? QChar(u' ') : sFuell[0];
        return QString(maxLaenge - len, fill) + sText;
    }
    if (len > maxLaenge && bKuerzen) return sText.left(qMax(0, maxLaenge));
    return sText;
}

QString AusrichtenL(int maxLaenge, const QString& sText)
{
    if (maxLaenge <= 0) return {};
    return (sText.trimmed() + QString(maxLaenge, u' ')).left(maxLaenge);
}

} // namespace kivo
