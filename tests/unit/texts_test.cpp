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

struct TextCase {
    char table; // 'M' MenuText, 'T' MessageText, 'S' StatText
    int index;
    const char* german;
    const char* english;
};

// Quoted with their blanks: several texts are padded so that reports and
// the statistics list line up.
const TextCase kTexts[] = {
    {'M', 0, "Datei", "File"},
    {'M', 1, "Datei öffnen", "Open Data File"},
    {'M', 31, "Englisch", "English"},
    {'M', 50, "Verbinden", "Connect"},
    {'M', 53, "Verbunden", "Connected"},
    {'M', 55, "Nicht Verbunden", "not connected"},
    {'T', 0, "Nr.", "No."},
    {'T', 3, "Geräte-Schnittstelle eingeben :", "Enter COM-Port of device :"},
    {'T', 4, "Keine Datei ausgewählt!", "No file selected !"},
    {'T', 13, "Bitte warten....", "Please wait...."},
    {'T', 24, "Bitte COM-Port auswählern", "Please select COM-Port"},
    {'T', 29, "Gerät nicht verfügbar !", "Device is not available !"},
    {'T', 35, "Minimum größer als Maximum!", "Minimum higher than maximum!"},
    {'T', 42, "BEREIT", "READY"},
    {'T', 53, "Maximale Werteanzahl überschritten", "Maximal number of data exceeded"},
    {'T', 56, "Weiter", "Continue"},
    {'S', 1, "Anzahl", "Number"},
    {'S', 5, "Std.Abweichung", "Std.Deviation"},
    {'S', 7, " Statistik nicht möglich,", " Statistics not possible"},
    {'S', 8, " da verschiedene", " cause of different"},
    {'S', 9, " Messeinheiten ", " measurement units"},
    {'S', 10, "Sollwert    ", "Target value"},
    {'S', 11, "  mit Absolutwerten", "  with absolute values"},
    {'S', 13, "Daten", "Data"},
};

QString lookUp(const Texte& texte, char table, int index)
{
    switch (table) {
    case 'M': return texte.MenuText(index);
    case 'T': return texte.MessageText(index);
    default: return texte.StatText(index);
    }
}

TEST_F(TexteTest, ExactTextsInBothLanguages)
{
    for (const TextCase& c : kTexts) {
        texte.languageIndex = kGerman;
        EXPECT_EQ(lookUp(texte, c.table, c.index), QString::fromUtf8(c.german)) << c.table << c.index;
        texte.languageIndex = kEnglish;
        EXPECT_EQ(lookUp(texte, c.table, c.index), QString::fromUtf8(c.english)) << c.table << c.index;
    }
}

TEST_F(TexteTest, EntryFourteenIsTheTitleInBothLanguages)
{
    for (int language : {kGerman, kEnglish}) {
        texte.languageIndex = language;
        EXPECT_EQ(texte.MessageText(14), kTitle);
    }
}

TEST_F(TexteTest, AnyIndexButGermanReadsTheEnglishSlot)
{
    for (int language : {2, 5, -1}) {
        texte.languageIndex = language;
        EXPECT_EQ(texte.MessageText(0), QStringLiteral("No.")) << language;
        EXPECT_EQ(texte.MenuText(30), QStringLiteral("Language")) << language;
    }
}

TEST_F(TexteTest, UnlistedAndOutOfRangeEntriesAreEmpty)
{
    for (int language : {kGerman, kEnglish}) {
        texte.languageIndex = language;
        for (int index : {6, 22, 51, 60}) EXPECT_TRUE(texte.MenuText(index).isEmpty()) << index;
        for (int index : {57, 60}) EXPECT_TRUE(texte.MessageText(index).isEmpty()) << index;
        for (int index : {0, 14, 20}) EXPECT_TRUE(texte.StatText(index).isEmpty()) << index;
        for (int index : {-1, 61, 1000}) {
            EXPECT_TRUE(texte.MenuText(index).isEmpty()) << index;
            EXPECT_TRUE(texte.MessageText(index).isEmpty()) << index;
        }
        for (int index : {-1, 21, 61}) EXPECT_TRUE(texte.StatText(index).isEmpty()) << index;
    }
}

} // namespace
