#include "session/InfoAndManual.h"

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
    // In this order; a later match wins.
    QString file;
    if (geraet == u"RKT") file = QStringLiteral("Manual_RK-TALO_TRANSFER.pdf");
    if (geraet.left(2) == u"ZR") file = QStringLiteral("Manual_ZORMA-PROBA_TRANSFER.pdf");
    if (geraet.left(3) == u"RKS") file = QStringLiteral("Manual_RK-SIVAR_TRANSFER.pdf");
    if (geraet.left(3) == u"RKM") file = QStringLiteral("Manual_RK-MENO_TRANSFER.pdf");
    const QString two = geraet.left(2);
    if (two == u"FN" || two == u"FE" || two == u"VX") file = QStringLiteral("Manual_VELO-PROBA_TRANSFER.pdf");
    if (geraet.left(3) == u"DOR") file = QStringLiteral("Manual_DORNA_TRANSFER.pdf");
    return file;
}

QString manualPrefix(bool german) { return german ? QStringLiteral("DE_") : QStringLiteral("EN_"); }

QStringList allManualFileNames()
{
    QStringList names;
    for (const char* code : {"RKT", "ZR", "RKS", "RKM", "VX", "DOR"}) names << manualFileName(QLatin1String(code));
    return names;
}

} // namespace kivo
