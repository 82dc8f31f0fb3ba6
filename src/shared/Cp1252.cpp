#include "shared/Cp1252.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kivo {

namespace {

// 0x80..0x9F differ from Latin-1; 0 marks the five undefined bytes, which
// are kept as the control characters of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The byte of a character in the code page; nullopt when it has none.
std::optional<char> cp1252Byte(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || (u >= 0x80 && u <= 0x9F && kHigh[u - 0x80] == 0)) return char(u);
    const auto* at = std::find(kHigh.begin(), kHigh.end(), u);
    if (at == kHigh.end()) return std::nullopt;
    return char(0x80 + (at - kHigh.begin()));
}

} // namespace

void EncodingSniffer::feed(QByteArrayView bytes)
{
    if (settled() || bytes.isEmpty()) return;
    QByteArray data = std::exchange(pending, QByteArray());
    data.append(bytes.data(), bytes.size());
    if (!markTold) {
        static constexpr QByteArrayView kMark("\xEF\xBB\xBF");
        if (data.size() < kMark.size() && kMark.startsWith(data)) {
            pending = data;
            return;
        }
        markTold = true;
        mark = data.startsWith(kMark);
        if (mark) return;
    }
    // A sequence cut by the end of this piece is judged with the next one.
    qsizetype lead = data.size() - 1;
    while (lead >= 0 && data.size() - lead <= 3 && (uchar(data[lead]) & 0xC0) == 0x80) --lead;
    if (lead >= 0) {
        const uchar b = uchar(data[lead]);
        const qsizetype length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (length > data.size() - lead) {
            pending = data.mid(lead);
            data.truncate(lead);
        }
    }
    for (char c : data) {
        if (uchar(c) < 0x80) continue;
        high = true;
        break;
    }
    if (high && !QByteArrayView(data).isValidUtf8()) invalid = true;
}

TextEncoding EncodingSniffer::encoding() const
{
    if (mark) return TextEncoding::Utf8;
    // A sequence left unfinished at the end of the file is no UTF-8 either.
    if (invalid || !pending.isEmpty() || !high) return TextEncoding::Cp1252;
    return TextEncoding::Utf8;
}

QString decodeText(const QByteArray& bytes)
{
    EncodingSniffer sniffer;
    sniffer.feed(bytes);
    return decodeAs(QByteArrayView(bytes).sliced(sniffer.markLength()), sniffer.encoding());
}

QString decodeAs(QByteArrayView bytes, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : decodeCp1252(bytes);
}

QString decodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t u = b;
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) u = kHigh[b - 0x80];
        *out++ = QChar(u);
    }
    return text;
}

std::optional<QString> firstCharacterOutsideCp1252Line(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == u'\r' || u == u'\n') return QString(text[i]);
        if (cp1252Byte(u)) continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return text.mid(i, pair ? 2 : 1);
    }
    return std::nullopt;
}

QByteArray encodeCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) bytes.append(cp1252Byte(ch.unicode()).value_or('?'));
    return bytes;
}

} // namespace kivo
