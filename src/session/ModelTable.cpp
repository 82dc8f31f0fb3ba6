#include "session/ModelTable.h"

#include <array>

namespace kivo {

namespace {

const std::array<ModelRow, 6> kModels = {{
    {"RKT", true, "RK-TALO RIDIVORI", "VX.gif", false, {"1", "B", "V", "0", "-"}},
    {"RKS", false, "RK-SIVAR RIDIVORI", "RKS.gif", true, {"1", "K", "V", "0", "-"}},
    {"RKM", false, "RK-MENO RIDIVORI", "ZR.gif", true, {"3", "K", "V", "0", "-"}},
    {"DOR", false, "DORNA RIDIVORI", "RKS.gif", true, {"X", "K", "V", "0", "-"}},
    {"ZR", true, "ZORMA-PROBA RIDIVORI", "ZR.gif", true, {"3", "K", "E", "2", "+"}},
    {"VX", true, "VELO-PROBA RIDIVORI", "VX.gif", false, {"2", "B", "E", "1", "+"}},
}};

// The profile is looked up in this order, first match wins.
constexpr std::array<const char*, 6> kProfileOrder = {"VX", "ZR", "RKT", "RKS", "RKM", "DOR"};

} // namespace

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
