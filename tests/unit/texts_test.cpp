// The language tables.

#include "QtPrinters.h"
#include "texts/Texte.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QString kTitle = QStringLiteral("RK-MENO RIDIVORI V3.02");

class TexteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        texte.FillMenuTexts();
        texte.FillMessageTexts(kTitle);
    }

    Texte texte;
};

// Spot checks of texts with their odd blanks: they are padded so that
// reports and the statistics list line up.
TEST_F(TexteTest, TextsWithTheirBlanksInBothLanguages)
{
    const std::tuple<QString (Texte::*)(int) const, int, const char*, const char*> texts[] = {
        {&Texte::MenuText, 55, "Nicht Verbunden", "not connected"},
        {&Texte::MessageText, 3, "Geräte-Schnittstelle eingeben :", "Enter COM-Port of device :"},
        {&Texte::StatText, 7, " Statistik nicht möglich,", " Statistics not possible"},
        {&Texte::StatText, 9, " Messeinheiten ", " measurement units"},
        {&Texte::StatText, 10, "Sollwert    ", "Target value"},
        {&Texte::StatText, 11, "  mit Absolutwerten", "  with absolute values"},
    };
    for (const auto& [table, index, german, english] : texts) {
        texte.languageIndex = kGerman;
        EXPECT_EQ((texte.*table)(index), german) << index;
        texte.languageIndex = kEnglish;
        EXPECT_EQ((texte.*table)(index), english) << index;
    }
}

TEST_F(TexteTest, EntryFourteenIsTheTitleAndAnyIndexButGermanReadsEnglish)
{
    for (int language : {kGerman, kEnglish}) {
        texte.languageIndex = language;
        EXPECT_EQ(texte.MessageText(14), kTitle);
    }
    for (int language : {2, -1}) {
        texte.languageIndex = language;
        EXPECT_EQ(texte.MessageText(0), "No.") << language;
        EXPECT_EQ(texte.MenuText(30), "Language") << language;
    }
}

TEST_F(TexteTest, UnlistedAndOutOfRangeEntriesAreEmpty)
{
    for (int language : {kGerman, kEnglish}) {
        texte.languageIndex = language;
        for (int index : {-1, 6, 61}) EXPECT_TRUE(texte.MenuText(index).isEmpty()) << index;
        for (int index : {-1, 57, 61}) EXPECT_TRUE(texte.MessageText(index).isEmpty()) << index;
        for (int index : {-1, 0, 14, 21}) EXPECT_TRUE(texte.StatText(index).isEmpty()) << index;
    }
}

} // namespace
