// Konfi.ini, Port.ini and Language.ini readers and writers, and the failure
// messages of the settings actions.

#include "QtPrinters.h"
#include "device/PortList.h"
#include "settings/SettingsFiles.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

// ---- failure messages ---------------------------------------------------

TEST(SettingsAction, FileNameAndErrorTexts)
{
    // Spot checks of the texts support searches logs for as they stand: the
    // English ones carry historical double blanks, and the Language.ini ones
    // differ in their tails.
    const std::tuple<const char*, const char*, const char*, const char*> actions[] = {
        {"CS", "Port.ini", "Probleme beim Schreiben Datei Port.ini: ", "problems writing file Port.ini: "},
        {"LL", "Limit.ini", "Probleme beim Lesen Datei Limit.ini: ", "problems reading file  Limit.ini: "},
        {"SL", "Language.ini", "Probleme beim Lesen Datei & Language.ini: ", "problems reading file Language.ini:"},
        {"PS", "Projektdaten.ini", "Probleme beim Schreiben Datei Projektdaten.ini: ",
         "problems writing file  Datei Projektdaten.ini: "},
    };
    for (const auto& [aktion, fileName, german, english] : actions) {
        EXPECT_EQ(settingsFileName(aktion), fileName);
        EXPECT_EQ(settingsErrorText(aktion, 0), german);
        EXPECT_EQ(settingsErrorText(aktion, 1), english);
    }
    for (const char* code : {"", "kl", "KLX"}) {
        EXPECT_TRUE(settingsFileName(code).isEmpty()) << code;
        EXPECT_TRUE(settingsErrorText(code, 0).isEmpty()) << code;
        EXPECT_TRUE(settingsErrorText(code, 1).isEmpty()) << code;
    }
}

// ---- Konfi.ini ----------------------------------------------------------

// The fields start as "old" ones; a failed read keeps what it set before.
TEST(KonfiIni, ModelCodeThenTheLastBrandLine)
{
    const std::tuple<QStringList, bool, const char*> cases[] = {
        {{"  VX \t"}, false, "VX|oldCode|oldName|oldProgram"},
        {{}, true, "old|oldCode|oldName|oldProgram"},
        // Skipped lines; the brand line trimmed, but not its fields; the last one counts.
        {{"RKT", "", "#", "   #  ", "  SR;Selmar GmbH;SELMAR TRANSFER;  "}, false,
         "RKT|SR|Selmar GmbH|SELMAR TRANSFER"},
        {{"ZR", "XX;First;First Program;", "SR; Selmar ; Transfer ;extra;"}, false, "ZR|SR| Selmar | Transfer "},
        // Only a line of exactly "#" is skipped: "# partner" is a brand line
        // without separators, so the read ends there.
        {{"RKM", "SR;Selmar;Selmar Transfer;", "# partner", "YY;Other;Other Program;"}, true,
         "RKM|SR|Selmar|Selmar Transfer"},
        {{"DOR", "SR;Selmar;Selmar Transfer"}, true, "DOR|oldCode|oldName|oldProgram"}, // three ";" needed
    };
    for (const auto& [lines, fails, fields] : cases) {
        KonfiFields f{"old", "oldCode", "oldName", "oldProgram"};
        EXPECT_EQ(readKonfi(lines, f).has_value(), fails) << fields;
        EXPECT_EQ(QStringList({f.geraet, f.brandCode, f.brandName, f.kpgmname}).join(u'|'), fields);
    }
}

// The brand name and the program name become folders: a name that climbs
// out of them or names a folder of its own refuses its line, and the brand
// lines before it stay read.
TEST(KonfiIni, BrandOrProgramNameWithAPathIsRefused)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SR;../../etc;Transfer;", "../../etc"},
        {"SR;Selmar;..;", ".."},
        {"SR;Selmar/Tools;Transfer;", "Selmar/Tools"},
        {"SR;Selmar;C:\\Windows\\Transfer;", "C:\\Windows\\Transfer"},
        {"SR;Sel..mar;Transfer;", "Sel..mar"},
    };
    for (const auto& [line, name] : cases) {
        KonfiFields f{"old", "oldCode", "oldName", "oldProgram"};
        const ReadFailure failure = readKonfi({"RKS", "XY;Other Co;Other Prog;", line, "ZZ;Late;Late Prog;"}, f);
        ASSERT_TRUE(failure) << line;
        EXPECT_TRUE(failure->startsWith(QStringLiteral("line 3: "))) << failure->toStdString();
        EXPECT_TRUE(failure->contains(u'"' + QString::fromUtf8(name) + u'"')) << failure->toStdString();
        EXPECT_EQ(QStringList({f.geraet, f.brandCode, f.brandName, f.kpgmname}).join(u'|'),
                  "RKS|XY|Other Co|Other Prog")
            << line;
    }
    // Dots inside a name are part of it.
    KonfiFields f;
    EXPECT_FALSE(readKonfi({"RKS", "SR;Selmar A.G.;Transfer 3.0;"}, f));
    EXPECT_EQ(f.brandName, "Selmar A.G.");
    EXPECT_EQ(f.kpgmname, "Transfer 3.0");
}

// ---- Port.ini -----------------------------------------------------------

TEST(PortIni, LeadingNumberGivesPortNumberAndComText)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"   7  ", "7", "COM7"},
        {"007", "7", "COM007"},      // the number as decimal text, the line as read
        {"12abc", "12", "COM12abc"}, // only the leading number counts
        // On a system that names its ports, Port.ini holds the name itself.
        {" ttyUSB0 ", kNumberedPorts ? "0" : "ttyUSB0", kNumberedPorts ? "COMttyUSB0" : "ttyUSB0"},
    };
    for (const auto& [line, portnr, combo] : cases) {
        PortIniFields f;
        EXPECT_FALSE(readPortIni({line}, f)) << line;
        EXPECT_EQ(f.portnr, portnr) << line;
        EXPECT_EQ(f.comboText, combo) << line;
        EXPECT_FALSE(f.askForPort) << line;
    }
}

TEST(PortIni, EmptyLineAsksForAPortAndTheLastLineCounts)
{
    PortIniFields f{"4", "COM4", false};
    EXPECT_FALSE(readPortIni({}, f));
    EXPECT_FALSE(f.askForPort);
    EXPECT_FALSE(readPortIni({"   "}, f));
    EXPECT_TRUE(f.askForPort);
    EXPECT_EQ(f.portnr, "4");
    EXPECT_EQ(f.comboText, "COM4");

    f = {};
    EXPECT_FALSE(readPortIni({"3", "", "15"}, f));
    EXPECT_EQ(f.portnr, "15");
    EXPECT_EQ(f.comboText, "COM15");
    EXPECT_TRUE(f.askForPort);
}

TEST(PortIni, WriterKeepsTheNumberWithoutBlanks)
{
    EXPECT_EQ(writePortIni("12 "), QStringList{"12"});
    EXPECT_EQ(writePortIni("  003"), QStringList{"3"});
    if (!kNumberedPorts) {
        EXPECT_EQ(writePortIni("ttyUSB0"), QStringList{"ttyUSB0"});
    }
}

// ---- Language.ini -------------------------------------------------------

// The first line rounded down; an empty file or text fails and keeps the
// language.
TEST(LanguageIni, FirstLineRoundedDown)
{
    const std::tuple<QStringList, bool, int> cases[] = {
        {{" 1 ", "0", "garbage"}, false, 1}, {{"5"}, false, 5}, {{"1,9"}, false, 1}, {{"1.9"}, false, 1},
        {{"-0.5"}, false, -1}, {{""}, false, 0},
        {{}, true, 7}, {{"English"}, true, 7}, {{"1x"}, true, 7}, {{"1.2.3"}, true, 7},
    };
    for (const auto& [lines, fails, expected] : cases) {
        int index = 7;
        EXPECT_EQ(readLanguageIni(lines, index).has_value(), fails) << lines.value(0).toStdString();
        EXPECT_EQ(index, expected) << lines.value(0).toStdString();
    }
}

TEST(LanguageIni, AboveOneIsEnglishAndBelowZeroGerman)
{
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 1}, {32767, 1}, {-1, 0}, {-32768, 0}};
    for (const auto& [stored, expected] : cases) EXPECT_EQ(clampLanguage(stored), expected) << stored;
}

} // namespace
