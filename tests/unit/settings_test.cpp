// The settings subsystem without a window: where the files are, which are
// made on first use, and what a failure says.

#include "QtPrinters.h"
#include "settings/Settings.h"
#include "settings/TextFile.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <limits>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        for (const char* name : {"program", "app", "mess"}) QDir(root.path()).mkpath(QString::fromLatin1(name));
        settings.setFolders(dir("program"), dir("app"), dir("mess"));
    }
    QString dir(const char* name) const { return QDir(root.path()).filePath(QString::fromLatin1(name)); }

    QTemporaryDir root;
    Settings settings;
};

TEST_F(SettingsTest, FilesAreMadeOnFirstUseExceptTheInstallations)
{
    KonfiFields konfi;
    const SettingsOutcome missing = settings.readKonfi(konfi);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->errortext, u"Probleme beim Lesen Datei Konfi.ini: ");
    EXPECT_FALSE(QFileInfo::exists(dir("program") + QStringLiteral("/Konfi.ini")));

    int language = 7;
    EXPECT_FALSE(settings.readLanguage(language));
    EXPECT_EQ(language, 0);
    EXPECT_EQ(readTextLines(dir("app") + QStringLiteral("/Language.ini")), QStringList({"0"}));

    ProjectCaptions captions;
    EXPECT_FALSE(settings.readProjectCaptions(0, captions));
    EXPECT_TRUE(QFileInfo::exists(dir("mess") + QStringLiteral("/Projekt.ini")));
}

TEST_F(SettingsTest, ValuesGoThereAndBack)
{
    EXPECT_FALSE(settings.writePort(QStringLiteral("/dev/ttyUSB0")));
    PortIniFields port;
    EXPECT_FALSE(settings.readPort(port));
    EXPECT_EQ(port.portnr, u"/dev/ttyUSB0");

    const QLocale german(QLocale::German, QLocale::Germany);
    LimitFields limits;
    limits.Emin = 10.5;
    limits.Emax = 120;
    EXPECT_FALSE(settings.writeLimits(limits, german));
    LimitFields read;
    EXPECT_FALSE(settings.readLimits(read, german));
    EXPECT_EQ(read.Emin, 10.5);
    EXPECT_EQ(read.EminStr, u"10,5");
}

// Nothing the reader would refuse or read otherwise is ever written: the
// old file stays and the failure says why.
TEST_F(SettingsTest, WhatAFileCannotHoldIsNotWritten)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QString limitIni = settings.path(QStringLiteral("LS"));
    ASSERT_FALSE(settings.writeLimits({10, 50, 0, {}, {}, {}}, german));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const LimitFields& limits :
         {LimitFields{nan, 50, 0, {}, {}, {}}, LimitFields{10, -inf, 0, {}, {}, {}}, LimitFields{10, 50, inf, {}, {}, {}}}) {
        const SettingsOutcome refused = settings.writeLimits(limits, german);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->errortext, u"Probleme beim Schreiben Datei Limit.ini: ");
        EXPECT_EQ(readTextLines(limitIni), QStringList{"10;50;0;"});
    }

    const QString projektdaten = settings.path(QStringLiteral("PS"));
    const ProjectData good{{"Kunde µ", "", "", "", "", ""}, QDate(2026, 1, 2), QTime(3, 4)};
    ASSERT_FALSE(settings.writeProjectData(good));
    const QStringList before = *readTextLines(projektdaten);
    settings.setLanguage(1);
    for (const char* text : {"Łódź", "Kunde 東京", "two\nlines", "cr\rhere"}) {
        ProjectData data = good;
        data.felder[2] = QString::fromUtf8(text);
        const SettingsOutcome refused = settings.writeProjectData(data);
        ASSERT_TRUE(refused) << text;
        EXPECT_EQ(refused->errortext, u"problems writing file  Datei Projektdaten.ini: ");
        EXPECT_TRUE(refused->reason.startsWith(u"line 3: ")) << refused->reason.toStdString();
        EXPECT_EQ(readTextLines(projektdaten), before) << text;
    }
}

// A file past the bound is refused whole, in the interface language, and
// no field takes anything from it.
TEST_F(SettingsTest, AFileOverTheBoundIsRefusedWhole)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QByteArray padding = QByteArray(kMaxTextFileBytes, ' ') + "\r\n";
    struct Case {
        const char* aktion;
        QByteArray last; // the line a partial read would have taken
        std::function<SettingsOutcome(bool& untouched)> read;
    };
    const Case cases[] = {
        {"KL", "SR;Selmar AG;Selmar Transfer;", [&](bool& untouched) {
             KonfiFields f{"old", "", "Brenvor", ""};
             const SettingsOutcome o = settings.readKonfi(f);
             untouched = f.geraet == u"old" && f.brandCode.isEmpty() && f.brandName == u"Brenvor";
             return o;
         }},
        {"CL", "7", [&](bool& untouched) {
             PortIniFields f{"3", "COM3", false};
             const SettingsOutcome o = settings.readPort(f);
             untouched = f.portnr == u"3" && f.comboText == u"COM3" && !f.askForPort;
             return o;
         }},
        {"LL", "1;2;3;", [&](bool& untouched) {
             LimitFields f{10, 20, 15, "10", "20", "15"};
             const SettingsOutcome o = settings.readLimits(f, german);
             untouched = f.Emin == 10 && f.Emax == 20 && f.Esoll == 15 && f.EminStr == u"10";
             return o;
         }},
    };
    for (int language : {0, 1}) {
        settings.setLanguage(language);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.aktion) + (language ? " English" : " German"));
            const QString path = settings.path(QString::fromLatin1(c.aktion));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("RKS\r\n" + padding + c.last + "\r\n");
            file.close();
            bool untouched = false;
            const SettingsOutcome outcome = c.read(untouched);
            ASSERT_TRUE(outcome);
            EXPECT_EQ(outcome->errortext, settingsErrorText(QString::fromLatin1(c.aktion), language));
            EXPECT_TRUE(outcome->reason.endsWith(language == 0 ? u"ist zu groß" : u"is too large"))
                << outcome->reason.toStdString();
            EXPECT_TRUE(outcome->reason.contains(QFileInfo(path).fileName())) << outcome->reason.toStdString();
            EXPECT_TRUE(untouched);
        }
    }
}

TEST_F(SettingsTest, AFailureSaysWhichFileAndWhy)
{
    ASSERT_TRUE(writeTextLines(dir("app") + QStringLiteral("/Limit.ini"), {"1;zwei;3;"}));
    settings.setLanguage(1);
    LimitFields limits;
    const SettingsOutcome bad = settings.readLimits(limits, QLocale::c());
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->errortext, u"problems reading file  Limit.ini: ");
    EXPECT_TRUE(bad->reason.contains(u"zwei"));
    EXPECT_EQ(limits.Emin, 1); // read before the bad field

    QDir(dir("app")).removeRecursively();
    const SettingsOutcome unwritable = settings.writeLanguage(1);
    ASSERT_TRUE(unwritable);
    EXPECT_FALSE(unwritable->reason.isEmpty());
}

} // namespace

namespace {

// Bad files in place of each settings file: empty, binary, UTF-16, a
// hundred megabytes, a line of a megabyte. Each reader ends, and where it
// cannot use the file it says which file and why.
struct BadContent {
    const char* kind;
    QByteArray bytes;
};

std::vector<BadContent> badContents()
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) binary += char((i * 151 + 7) % 256);
    const QString text = QStringLiteral("1;2;3;\r\n");
    QByteArray big;
    big.reserve(100 << 20);
    while (big.size() < (100 << 20)) big += "12;ab;\xB5;\r\n";
    return {{"empty", {}},
            {"binary", binary},
            {"UTF-16", QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)},
            {"100 MB", big},
            {"1 MB line", QByteArray(1 << 20, '9') + "\r\n"}};
}

} // namespace

TEST_F(SettingsTest, BadFilesAreReadWithinBoundsAndNamedWhenRefused)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const std::vector<std::pair<const char*, std::function<SettingsOutcome()>>> readers = {
        {"KL", [&] { KonfiFields f; return settings.readKonfi(f); }},
        {"CL", [&] { PortIniFields f; return settings.readPort(f); }},
        {"LL", [&] { LimitFields f; return settings.readLimits(f, german); }},
        {"SL", [&] { int language = 0; return settings.readLanguage(language); }},
        {"PI", [&] { ProjectCaptions c; return settings.readProjectCaptions(0, c); }},
        {"PL", [&] { ProjectData d; return settings.readProjectData(d); }},
    };
    for (const BadContent& bad : badContents()) {
        for (const auto& [aktion, read] : readers) {
            SCOPED_TRACE(std::string(aktion) + " " + bad.kind);
            const QString path = settings.path(QString::fromLatin1(aktion));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(bad.bytes), bad.bytes.size());
            file.close();
            const SettingsOutcome outcome = read();
            if (outcome) {
                EXPECT_TRUE(outcome->errortext.contains(QFileInfo(path).fileName())) << outcome->errortext.toStdString();
                EXPECT_FALSE(outcome->reason.isEmpty());
            }
            // Reading leaves the file as it was.
            EXPECT_EQ(QFileInfo(path).size(), bad.bytes.size());
        }
    }
}
