#include "LineFile.h"

#include <QFile>
#include <array>

namespace kivo::sim {

namespace {

// The characters Windows-1252 puts at 0x80..0x9F; 0 marks an unused byte.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QByteArray utf8ToCp1252(QByteArrayView utf8)
{
    const QString text = QString::fromUtf8(utf8);
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        char mapped = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            mapped = char(u);
        } else {
            for (size_t i = 0; i < kHigh.size(); ++i) {
                if (kHigh[i] != 0 && kHigh[i] == u) mapped = char(0x80 + i);
            }
        }
        bytes.append(mapped);
    }
    return bytes;
}

} // namespace

QList<QByteArray> splitFileLines(const QByteArray& content)
{
    static constexpr QByteArrayView kBom = "\xEF\xBB\xBF";
    const QByteArray bytes = content.startsWith(kBom) ? utf8ToCp1252(QByteArrayView(content).sliced(kBom.size())) : content;

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
