#include "shared/FieldExcerpt.h"

namespace kivo {

QString fieldExcerpt(const QString& field)
{
    qsizetype length = qMin(field.size(), kExcerptLength);
    // A cut never splits the two halves of a character beyond U+FFFF.
    if (length < field.size() && length > 0 && field[length - 1].isHighSurrogate()) --length;
    static constexpr char kHex[] = "0123456789ABCDEF";
    QString shown;
    shown.reserve(length + 8);
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = field[i];
        if (c.category() != QChar::Other_Control) {
            shown += c;
            continue;
        }
        // Control characters are U+0000..U+001F and U+007F..U+009F: two digits.
        const char16_t u = c.unicode();
        shown += QLatin1String("\\x");
        shown += QLatin1Char(kHex[(u >> 4) & 0xF]);
        shown += QLatin1Char(kHex[u & 0xF]);
    }
    if (length < field.size()) shown += QChar(0x2026); // …
    return shown;
}

} // namespace kivo
