#include "device/ComboPortText.h"

#include <QStringList>

namespace kivo {

std::optional<QString> portFromComboText(const QString& text, bool numberedPorts)
{
    if (numberedPorts) {
        for (int len : {3, 2, 1}) {
            const QString part = text.mid(3, len);
            if (part.size() != len) continue;
            bool ok = false;
            const int n = part.trimmed().toInt(&ok);
            if (ok && !part.trimmed().isEmpty() && part.trimmed().size() == part.size()) return QString::number(n);
        }
        return std::nullopt;
    }
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) return std::nullopt;
    return words.first();
}

QString systemPortName(const QString& portnr, bool numberedPorts)
{
    if (!numberedPorts) return portnr.trimmed();
    // The number's integer part, as typed or loaded ("12 ", "3").
    qsizetype n = 0;
    const QString t = portnr.trimmed();
    while (n < t.size() && t[n].isDigit() && t[n].unicode() < 128) ++n;
    return QStringLiteral("COM") + (n ? QString::number(t.left(n).toLongLong()) : t);
}

QString portCaptionName(const QString& portnr, bool numberedPorts)
{
    return numberedPorts ? QStringLiteral("COM") + portnr.trimmed() : portnr.trimmed();
}

} // namespace kivo
