#include "device/IdentReply.h"

#include "shared/FieldExcerpt.h"

namespace kivo {

namespace {

// A whole number of the gauge's 16-bit range; blanks around it are allowed.
std::optional<int> readInt16(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < -32768 || v > 32767) return std::nullopt;
    return v;
}

} // namespace

std::optional<QString> deviceCode(const QString& line)
{
    const qsizetype dash = line.indexOf(u'-');
    if (dash < 0) return std::nullopt;
    return line.left(dash) + line.mid(dash + 1, 1);
}

std::optional<QString> parseIdentReply(const QString& reply, const QString& speicherlayout, QString& geraet,
                                       DeviceInfo& fields)
{
    const QString layout = speicherlayout.trimmed();
    // One pass over the reply: a position moves on, nothing is copied but
    // the line at hand, so a long reply costs no more than its length.
    qsizetype pos = 0;
    for (int n = 1;; ++n) {
        qsizetype e = reply.indexOf(QStringLiteral("\r\n"), pos);
        // The gauge may end its last line with EOT alone: that line is whole.
        const qsizetype eot = reply.indexOf(QChar(4), pos);
        const bool endedByEot = eot >= 0 && (e < 0 || eot < e);
        if (endedByEot) {
            if (eot == pos) return std::nullopt; // EOT after the last CR LF
            e = eot;
        }
        if (e < 0) return std::nullopt; // an unfinished line
        const QString line = reply.mid(pos, e - pos);
        pos = endedByEot ? reply.size() : e + 2;
        if (n == 1) {
            const auto code = deviceCode(line);
            if (!code) return QStringLiteral("line 1 \"%1\" has no \"-\"").arg(fieldExcerpt(line));
            geraet = *code;
            continue;
        }
        const bool keyLine = line.startsWith(QStringLiteral("VD")) || line.startsWith(u'M')
                             || line.startsWith(QStringLiteral("AD")) || line.startsWith(QStringLiteral("PT"))
                             || line.startsWith(QStringLiteral("VP"));
        if (!keyLine) continue;
        const qsizetype k = line.indexOf(u':');
        if (k < 0) return QStringLiteral("line %1 \"%2\" has no \":\"").arg(n).arg(fieldExcerpt(line));
        const QString value = line.mid(k + 1);
        if (line.startsWith(QStringLiteral("VD"))) fields.geraetesoftware = value.trimmed();
        if (line.startsWith(u'M')) {
            const auto number = readInt16(line.mid(1, k - 1));
            if (!number) return QStringLiteral("line %1 \"%2\": no memory number").arg(n).arg(fieldExcerpt(line));
            fields.speichernr = *number;
            const auto count = readInt16(value);
            if (!count)
                return QStringLiteral("line %1 \"%2\": the count is not a number").arg(n).arg(fieldExcerpt(line));
            if (fields.speichernr == 1 || layout == u"1" || layout == u"3") fields.anzahl1 = *count;
            if (fields.speichernr == 2 && layout.startsWith(u'2')) fields.anzahl2 = *count;
        }
        if (line.startsWith(QStringLiteral("AD"))) fields.macadr = value.trimmed();
        if (line.startsWith(QStringLiteral("PT"))) fields.sondentyp = value.trimmed();
        if (line.startsWith(QStringLiteral("VP"))) fields.sondenversion = value.trimmed();
    }
}

} // namespace kivo
