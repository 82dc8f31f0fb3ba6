#include "table/RecordDate.h"

#include <QRegularExpression>

namespace kivo {

QString leadingDate(const QString& datum)
{
    static const QRegularExpression date(QStringLiteral("^\\s*(\\d\\d\\.\\d\\d\\.\\d\\d\\d\\d)(\\s|$)"));
    const QRegularExpressionMatch m = date.match(datum);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace kivo
