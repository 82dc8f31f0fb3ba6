// The language tables and the phrase catalogue.

#include "QtPrinters.h"
#include "texts/Texte.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

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

// The entry of an old number, as a key cast from it reads it.
template <typename Key>
QString entry(const Texte& texte, int number)
{
    return texte.text(Key(number));
}

// Spot checks of texts with their odd blanks: they are padded so that
// reports and the statistics list line up.
TEST_F(TexteTest, TextsWithTheirBlanksInBothLanguages)
{
    const std::tuple<QString (*)(const Texte&, int), int, const char*, const char*> texts[] = {
        {&entry<Menu>, 55, "Nicht Verbunden", "not connected"},
        {&entry<Msg>, 3, "Geräte-Schnittstelle eingeben :", "Enter COM-Port of device :"},
        {&entry<Stat>, 7, " Statistik nicht möglich,", " Statistics not possible"},
        {&entry<Stat>, 9, " Messeinheiten ", " measurement units"},
        {&entry<Stat>, 10, "Sollwert    ", "Target value"},
        {&entry<Stat>, 11, "  mit Absolutwerten", "  with absolute values"},
    };
    for (const auto& [table, index, german, english] : texts) {
        texte.languageIndex = kGerman;
        EXPECT_EQ(table(texte, index), german) << index;
        texte.languageIndex = kEnglish;
        EXPECT_EQ(table(texte, index), english) << index;
    }
}

TEST_F(TexteTest, EntryFourteenIsTheTitleAndAnyIndexButGermanReadsEnglish)
{
    for (int language : {kGerman, kEnglish}) {
        texte.languageIndex = language;
        EXPECT_EQ(entry<Msg>(texte, 14), kTitle);
    }
    for (int language : {2, -1}) {
        texte.languageIndex = language;
        EXPECT_EQ(entry<Msg>(texte, 0), "No.") << language;
        EXPECT_EQ(entry<Menu>(texte, 30), "Language") << language;
    }
}

TEST_F(TexteTest, UnlistedAndOutOfRangeEntriesAreEmpty)
{
    for (int language : {kGerman, kEnglish}) {
        texte.languageIndex = language;
        for (int index : {-1, 6, 61}) EXPECT_TRUE(entry<Menu>(texte, index).isEmpty()) << index;
        for (int index : {-1, 57, 61}) EXPECT_TRUE(entry<Msg>(texte, index).isEmpty()) << index;
        for (int index : {-1, 0, 14, 21}) EXPECT_TRUE(entry<Stat>(texte, index).isEmpty()) << index;
    }
}

// The named keys: each stands for its old number, in both languages, as
// the tables give it and as the functions given the language give it.
template <typename Key>
struct Keyed {
    Key key;
    int number;
    const char* german;
    const char* english;
};

template <typename Key>
void expectKeysGiveTheirEntries(Texte& texte, const std::vector<Keyed<Key>>& keys)
{
    for (const auto& [key, number, german, english] : keys) {
        EXPECT_EQ(int(key), number);
        for (const auto& [language, expected] : {std::pair(kGerman, german), std::pair(kEnglish, english)}) {
            texte.languageIndex = language;
            EXPECT_EQ(texte.text(key), QString::fromUtf8(expected)) << number;
            EXPECT_EQ(texte.text(key), entry<Key>(texte, number)) << number;
            EXPECT_EQ(tableText(key, language == kGerman), QString::fromUtf8(expected)) << number;
        }
    }
}

TEST_F(TexteTest, KeysGiveTheEntryOfTheirNumber)
{
    expectKeysGiveTheirEntries<Menu>(texte,
                                     {{Menu::Datei, 0, "Datei", "File"},
                                      {Menu::DateiOeffnen, 1, "Datei öffnen", "Open Data File"},
                                      {Menu::Deutsch, 32, "Deutsch", "German"},
                                      {Menu::Verbunden, 53, "Verbunden", "Connected"},
                                      {Menu::NichtVerbunden, 55, "Nicht Verbunden", "not connected"}});
    expectKeysGiveTheirEntries<Msg>(
        texte,
        {{Msg::Nr, 0, "Nr.", "No."},
         {Msg::SchnittstelleEingeben, 3, "Geräte-Schnittstelle eingeben :", "Enter COM-Port of device :"},
         {Msg::NfeSpeicher2, 12, "NFE-Speicher", "NFE-Memory"},
         {Msg::FeSpeicher1, 15, "FE-Speicher1", "FE-Memory1"},
         {Msg::PortAuswaehlen, 24, "Bitte COM-Port auswählern", "Please select COM-Port"},
         {Msg::MaximaleAnzahlUeberschritten, 53, "Maximale Werteanzahl überschritten", "Maximal number of data exceeded"},
         {Msg::Weiter, 56, "Weiter", "Continue"}});
    expectKeysGiveTheirEntries<Stat>(texte,
                                     {{Stat::Anzahl, 1, "Anzahl", "Number"},
                                      {Stat::NichtMoeglich, 7, " Statistik nicht möglich,", " Statistics not possible"},
                                      {Stat::Sollwert, 10, "Sollwert    ", "Target value"},
                                      {Stat::Daten, 13, "Daten", "Data"}});
}

// Every entry has a key and every key an entry: a key on a wrong number
// reads a gap, and an entry added without a key leaves the count short.
TEST_F(TexteTest, EveryEntryHasAKey)
{
    const Menu menus[] = {Menu::Datei, Menu::DateiOeffnen, Menu::InDateiSpeichern, Menu::Drucken,
                          Menu::ProgrammBeenden, Menu::Programmende, Menu::Schnittstelle,
                          Menu::SchnittstelleWaehlen, Menu::Datenuebertragung, Menu::VomGeraetEinlesen,
                          Menu::Sprache, Menu::Englisch, Menu::Deutsch, Menu::Hilfe, Menu::Info,
                          Menu::Bedienungsanleitung, Menu::Speichern, Menu::Loeschen, Menu::Verbinden,
                          Menu::Verbunden, Menu::NichtVerbunden};
    const Msg messages[] = {
        Msg::Nr, Msg::Messwert, Msg::Messeinheit, Msg::SchnittstelleEingeben, Msg::KeineDateiAusgewaehlt,
        Msg::GueltigenPortWaehlen, Msg::FeSpeicher, Msg::NfeSpeicher, Msg::Online, Msg::InClipboardKopieren,
        Msg::Statistik, Msg::FeSpeicher2, Msg::NfeSpeicher2, Msg::BitteWarten, Msg::Titel, Msg::FeSpeicher1,
        Msg::Datum, Msg::Fertig, Msg::FeSpeicherLeer, Msg::NfeSpeicherLeer, Msg::Messwerte, Msg::Befehle,
        Msg::GeraeteinfoFehler, Msg::DatenKopierenNach, Msg::PortAuswaehlen, Msg::NurZahlen,
        Msg::FalscherTabellentyp, Msg::Speicher1Leer, Msg::Speicher2Leer, Msg::GeraetNichtVerfuegbar,
        Msg::SpeicherEinlesen, Msg::KeinPortVerfuegbar, Msg::Speicher, Msg::SpeicherIstLeer,
        Msg::KeinEintragAusgewaehlt, Msg::MinimumUeberMaximum, Msg::SollwertAusserhalb, Msg::GeraetespeicherBleibt,
        Msg::Projektdaten, Msg::Grenzwerte, Msg::ZeileLoeschen, Msg::TabelleLoeschen, Msg::Bereit, Msg::Geraet,
        Msg::GeraeteSoftwareVersion, Msg::Sollwert, Msg::DatumUhrzeit, Msg::SpeicherLeer, Msg::BitteTabelleLoeschen,
        Msg::ExcelMitChart, Msg::TabelleWirklichLoeschen, Msg::ZeileWirklichLoeschen, Msg::NurPositiveWerte,
        Msg::MaximaleAnzahlUeberschritten, Msg::NurEineZeile, Msg::Stopp, Msg::Weiter};
    const Stat stats[] = {Stat::Anzahl,        Stat::Maximum,        Stat::Minimum,       Stat::Mittelwert,
                          Stat::StdAbweichung, Stat::Statistik,      Stat::NichtMoeglich, Stat::DaVerschiedene,
                          Stat::Messeinheiten, Stat::Sollwert,       Stat::MitAbsolutwerten, Stat::LinieBalken,
                          Stat::Daten};
    const auto entries = [&](QString (*numbered)(const Texte&, int), int size) {
        int n = 0;
        for (int i = 0; i < size; ++i) n += numbered(texte, i).isEmpty() ? 0 : 1;
        return n;
    };
    for (int language : {kGerman, kEnglish}) {
        texte.languageIndex = language;
        for (Menu key : menus) EXPECT_FALSE(texte.text(key).isEmpty()) << int(key);
        for (Msg key : messages) EXPECT_FALSE(texte.text(key).isEmpty()) << int(key);
        for (Stat key : stats) EXPECT_FALSE(texte.text(key).isEmpty()) << int(key);
        EXPECT_EQ(entries(&entry<Menu>, Texte::kMenuEntries), int(std::size(menus)));
        EXPECT_EQ(entries(&entry<Msg>, Texte::kMessageEntries), int(std::size(messages)));
        EXPECT_EQ(entries(&entry<Stat>, Texte::kStatEntries), int(std::size(stats)));
    }
    EXPECT_EQ(texte.text(Msg::Titel), kTitle);
    EXPECT_TRUE(tableText(Msg::Titel, true).isEmpty()); // only the running program knows its title
}

std::vector<Phrase> allPhrases()
{
    std::vector<Phrase> keys;
    for (int i = 0; i < int(Phrase::Count); ++i) keys.push_back(Phrase(i));
    return keys;
}

// One key a text: a pair written twice would be two keys for one text.
TEST(PhrasesTest, EveryPhraseHasBothTextsAndNoPairIsTwice)
{
    std::map<std::pair<QString, QString>, int> seen;
    for (Phrase key : allPhrases()) {
        const QString german = phrase(key, true);
        const QString english = phrase(key, false);
        EXPECT_FALSE(german.isEmpty()) << int(key);
        EXPECT_FALSE(english.isEmpty()) << int(key);
        const auto [at, fresh] = seen.emplace(std::pair(german, english), int(key));
        EXPECT_TRUE(fresh) << int(key) << " repeats " << at->second << ": " << german.toStdString();
    }
    EXPECT_TRUE(phrase(Phrase::Count, true).isEmpty());
}

// A text the numbered tables have is asked for by its key there, not
// written again as a phrase.
TEST_F(TexteTest, NoPhraseRepeatsAnEntryOfTheTables)
{
    std::map<std::pair<QString, QString>, QString> entries;
    const auto collect = [&](auto keyOf, int size, const char* table) {
        for (int i = 0; i < size; ++i) {
            const auto key = keyOf(i);
            const QString german = tableText(key, true);
            if (german.isEmpty()) continue;
            entries.emplace(std::pair(german, tableText(key, false)), table + QString::number(i));
        }
    };
    collect([](int i) { return Menu(i); }, Texte::kMenuEntries, "Menu ");
    collect([](int i) { return Msg(i); }, Texte::kMessageEntries, "Msg ");
    collect([](int i) { return Stat(i); }, Texte::kStatEntries, "Stat ");
    for (Phrase key : allPhrases()) {
        const auto at = entries.find(std::pair(phrase(key, true), phrase(key, false)));
        EXPECT_TRUE(at == entries.end()) << int(key) << " repeats " << at->second.toStdString();
    }
}

// The windows' texts with what is easily lost in an edit: the trailing
// blank or line break the caller appends to, the typographic quotes and
// dashes, the Alt key's "&".
TEST(PhrasesTest, WindowTextsKeepTheirEdges)
{
    const std::tuple<Phrase, bool, const char16_t*> texts[] = {
        {Phrase::ManualNotFound, false, u"File %1 not found "},
        {Phrase::ExportNotOpened, true, u"Kein Programm hat die Datei ge\u00f6ffnet. Sie wurde gespeichert unter:\n"},
        {Phrase::ManualNotOpened, false, u"No program opened the file. It is at:\n"},
        {Phrase::PrintingFailed, true, u"Drucken nicht m\u00f6glich: "},
        {Phrase::FileSaved, false, u"Saved: "},
        {Phrase::NoAnswerAppended, true, u" \u2013 das Ger\u00e4t hat nicht geantwortet."},
        {Phrase::WaitingForGauge, false, u"Waiting for the gauge \u2013 Esc cancels"},
        {Phrase::MenuAcceptanceCheck, true, u"Abnahmepr\u00fcfung\u2026"},
        {Phrase::MenuCsvExport, false, u"Export as &CSV\u2026"},
        {Phrase::CopyButton, false, u"C&opy"},
        {Phrase::CharacterNotStorable, true,
         u"\u201e%1\u201c kann nicht gespeichert werden: nur Zeichen des westeurop\u00e4ischen Zeichensatzes "
         u"(Windows-1252) sind m\u00f6glich."},
        {Phrase::CharacterNotStorable, false,
         u"\u201c%1\u201d cannot be saved: only characters of the Western European character set (Windows-1252) "
         u"can be entered."},
    };
    for (const auto& [key, german, expected] : texts)
        EXPECT_EQ(phrase(key, german), QString::fromUtf16(expected)) << int(key);
}

// The typographic characters come out as the characters, not as their
// UTF-8 bytes read one by one.
TEST(PhrasesTest, TypographicCharactersComeOutWhole)
{
    const std::tuple<Phrase, bool, const char16_t*> texts[] = {
        {Phrase::CliCancelled, true, u"Abgebrochen \u2013 es wurde nichts geschrieben."},
        {Phrase::CliCancelled, false, u"Cancelled \u2013 nothing was written."},
        {Phrase::MeanAtLeastNominal, false, u"Mean \u2265 %1 \u00b5m: %2 \u00b5m"},
        {Phrase::AllAtMostMaximum, true, u"Jeder Wert \u2264 H\u00f6chstwert %1 \u00b5m: gr\u00f6\u00dfter %2 \u00b5m"},
        {Phrase::ModelsGaugeCodes, true, u"GER\u00c4TECODES"},
        {Phrase::NotARegularFile, true, u"keine gew\u00f6hnliche Datei"},
    };
    for (const auto& [key, german, expected] : texts)
        EXPECT_EQ(phrase(key, german), QString::fromUtf16(expected)) << int(key);
}

TEST_F(TexteTest, SayPicksThePhraseOfTheLanguage)
{
    const std::pair<int, const char*> languages[] = {
        {kGerman, "%1 ist nicht vorhanden."}, {kEnglish, "%1 does not exist."}, {2, "%1 does not exist."}};
    for (const auto& [language, expected] : languages) {
        texte.languageIndex = language;
        EXPECT_EQ(texte.say(Phrase::PortMissing), expected) << language;
    }
}

} // namespace
