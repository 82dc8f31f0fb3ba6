// Konfi.ini, Port.ini and Language.ini readers and writers, and the failure
// messages of the ten settings actions.

#include "QtPrinters.h"
#include "device/PortList.h"
#include "settings/SettingsFiles.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

// ---- failure messages ---------------------------------------------------

struct ActionCase {
    const char* aktion;
    const char* fileName;
    const char* german;
    const char* english;
};

// Quoted exactly: the English texts carry historical double blanks, and the
// Language.ini ones differ in their tails; support searches logs for them.
const ActionCase kActions[] = {
    {"CL", "Port.ini", "Probleme beim Lesen Datei Port.ini: ", "problems reading file Port.ini: "},
    {"CS", "Port.ini", "Probleme beim Schreiben Datei Port.ini: ", "problems writing file Port.ini: "},
    {"KL", "Konfi.ini", "Probleme beim Lesen Datei Konfi.ini: ", "problems reading file Konfi.ini: "},
    {"LL", "Limit.ini", "Probleme beim Lesen Datei Limit.ini: ", "problems reading file  Limit.ini: "},
    {"LS", "Limit.ini", "Probleme beim Schreiben Datei Limit.ini: ", "problems writing file  Limit.ini: "},
    {"SL", "Language.ini", "Probleme beim Lesen Datei & Language.ini: ", "problems reading file Language.ini:"},
    {"SS", "Language.ini", "Probleme beim Schreiben Datei Language.ini: ", "problems writing file Language.ini: "},
    {"PL", "Projektdaten.ini", "Probleme beim Lesen Datei Projektdaten.ini: ",
     "problems reading file  Projektdaten.ini: "},
    {"PS", "Projektdaten.ini", "Probleme beim Schreiben Datei Projektdaten.ini: ",
     "problems writing file  Datei Projektdaten.ini: "},
    {"PI", "Projekt.ini", "Probleme beim Lesen Datei Projekt.ini: ", "problems reading file  Datei Projekt.ini: "},
};

class SettingsActionTest : public ::testing::TestWithParam<ActionCase> {};

TEST_P(SettingsActionTest, ErrorTextInBothLanguages)
{
    const ActionCase& c = GetParam();
    EXPECT_EQ(settingsErrorText(QString::fromLatin1(c.aktion), 0), QString::fromUtf8(c.german));
    EXPECT_EQ(settingsErrorText(QString::fromLatin1(c.aktion), 1), QString::fromUtf8(c.english));
}

TEST_P(SettingsActionTest, FileName)
{
    const ActionCase& c = GetParam();
    EXPECT_EQ(settingsFileName(QString::fromLatin1(c.aktion)), QString::fromLatin1(c.fileName));
}

INSTANTIATE_TEST_SUITE_P(AllActions, SettingsActionTest, ::testing::ValuesIn(kActions),
                         [](const ::testing::TestParamInfo<ActionCase>& info) {
                             return std::string(info.param.aktion);
                         });

TEST(SettingsAction, UnknownActionHasNoFileAndNoText)
{
    for (const char* code : {"", "XX", "kl", "KLX"}) {
        EXPECT_TRUE(settingsFileName(QString::fromLatin1(code)).isEmpty()) << code;
        EXPECT_TRUE(settingsErrorText(QString::fromLatin1(code), 0).isEmpty()) << code;
        EXPECT_TRUE(settingsErrorText(QString::fromLatin1(code), 1).isEmpty()) << code;
    }
}

// ---- Konfi.ini ----------------------------------------------------------

struct KonfiCase {
    const char* name;
    QStringList lines;
    bool fails;
    KonfiFields expected; // the fields start as "old" ones
};

const KonfiCase kKonfiCases[] = {
    {"model code only", {"RKS"}, false, {"RKS", "oldCode", "oldName", "oldProgram"}},
    {"model code trimmed", {"  VX \t"}, false, {"VX", "oldCode", "oldName", "oldProgram"}},
    {"empty model code", {""}, false, {"", "oldCode", "oldName", "oldProgram"}},
    {"empty file", {}, true, {"old", "oldCode", "oldName", "oldProgram"}},
    {"skipped lines, trimmed brand line",
     {"RKT", "", "#", "   #  ", "  SR;Selmar GmbH;SELMAR TRANSFER;  "},
     false,
     {"RKT", "SR", "Selmar GmbH", "SELMAR TRANSFER"}},
    {"fields not trimmed, last brand line counts",
     {"ZR", "XX;First;First Program;", "SR; Selmar ; Transfer ;extra;"},
     false,
     {"ZR", "SR", " Selmar ", " Transfer "}},
    // Only a line of exactly "#" is skipped: "# partner" is a brand line
    // without separators, so the read ends there.
    {"comment with text",
     {"RKM", "SR;Selmar;Selmar Transfer;", "# partner brand", "YY;Other;Other Program;"},
     true,
     {"RKM", "SR", "Selmar", "Selmar Transfer"}},
};

TEST(KonfiIni, Cases)
{
    for (const KonfiCase& c : kKonfiCases) {
        KonfiFields f{"old", "oldCode", "oldName", "oldProgram"};
        EXPECT_EQ(readKonfi(c.lines, f).has_value(), c.fails) << c.name;
        EXPECT_EQ(f.geraet, c.expected.geraet) << c.name;
        EXPECT_EQ(f.brandCode, c.expected.brandCode) << c.name;
        EXPECT_EQ(f.brandName, c.expected.brandName) << c.name;
        EXPECT_EQ(f.kpgmname, c.expected.kpgmname) << c.name;
    }
}

TEST(KonfiIni, BrandLineNeedsThreeSeparators)
{
    for (const char* line : {"SR;Selmar;Selmar Transfer", "SR;Selmar", "SR"}) {
        KonfiFields f;
        EXPECT_TRUE(readKonfi({QStringLiteral("DOR"), QString::fromLatin1(line)}, f)) << line;
        EXPECT_EQ(f.geraet, QStringLiteral("DOR")) << line;
        EXPECT_TRUE(f.kpgmname.isEmpty()) << line;
    }
}

// ---- Port.ini -----------------------------------------------------------

TEST(PortIni, NumberLineGivesPortNumberAndComText)
{
    struct Case {
        const char* line;
        const char* portnr;
        const char* combo;
    };
    const Case cases[] = {
        {"7", "7", "COM7"},
        {"   7  ", "7", "COM7"},
        {"12", "12", "COM12"},
        {"007", "7", "COM007"},    // the number as decimal text, the line as read
        {"12abc", "12", "COM12abc"}, // only the leading number counts
    };
    for (const Case& c : cases) {
        PortIniFields f;
        EXPECT_FALSE(readPortIni({QString::fromLatin1(c.line)}, f)) << c.line;
        EXPECT_EQ(f.portnr, QString::fromLatin1(c.portnr)) << c.line;
        EXPECT_EQ(f.comboText, QString::fromLatin1(c.combo)) << c.line;
        EXPECT_FALSE(f.askForPort) << c.line;
    }
}

TEST(PortIni, LineWithoutLeadingNumber)
{
    PortIniFields f;
    EXPECT_FALSE(readPortIni({QStringLiteral(" ttyUSB0 ")}, f));
    if (kNumberedPorts) {
        EXPECT_EQ(f.portnr, QStringLiteral("0"));
        EXPECT_EQ(f.comboText, QStringLiteral("COMttyUSB0"));
    } else {
        // On a system that names its ports, Port.ini holds the name itself.
        EXPECT_EQ(f.portnr, QStringLiteral("ttyUSB0"));
        EXPECT_EQ(f.comboText, QStringLiteral("ttyUSB0"));
    }
}

TEST(PortIni, EmptyLineAsksForAPortAndChangesNothing)
{
    PortIniFields f{QStringLiteral("4"), QStringLiteral("COM4"), false};
    EXPECT_FALSE(readPortIni({QStringLiteral("   ")}, f));
    EXPECT_TRUE(f.askForPort);
    EXPECT_EQ(f.portnr, QStringLiteral("4"));
    EXPECT_EQ(f.comboText, QStringLiteral("COM4"));
}

TEST(PortIni, EmptyFileChangesNothing)
{
    PortIniFields f{QStringLiteral("4"), QStringLiteral("COM4"), false};
    EXPECT_FALSE(readPortIni({}, f));
    EXPECT_EQ(f.portnr, QStringLiteral("4"));
    EXPECT_EQ(f.comboText, QStringLiteral("COM4"));
    EXPECT_FALSE(f.askForPort);
}

TEST(PortIni, LastLineCounts)
{
    PortIniFields f;
    EXPECT_FALSE(readPortIni({QStringLiteral("3"), QString(), QStringLiteral("15")}, f));
    EXPECT_EQ(f.portnr, QStringLiteral("15"));
    EXPECT_EQ(f.comboText, QStringLiteral("COM15"));
    EXPECT_TRUE(f.askForPort);
}

TEST(PortIni, WriterKeepsTheNumberWithoutBlanks)
{
    EXPECT_EQ(writePortIni(QStringLiteral("7")), QStringList{QStringLiteral("7")});
    EXPECT_EQ(writePortIni(QStringLiteral("12 ")), QStringList{QStringLiteral("12")});
    EXPECT_EQ(writePortIni(QStringLiteral("  003")), QStringList{QStringLiteral("3")});
    if (!kNumberedPorts) {
        EXPECT_EQ(writePortIni(QStringLiteral("ttyUSB0")), QStringList{QStringLiteral("ttyUSB0")});
    }
}

// ---- Language.ini -------------------------------------------------------

TEST(LanguageIni, ReadsTheFirstLineRoundedDown)
{
    struct Case {
        const char* line;
        int index;
    };
    const Case cases[] = {
        {"0", 0}, {"1", 1}, {" 1 ", 1}, {"5", 5}, {"1.9", 1}, {"1,9", 1}, {"-1", -1}, {"-0.5", -1}, {"", 0},
    };
    for (const Case& c : cases) {
        int index = 7;
        EXPECT_FALSE(readLanguageIni({QString::fromLatin1(c.line)}, index)) << c.line;
        EXPECT_EQ(index, c.index) << c.line;
    }
}

TEST(LanguageIni, OnlyTheFirstLineIsRead)
{
    int index = 0;
    EXPECT_FALSE(readLanguageIni({QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("garbage")}, index));
    EXPECT_EQ(index, 1);
}

TEST(LanguageIni, EmptyFileOrTextFailsAndKeepsTheLanguage)
{
    int index = 1;
    EXPECT_TRUE(readLanguageIni({}, index));
    EXPECT_EQ(index, 1);
    for (const char* line : {"English", "1x", "1.2.3"}) {
        index = 1;
        EXPECT_TRUE(readLanguageIni({QString::fromLatin1(line)}, index)) << line;
        EXPECT_EQ(index, 1) << line;
    }
}

TEST(LanguageIni, ClampToTheTwoLanguages)
{
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 1}, {5, 1}, {32767, 1}, {-1, 0}, {-32768, 0}};
    for (const auto& [stored, expected] : cases) EXPECT_EQ(clampLanguage(stored), expected) << stored;
}

TEST(LanguageIni, WriterAndReaderAgree)
{
    for (int language : {0, 1}) {
        const QStringList lines = writeLanguageIni(language);
        EXPECT_EQ(lines, QStringList{QString::number(language)});
        int index = -5;
        EXPECT_FALSE(readLanguageIni(lines, index));
        EXPECT_EQ(index, language);
    }
}

} // namespace
