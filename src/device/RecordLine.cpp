#include "device/RecordLine.h"

#include <QLocale>
#include <cmath>

namespace kivo {

double readNumberField(const QString& field)
{
    QString text;
    for (QChar c : field)
        if (c != u' ' && c != u'\t') text += c;
    qsizetype i = 0;
    const qsizetype n = text.size();
    QString number;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) number += text[i++];
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            number += c;
            digits = true;
        } else if (c == u'.' && !point) {
            number += c;
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0;
    if (i < n && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (text[j] == u'+' || text[j] == u'-')) exponent += text[j++];
        const qsizetype firstDigit = j;
        while (j < n && text[j] >= u'0' && text[j] <= u'9') exponent += text[j++];
        if (j > firstDigit) number += exponent;
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(number, &ok);
    // A number past the double range reads as infinity, so the caller can
    // refuse it instead of taking 0 for it.
    if (!ok && std::isinf(v)) return v;
    return ok ? v : 0;
}

void normaliseUnit(double& wert, QString& einheit)
{
    const QString bare = einheit.trimmed();
    if (bare == u"mm") {
        wert *= 1000;
        einheit = QStringLiteral("µm  ");
    }
    if (einheit.trimmed() == u"kA/m") {
        wert *= 10;
        einheit = QStringLiteral("A/cm");
    }
    if (einheit.trimmed() == u"kOe") {
        wert *= 1000;
        einheit = QStringLiteral("Oe  ");
    }
    if (einheit == u"ym  ") einheit = QStringLiteral("µm  ");
    if (einheit == u"Oe" || einheit == u"Oe  ") einheit = QStringLiteral("G   ");
}

RecordFields parseRecordLine(const QString& zeile, int messart, const QString& materialart)
{
    QString line = zeile;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("  "));
    RecordFields f;
    if (messart != 2) {
        // The gauge numbers its readings within 16 bits; rounded halves go
        // to the even neighbour, as the gauge's own software rounds.
        const double number = std::nearbyint(readNumberField(line.mid(0, 4)));
        if (number < -32768 || number > 32767)
            f.error = QStringLiteral("6Overflow");
        else
            f.nr = int(number);
    }
    f.wert = readNumberField(line.mid(6, 10));
    f.einheit = line.mid(17, 4);
    const QString mode = materialart.trimmed();
    if (mode == u"1")
        f.material = messart == 0 ? QStringLiteral(" Fe") : messart == 1 ? QStringLiteral("NFe") : line.mid(22, 3);
    else if (mode == u"2")
        f.material = line.mid(22, 3).trimmed();
    normaliseUnit(f.wert, f.einheit);
    if (!std::isfinite(f.wert)) {
        // 1e308 mm is no thickness: it would show as "inf" and poison the statistics.
        f.valueValid = false;
        f.wert = 0;
        f.error = QStringLiteral("6Overflow");
    }
    return f;
}

} // namespace kivo
