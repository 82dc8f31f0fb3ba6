#include "LineFile.h"

#include "shared/Cp1252.h"

#include <QFile>

namespace kivo::sim {

QList<QByteArray> splitFileLines(const QByteArray& content)
{
    static constexpr QByteArrayView kBom = "\xEF\xBB\xBF";
    const QByteArray bytes = content.startsWith(kBom) ? kivo::encodeCp1252(QString::fromUtf8(QByteArrayView(content).sliced(kBom.size()))) : content;

    QList<QByteArray> lines;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty()) lines.append(line);
    return lines;
}

std::optional<QList<QByteArray>> readLineFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return splitFileLines(file.readAll());
}

} // namespace kivo::sim
