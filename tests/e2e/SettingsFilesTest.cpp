// The settings files and the log as the program leaves them after
// start-up, and what it makes of the files a previous run left behind.

#include "DriveSession.h"
#include "ProjectVersion.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kivo::e2e;

namespace {

const QByteArray kRks = "RKS\r\n";
const QString kBrand = QStringLiteral("Brenvor");
const QString kSivar = QStringLiteral("RK-SIVAR RIDIVORI");

class SettingsFiles : public testing::Test {
protected:
    QString settingsFile(const QString& name) const { return QDir(session.appDataPath(kBrand, kSivar)).filePath(name); }
    QString logFile() const { return settingsFile(QStringLiteral("Brenvor_TransferLog.txt")); }
    QStringList logLines() const { return DriveSession::lines(DriveSession::readFile(logFile())); }

    // Starts the program and returns its one dump.
    Dump startUp(const QString& extraScript = QString())
    {
        const DriveResult result = session.run(extraScript + QStringLiteral("start\ndump\n"));
        EXPECT_TRUE(result.endedInTime) << result.errors.toStdString();
        EXPECT_EQ(result.dumps.size(), 1);
        return result.dumps.value(0, Dump(QJsonObject()));
    }

    DriveSession session{kRks};
};

TEST_F(SettingsFiles, LogStartsWithFourLinesNamingTheFolders)
{
    startUp();
    const QByteArray bytes = DriveSession::readFile(logFile());
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "every line ends with CR LF";
    const QStringList log = logLines();
    ASSERT_EQ(log.size(), 4) << bytes.toStdString();
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Logdatei "))) << log[0].toStdString();
    EXPECT_GT(log[0].size(), QStringLiteral("Logdatei ").size());
    EXPECT_EQ(log[1], QStringLiteral("App.Path = ") + QDir::toNativeSeparators(session.programFolder()));
    EXPECT_EQ(log[2], QStringLiteral("AppDataPath = ") + session.appDataPath(kBrand, kSivar));
    EXPECT_EQ(log[3], QStringLiteral("MessDataPath = ") + session.messDataPath(kBrand, kSivar));
}

TEST_F(SettingsFiles, SecondRunEmptiesTheLogFirst)
{
    startUp();
    DriveSession::writeFile(logFile(), DriveSession::readFile(logFile()) + "left over from before\r\n");
    startUp();
    const QStringList log = logLines();
    ASSERT_EQ(log.size(), 4);
    EXPECT_FALSE(log.contains(QStringLiteral("left over from before")));
}

TEST_F(SettingsFiles, LogDateFollowsTheGermanLocale)
{
    const QLocale german(QStringLiteral("de_DE"));
    const QDate before = QDate::currentDate();
    startUp(QStringLiteral("locale de_DE\n"));
    const QDate after = QDate::currentDate();
    const QStringList log = logLines();
    ASSERT_FALSE(log.isEmpty());
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Logdatei (\\S+) (\\d\\d:\\d\\d:\\d\\d)$")).match(log[0]);
    ASSERT_TRUE(m.hasMatch()) << log[0].toStdString();
    const QString date = m.captured(1);
    EXPECT_TRUE(date == german.toString(before, QLocale::ShortFormat)
                || date == german.toString(after, QLocale::ShortFormat))
        << date.toStdString();
}

TEST_F(SettingsFiles, FirstStartCreatesLanguageAndPortFilesOnly)
{
    startUp();
    EXPECT_EQ(DriveSession::readFile(settingsFile(QStringLiteral("Language.ini"))), QByteArray("0\r\n"));
    ASSERT_TRUE(QFileInfo::exists(settingsFile(QStringLiteral("Port.ini"))));
    EXPECT_EQ(QFileInfo(settingsFile(QStringLiteral("Port.ini"))).size(), 0);
    // Limits and project data are read on connecting, not at start-up.
    EXPECT_EQ(QDir(session.appDataPath(kBrand, kSivar)).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("Brenvor_TransferLog.txt"), QStringLiteral("Language.ini"),
                           QStringLiteral("Port.ini")}));
    const QDir messData(session.messDataPath(kBrand, kSivar));
    EXPECT_TRUE(messData.exists());
    EXPECT_TRUE(messData.entryList(QDir::Files).isEmpty());
}

TEST_F(SettingsFiles, StartUpOnlyReadsExistingLanguageAndPortFiles)
{
    DriveSession::writeFile(settingsFile(QStringLiteral("Language.ini")), "1\r\n");
    DriveSession::writeFile(settingsFile(QStringLiteral("Port.ini")), " 7 \r\n");
    startUp();
    EXPECT_EQ(DriveSession::readFile(settingsFile(QStringLiteral("Language.ini"))), QByteArray("1\r\n"));
    EXPECT_EQ(DriveSession::readFile(settingsFile(QStringLiteral("Port.ini"))), QByteArray(" 7 \r\n"));
}

TEST_F(SettingsFiles, MissingKonfiIsReportedAndLogged)
{
    DriveSession bare{std::nullopt};
    const DriveResult result = bare.run(QStringLiteral("start\ndump\n"));
    ASSERT_TRUE(result.endedInTime);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& dump = result.dumps[0];
    EXPECT_EQ(dump.title(), u' ' + titleVersion());
    ASSERT_EQ(dump.messages().size(), 1);
    const QJsonObject message = dump.messages()[0].toObject();
    const QString prefix = QStringLiteral("Probleme beim Lesen Datei Konfi.ini: ");
    EXPECT_TRUE(message.value(u"text").toString().startsWith(prefix)) << message.value(u"text").toString().toStdString();
    EXPECT_GT(message.value(u"text").toString().size(), prefix.size()) << "the reason follows the text";
    // No model has named the program yet: the box carries the name the
    // system knows the program by.
    EXPECT_EQ(message.value(u"caption").toString(), QStringLiteral("kivo-transfer"));
    EXPECT_EQ(message.value(u"buttons").toArray(), QJsonArray({QStringLiteral("OK")}));

    // Without a program name the folders end in the brand folder.
    const QStringList log = DriveSession::lines(
        DriveSession::readFile(bare.appDataPath(kBrand, QString()) + QStringLiteral("Brenvor_TransferLog.txt")));
    ASSERT_EQ(log.size(), 5);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Logdatei ")));
    EXPECT_EQ(log[2], QStringLiteral("AppDataPath = ") + bare.appDataPath(kBrand, QString()));
    EXPECT_EQ(log[4], prefix);
}

// A settings file past the bound is refused whole at start-up, as a
// missing one is: read in part, its last line would count, cut or not.
TEST(SettingsFilePastTheBound, KonfiIsRefusedWhole)
{
    QByteArray konfi = "RKS\r\n";
    while (konfi.size() <= 1024 * 1024) konfi += "#\r\n";
    konfi += "SR;Selmar AG;Selmar Transfer;\r\n";
    DriveSession session{konfi};
    const DriveResult result = session.run(QStringLiteral("start\ndump\n"));
    ASSERT_TRUE(result.endedInTime);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& dump = result.dumps[0];
    // As without a Konfi.ini: no model, no brand line.
    EXPECT_EQ(dump.title(), u' ' + titleVersion());
    EXPECT_EQ(dump.text(QStringLiteral("Frame5")), QStringLiteral("Brenvor GmbH"));
    ASSERT_EQ(dump.messages().size(), 1);
    const QString text = dump.messages()[0].toObject().value(u"text").toString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Probleme beim Lesen Datei Konfi.ini: "))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Konfi.ini ist zu groß"))) << text.toStdString();
    const QStringList log = DriveSession::lines(
        DriveSession::readFile(session.appDataPath(kBrand, QString()) + QStringLiteral("Brenvor_TransferLog.txt")));
    ASSERT_EQ(log.size(), 5);
    EXPECT_EQ(log[4], QStringLiteral("Probleme beim Lesen Datei Konfi.ini: "));
}

TEST_F(SettingsFiles, PortIniPastTheBoundIsRefusedWhole)
{
    // In English: the file's message and its reason follow the language.
    DriveSession::writeFile(settingsFile(QStringLiteral("Language.ini")), "1\r\n");
    QByteArray port = " 5\r\n" + QByteArray(1024 * 1024, ' ') + "\r\n7\r\n";
    DriveSession::writeFile(settingsFile(QStringLiteral("Port.ini")), port);
    const Dump dump = startUp();
    EXPECT_EQ(dump.text(QStringLiteral("ComboPort")), QString());
    ASSERT_EQ(dump.messages().size(), 1);
    const QString text = dump.messages()[0].toObject().value(u"text").toString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("problems reading file Port.ini: "))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Port.ini is too large"))) << text.toStdString();
    EXPECT_EQ(DriveSession::readFile(settingsFile(QStringLiteral("Port.ini"))), port);
}

// Language.ini as a previous run or a hand left it.
enum class Report { None, ReadFailure, EitherWay };

struct LanguageCase {
    const char* name;
    QByteArray content;
    bool english;
    Report report;
};

class LanguageIni : public SettingsFiles, public testing::WithParamInterface<LanguageCase> {};

TEST_P(LanguageIni, SelectsTheStartLanguage)
{
    const LanguageCase& c = GetParam();
    DriveSession::writeFile(settingsFile(QStringLiteral("Language.ini")), c.content);
    const Dump dump = startUp();
    EXPECT_EQ(dump.checked(QStringLiteral("English")), c.english);
    EXPECT_EQ(dump.checked(QStringLiteral("German")), !c.english);
    EXPECT_EQ(dump.text(QStringLiteral("cmdEnde")), c.english ? QStringLiteral("Exit program") : QStringLiteral("Programmende"));
    EXPECT_EQ(dump.gridRows().value(0).value(1), c.english ? QStringLiteral("No.") : QStringLiteral("Nr."));

    const QString prefix = QStringLiteral("Probleme beim Lesen Datei & Language.ini: ");
    if (c.report == Report::EitherWay) return;
    if (c.report == Report::None) {
        EXPECT_TRUE(dump.messages().isEmpty());
        EXPECT_EQ(logLines().size(), 4);
        return;
    }
    ASSERT_EQ(dump.messages().size(), 1);
    const QJsonObject message = dump.messages()[0].toObject();
    EXPECT_TRUE(message.value(u"text").toString().startsWith(prefix)) << message.value(u"text").toString().toStdString();
    EXPECT_EQ(message.value(u"caption").toString(), kSivar);
    EXPECT_EQ(message.value(u"buttons").toArray(), QJsonArray({QStringLiteral("OK")}));
    const QStringList log = logLines();
    ASSERT_EQ(log.size(), 5);
    EXPECT_EQ(log[4], prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Content, LanguageIni,
    testing::Values(LanguageCase{"One", "1\r\n", true, Report::None},
                    LanguageCase{"FiveIsClampedToEnglish", "5\r\n", true, Report::None},
                    LanguageCase{"NegativeIsGerman", "-3\r\n", false, Report::EitherWay},
                    LanguageCase{"EmptyFile", "", false, Report::ReadFailure},
                    LanguageCase{"NotANumber", "abc\r\n", false, Report::ReadFailure}),
    [](const testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsFiles, PortNumberWithBlanksIsShownAsComPort)
{
    DriveSession::writeFile(settingsFile(QStringLiteral("Port.ini")), "  7  \r\n");
    const Dump dump = startUp();
    EXPECT_EQ(dump.text(QStringLiteral("ComboPort")), QStringLiteral("COM7"));
    EXPECT_TRUE(dump.messages().isEmpty());
}

TEST_F(SettingsFiles, PortNameIsShownAsItIs)
{
    DriveSession::writeFile(settingsFile(QStringLiteral("Port.ini")), "ttyUSB0\r\n");
    EXPECT_EQ(startUp().text(QStringLiteral("ComboPort")), QStringLiteral("ttyUSB0"));
}

TEST_F(SettingsFiles, EmptyPortLineAsksForAPort)
{
    DriveSession::writeFile(settingsFile(QStringLiteral("Port.ini")), "\r\n");
    const Dump dump = startUp();
    EXPECT_EQ(dump.text(QStringLiteral("ComboPort")), QString());
    EXPECT_EQ(dump.text(QStringLiteral("txtWait")), QStringLiteral("Bitte COM-Port auswählern"));
    EXPECT_TRUE(dump.messages().isEmpty());
}

} // namespace
