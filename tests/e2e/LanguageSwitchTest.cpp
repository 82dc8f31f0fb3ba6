// Switching the user interface between German and English from the
// Language menu: captions, grid heading, tick marks, project labels, the
// limits button and the stored choice.

#include "DriveSession.h"
#include "ProjectVersion.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kivo::e2e;

namespace {

const QByteArray kRks = "RKS\r\n";
const QString kBrand = QStringLiteral("Brenvor");
const QString kSivar = QStringLiteral("RK-SIVAR RIDIVORI");

// Captions the language switch rewrites: control, German, English.
struct Caption {
    const char* control;
    const char* german;
    const char* english;
};

const Caption kCaptions[] = {
    {"mnuDatei", "Datei", "File"},
    {"cmdOpen", "Datei öffnen", "Open Data File"},
    {"cmdSave", "In Datei speichern", "Save to File"},
    {"cmdprint", "Drucken", "Print"},
    {"mnuEnd", "Programm beenden", "Exit Program"},
    {"cmdEnde", "Programmende", "Exit program"},
    {"Language", "Sprache", "Language"},
    {"English", "Englisch", "English"},
    {"German", "Deutsch", "German"},
    {"mnuHelp", "Hilfe", "Help"},
    {"mnuInfo", "Info", "Info"},
    {"mnuHelp1", "Bedienungsanleitung", "Manual"},
    {"cmdProjekt", "Projektdaten", "Project data"},
    {"cmdLesen", "Speicher einlesen", "Read Storage"},
    {"cmdFlexZeileLoeschen", "Zeile löschen", "Delete row"},
    {"cmdFlexTabelleloeschen", "Tabelle löschen", "Delete Tab"},
    {"txtWait", "Bitte warten....", "Please wait...."},
    {"txtSpeicher", "BEREIT", "READY"},
    {"cmdStop", "Stopp", "Stop"},
    {"Frame3", "Messwerte", "Data"},
    {"Frame1", "Befehle", "Commands"},
    {"Frame4", "Daten kopieren nach", "Copy data to"},
};

// Captions that are the same in both languages.
const char* const kFixedCaptions[][2] = {
    {"cmdClipboard", "Clipboard"}, {"cmdWord", "MS Word"}, {"cmdExcel", "MS Excel"}, {"cmdSort", "Sort"},
    {"cmdChart", "Chart"},         {"cmdAbs", "+/-"},      {"cmdGross", "<=>"},     {"Frame2", "Com-Port"},
    {"Frame6", "Tabelle"},         {"Frame5", "Brenvor GmbH"}, {"optOnline", "Online"},
};

// With all limits 0 the German limits button shows the three limit lines.
const QString kZeroLimitsCaption = QStringLiteral(">      0\r\n<      0\r\n=      0");

void expectLanguage(const Dump& dump, bool english)
{
    for (const Caption& c : kCaptions) {
        const QString name = QString::fromLatin1(c.control);
        ASSERT_TRUE(dump.has(name)) << c.control;
        EXPECT_EQ(dump.text(name), QString::fromUtf8(english ? c.english : c.german)) << c.control;
    }
    for (const auto& fixed : kFixedCaptions)
        EXPECT_EQ(dump.text(QString::fromLatin1(fixed[0])), QString::fromLatin1(fixed[1])) << fixed[0];
    const QStringList heading = dump.gridRows().value(0).mid(1);
    EXPECT_EQ(heading, english ? QStringList({QStringLiteral("No."), QStringLiteral("Value"), QStringLiteral("Unit")})
                               : QStringList({QStringLiteral("Nr."), QStringLiteral("Messwert"),
                                              QStringLiteral("Messeinheit")}));
    EXPECT_EQ(dump.checked(QStringLiteral("English")), english);
    EXPECT_EQ(dump.checked(QStringLiteral("German")), !english);
    // The limits button keeps its lines in both languages; its name is the tooltip.
    EXPECT_EQ(dump.text(QStringLiteral("cmdWerte")), kZeroLimitsCaption);
    EXPECT_EQ(dump.tooltip(QStringLiteral("cmdWerte")), english ? QStringLiteral("Limits") : QStringLiteral("Grenzwerte"));
    EXPECT_EQ(dump.tooltip(QStringLiteral("cmdAbs")),
              english ? QStringLiteral("Absolute values: on") : QStringLiteral("Absolutwerte: ein"));
    EXPECT_TRUE(dump.checked(QStringLiteral("cmdAbs")));
    EXPECT_TRUE(dump.messages().isEmpty());
}

class LanguageSwitch : public testing::Test {
protected:
    QString settingsFile(const QString& name) const { return QDir(session.appDataPath(kBrand, kSivar)).filePath(name); }
    QByteArray languageIni() const { return DriveSession::readFile(settingsFile(QStringLiteral("Language.ini"))); }

    void SetUp() override
    {
        // Project captions, German and English; "Prüfer" in Windows-1252.
        DriveSession::writeFile(QDir(session.messDataPath(kBrand, kSivar)).filePath(QStringLiteral("Projekt.ini")),
                                "# captions of the project fields\r\nKunde;Customer;\r\nPr\xfc" "fer;Inspector;\r\n");
        // Limits are read on connecting; before that they are all 0.
        DriveSession::writeFile(settingsFile(QStringLiteral("Limit.ini")), "10;20;15;\r\n");
    }

    // A switch lets the event loop run while it re-captions, and the driver's
    // next command would run right there; a short pause after every click
    // lets the dump see the switch finished.
    DriveResult play(const QString& script) const
    {
        DriveResult result = session.run(script);
        EXPECT_TRUE(result.endedInTime) << result.errors.toStdString();
        EXPECT_EQ(result.exitCode, 0);
        return result;
    }

    void expectProjectLabels(const Dump& dump, const QString& first, const QString& second) const
    {
        EXPECT_EQ(dump.text(QStringLiteral("frmProjekt.lblFelder(1)")), first);
        EXPECT_EQ(dump.text(QStringLiteral("frmProjekt.lblFelder(2)")), second);
    }

    DriveSession session{kRks};
};

TEST_F(LanguageSwitch, ToEnglishAndBack)
{
    const DriveResult result = play(QStringLiteral("start\nclick English\nwait-ms 300\ndump\n"
                                                   "click German\nwait-ms 300\ndump\n"));
    ASSERT_EQ(result.dumps.size(), 2);
    {
        SCOPED_TRACE("English");
        expectLanguage(result.dumps[0], true);
        expectProjectLabels(result.dumps[0], QStringLiteral("Customer"), QStringLiteral("Inspector"));
    }
    {
        SCOPED_TRACE("German");
        expectLanguage(result.dumps[1], false);
        expectProjectLabels(result.dumps[1], QStringLiteral("Kunde"), QStringLiteral("Prüfer"));
    }
    EXPECT_EQ(languageIni(), QByteArray("0\r\n"));
}

TEST_F(LanguageSwitch, EnglishIsStored)
{
    const DriveResult result = play(QStringLiteral("start\nclick English\nwait-ms 300\ndump\n"));
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(languageIni(), QByteArray("1\r\n"));
    EXPECT_EQ(result.dumps[0].title(), QStringLiteral("RK-SIVAR RIDIVORI ") + titleVersion());
}

TEST_F(LanguageSwitch, EnglishStartSwitchesToGerman)
{
    DriveSession::writeFile(settingsFile(QStringLiteral("Language.ini")), "1\r\n");
    const DriveResult result = play(QStringLiteral("start\ndump\nclick German\nwait-ms 300\ndump\n"));
    ASSERT_EQ(result.dumps.size(), 2);
    // Start-up captions the limits button with its lines and its English name as the tooltip.
    EXPECT_EQ(result.dumps[0].text(QStringLiteral("cmdWerte")), kZeroLimitsCaption);
    EXPECT_EQ(result.dumps[0].tooltip(QStringLiteral("cmdWerte")), QStringLiteral("Limits"));
    EXPECT_TRUE(result.dumps[0].checked(QStringLiteral("English")));
    expectLanguage(result.dumps[1], false);
    expectProjectLabels(result.dumps[1], QStringLiteral("Kunde"), QStringLiteral("Prüfer"));
    EXPECT_EQ(languageIni(), QByteArray("0\r\n"));
}

TEST_F(LanguageSwitch, GermanTwiceGivesTheSameCaptionsAndWritesZeroEachTime)
{
    DriveSession::writeFile(settingsFile(QStringLiteral("Language.ini")), "1\r\n");
    QByteArray afterFirst;
    // Between the two switches the stored choice is spoilt, so the second
    // switch has to write it again.
    const DriveResult result = session.run(
        QStringLiteral("start\nclick German\nwait-ms 300\ndump\nwait-ms 1500\nclick German\nwait-ms 300\ndump\n"),
        [&](int dump) {
            if (dump != 0) return;
            afterFirst = languageIni();
            DriveSession::writeFile(settingsFile(QStringLiteral("Language.ini")), "spoilt\r\n");
        });
    ASSERT_TRUE(result.endedInTime);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_EQ(afterFirst, QByteArray("0\r\n"));
    EXPECT_EQ(languageIni(), QByteArray("0\r\n"));
    expectLanguage(result.dumps[0], false);
    expectLanguage(result.dumps[1], false);
    for (const Caption& c : kCaptions)
        EXPECT_EQ(result.dumps[0].text(QString::fromLatin1(c.control)), result.dumps[1].text(QString::fromLatin1(c.control)))
            << c.control;
}

} // namespace
