#include "FuzzInput.h"

#include "shared/Cp1252.h"

#include <QRegularExpression>

namespace kivo::fuzz {

QString wireText(const uint8_t* data, size_t size) { return decodeCp1252(bytes(data, size)); }

QStringList fileLines(const uint8_t* data, size_t size)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    return decodeText(bytes(data, size)).split(lineEnd);
}

} // namespace kivo::fuzz
