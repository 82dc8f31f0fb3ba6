// The info window's model name and the choice of the manual.

#include "QtPrinters.h"
#include "session/InfoAndManual.h"

#include <gtest/gtest.h>

using namespace kivo;

TEST(InfoAndManual, ModelNameFromTheProgramName)
{
    EXPECT_EQ(infoModelName(QStringLiteral("RK-SIVAR RIDIVORI"), QStringLiteral("RKS")), u"RK-SIVAR");
    EXPECT_EQ(infoModelName(QStringLiteral("VELO-PROBA RIDIVORI"), QStringLiteral("FEB")), u"VELO-PROBA (FE-B)");
    EXPECT_EQ(infoModelName(QStringLiteral("VELO-PROBA RIDIVORI"), QStringLiteral("FNB")), u"VELO-PROBA (FN-B)");
    EXPECT_EQ(infoModelName(QStringLiteral("VELO-PROBA RIDIVORI"), QStringLiteral("VX")), u"VELO-PROBA");
    // A partner brand's name without "RIDIVORI", and one that starts with it.
    EXPECT_EQ(infoModelName(QStringLiteral("Coatmaster 3"), QStringLiteral("RKM")), u"RKM");
    EXPECT_EQ(infoModelName(QStringLiteral("RIDIVORI"), QStringLiteral("DOR")), u"DOR");
    EXPECT_EQ(infoModelName(QStringLiteral("X RIDIVORI"), QStringLiteral("DOR")), u"X");
}

TEST(InfoAndManual, ManualByModelCode)
{
    const std::pair<const char*, const char*> cases[] = {
        {"RKT", "Manual_RK-TALO_TRANSFER.pdf"},      {"RKT2", ""}, // only the whole code
        {"ZR", "Manual_ZORMA-PROBA_TRANSFER.pdf"},   {"ZR96", "Manual_ZORMA-PROBA_TRANSFER.pdf"},
        {"RKS", "Manual_RK-SIVAR_TRANSFER.pdf"},     {"RKM", "Manual_RK-MENO_TRANSFER.pdf"},
        {"FEB", "Manual_VELO-PROBA_TRANSFER.pdf"},   {"FNB", "Manual_VELO-PROBA_TRANSFER.pdf"},
        {"VX", "Manual_VELO-PROBA_TRANSFER.pdf"},    {"DOR", "Manual_DORNA_TRANSFER.pdf"},
        {"", ""},                                    {"XY", ""}};
    for (const auto& [code, file] : cases) EXPECT_EQ(manualFileName(QLatin1String(code)), QLatin1String(file)) << code;
    EXPECT_EQ(manualPrefix(true) + manualFileName(QStringLiteral("RKS")), u"DE_Manual_RK-SIVAR_TRANSFER.pdf");
    EXPECT_EQ(manualPrefix(false) + manualFileName(QStringLiteral("RKS")), u"EN_Manual_RK-SIVAR_TRANSFER.pdf");
    EXPECT_EQ(allManualFileNames().size(), 6);
    EXPECT_FALSE(allManualFileNames().contains(QLatin1String(kDefaultHelpFile)));
}
