#include "session/ModelTable.h"

#include <array>
#include <QStringList>

namespace kivo {

namespace {

const std::vector<ModelRow> kModels = {
    {"RKT", true, "RK-TALO RIDIVORI", "VX.gif", false, {"1", "B", "V", "0", "-"}, "RKT$", true,
     "Manual_RK-TALO_TRANSFER.pdf", "RKT"},
    {"RKS", false, "RK-SIVAR RIDIVORI", "RKS.gif", true, {"1", "K", "V", "0", "-"}, "RKS", true,
     "Manual_RK-SIVAR_TRANSFER.pdf", "RKS"},
    {"RKM", false, "RK-MENO RIDIVORI", "ZR.gif", true, {"3", "K", "V", "0", "-"}, "RKM", true,
     "Manual_RK-MENO_TRANSFER.pdf", "RKM"},
    // Its readings carry a sign, yet its statistics count their size.
    {"DOR", false, "DORNA RIDIVORI", "RKS.gif", true, {"X", "K", "V", "0", "-"}, "DOR", false,
     "Manual_DORNA_TRANSFER.pdf", "DOR"},
    {"ZR", true, "ZORMA-PROBA RIDIVORI", "ZR.gif", true, {"3", "K", "E", "2", "+"}, "ZR", false,
     "Manual_ZORMA-PROBA_TRANSFER.pdf", "ZR"},
    // Played by the FN-B, which names itself and its FE and NFE memories.
    {"VX", true, "VELO-PROBA RIDIVORI", "VX.gif", false, {"2", "B", "E", "1", "+"}, "VX FE FN", false,
     "Manual_VELO-PROBA_TRANSFER.pdf", "FNB"},
};

// The profile is looked up in this order, first match wins.
constexpr std::array<const char*, 6> kProfileOrder = {"VX", "ZR", "RKT", "RKS", "RKM", "DOR"};

} // namespace

const std::vector<ModelRow>& modelRows() { return kModels; }

const ModelRow* rowForGauge(const QString& geraet)
{
    const ModelRow* found = nullptr;
    qsizetype longest = 0;
    for (const ModelRow& row : kModels)
        for (QString code : QString::fromLatin1(row.gaugeCodes).split(u' ', Qt::SkipEmptyParts)) {
            // "RKT$": the code alone, not the beginning of a longer one.
            const bool whole = code.endsWith(u'$');
            if (whole) code.chop(1);
            if ((whole ? geraet == code : geraet.startsWith(code)) && code.size() > longest) {
                found = &row;
                longest = code.size();
            }
        }
    return found;
}

bool signedStatistics(const QString& geraet)
{
    const ModelRow* row = rowForGauge(geraet);
    return row && row->signedStatistics;
}

const ModelRow* titleRowFor(const QString& geraet)
{
    const ModelRow* found = nullptr;
    for (const ModelRow& row : kModels) {
        const QLatin1String code(row.code);
        if (row.wholeCode ? geraet == code : geraet.left(3) == code) found = &row;
    }
    return found;
}

std::optional<ModelProfile> profileFor(const QString& geraet)
{
    const QString first3 = geraet.trimmed().left(3);
    for (const char* code : kProfileOrder) {
        if (first3 != QLatin1String(code)) continue;
        for (const ModelRow& row : kModels)
            if (QLatin1String(row.code) == QLatin1String(code)) return row.profile;
    }
    return std::nullopt;
}

QStringList modelCodes()
{
    QStringList codes;
    for (const ModelRow& row : kModels) codes << QString::fromLatin1(row.code);
    return codes;
}

} // namespace kivo
