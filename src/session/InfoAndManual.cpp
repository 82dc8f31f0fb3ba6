#include "session/InfoAndManual.h"

#include "session/ModelTable.h"

namespace kivo {

QString infoModelName(const QString& pgmname, const QString& geraet)
{
    const qsizetype p = pgmname.indexOf(QStringLiteral("RIDIVORI")) + 1; // 1-based, 0 when absent
    QString name = p >= 3 ? pgmname.left(p - 2) : geraet;
    if (name == u"VELO-PROBA") {
        if (geraet == u"FEB") name = QStringLiteral("VELO-PROBA (FE-B)");
        else if (geraet == u"FNB") name = QStringLiteral("VELO-PROBA (FN-B)");
    }
    return name;
}

QString manualFileName(const QString& geraet)
{
    const ModelRow* row = rowForGauge(geraet);
    return row ? QString::fromLatin1(row->manual) : QString();
}

// Part of a file name, not a text: it stays out of the phrases.
QString manualPrefix(bool german) { return QLatin1String(german ? "DE_" : "EN_"); }

QStringList allManualFileNames()
{
    QStringList names;
    for (const ModelRow& row : modelRows()) names << QString::fromLatin1(row.manual);
    return names;
}

} // namespace kivo
