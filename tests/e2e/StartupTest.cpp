// What the main window looks like once start-up is over: title, pictures
// and brand for each kind of installation, and which commands an operator
// can use before connecting.

#include "DriveSession.h"
#include "ProjectVersion.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace kivo::e2e;

namespace {

const QByteArray kRks = "RKS\r\n";

struct Installation {
    std::string name;
    QJsonObject expected;
};

std::vector<Installation> loadInstallations()
{
    QFile file(QStringLiteral(KIVO_TEST_DATA_DIR "/e2e/startup_installations.json"));
    std::vector<Installation> result;
    if (!file.open(QIODevice::ReadOnly)) return result;
    const QJsonArray rows = QJsonDocument::fromJson(file.readAll()).object().value(u"installations").toArray();
    for (const QJsonValue& row : rows)
        result.push_back({row.toObject().value(u"name").toString().toStdString(), row.toObject()});
    return result;
}

class StartupInstallation : public testing::TestWithParam<Installation> {};

TEST_P(StartupInstallation, ShowsModelBrandAndFolders)
{
    const QJsonObject want = GetParam().expected;
    const DriveSession session(want.value(u"konfi").toString().toLatin1());
    const DriveResult result = session.run(QStringLiteral("start\ndump\n"));
    ASSERT_TRUE(result.endedInTime) << result.errors.toStdString();
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& dump = result.dumps[0];

    EXPECT_EQ(dump.title(), want.value(u"title").toString().replace(QStringLiteral("{version}"), titleVersion()));
    EXPECT_EQ(dump.text(QStringLiteral("picVX")), want.value(u"picVX").toString());
    EXPECT_EQ(dump.text(QStringLiteral("Frame5")), want.value(u"frame5").toString());
    EXPECT_EQ(dump.text(QStringLiteral("picKivo")), want.value(u"logo").toString());
    // A model code of no model is said, with the Konfi.ini message, as a
    // missing Konfi.ini is; nothing else is.
    const QString message = want.value(u"message").toString();
    if (message.isEmpty()) {
        EXPECT_TRUE(dump.messages().isEmpty());
    } else {
        ASSERT_EQ(dump.messages().size(), 1);
        EXPECT_EQ(dump.messages()[0].toObject().value(u"text").toString(), message);
    }
    if (want.value(u"noPorts").toBool()) {
        EXPECT_TRUE(dump.list(QStringLiteral("ComboPort")).isEmpty());
    }

    // The folders are brand \ program name below the system's folders; an
    // empty program name leaves them ending in a separator.
    const QString brand = want.value(u"brand").toString();
    const QString pgmname = want.value(u"pgmname").toString();
    const QString appData = session.appDataPath(brand, pgmname);
    const QString messData = session.messDataPath(brand, pgmname);
    EXPECT_TRUE(QFileInfo(messData).isDir()) << messData.toStdString();
    const QStringList log =
        DriveSession::lines(DriveSession::readFile(QDir(appData).filePath(QStringLiteral("Brenvor_TransferLog.txt"))));
    ASSERT_EQ(log.size(), message.isEmpty() ? 4 : 5) << appData.toStdString();
    EXPECT_EQ(log[2], QStringLiteral("AppDataPath = ") + appData);
    EXPECT_EQ(log[3], QStringLiteral("MessDataPath = ") + messData);
    if (!message.isEmpty()) {
        EXPECT_EQ(log[4], QStringLiteral("Probleme beim Lesen Datei Konfi.ini: "));
    }
}

INSTANTIATE_TEST_SUITE_P(Konfi, StartupInstallation, testing::ValuesIn(loadInstallations()),
                         [](const testing::TestParamInfo<Installation>& info) { return info.param.name; });

class StartupState : public testing::Test {
protected:
    void SetUp() override
    {
        before = QDate::currentDate();
        result = session.run(QStringLiteral("start\ndump\n"));
        after = QDate::currentDate();
        ASSERT_TRUE(result.endedInTime) << result.errors.toStdString();
        ASSERT_EQ(result.exitCode, 0);
        ASSERT_EQ(result.dumps.size(), 1);
    }
    const Dump& dump() const { return result.dumps[0]; }

    DriveSession session{kRks};
    DriveResult result;
    QDate before, after;
};

TEST_F(StartupState, EveryCommandIsDisabledUntilConnected)
{
    const QStringList commands =
        names({"optNFE", "optFE", "optOnline", "cmdOpen", "cmdSave", "cmdprint", "cmdWord", "cmdClipboard", "cmdExcel",
               "cmdLesNFE", "cmdLesFE", "cmdLesen", "cmdEnde", "cmdWerte", "cmdProjekt", "cmdFlexTabelleloeschen",
               "cmdFlexZeileLoeschen", "cmdSort", "cmdChart", "cmdAbs", "cmdGross"});
    for (const QString& name : commands) {
        ASSERT_TRUE(dump().has(name)) << name.toStdString();
        EXPECT_FALSE(dump().enabled(name)) << name.toStdString();
    }
}

TEST_F(StartupState, PortChoiceConnectAndMenusAreUsable)
{
    for (const QString& name : names({"ComboPort", "cmdConnect"})) EXPECT_TRUE(dump().visible(name)) << name.toStdString();
    // No port listed or saved: Connect waits until the operator chooses one.
    EXPECT_TRUE(dump().enabled(QStringLiteral("ComboPort")));
    EXPECT_EQ(dump().text(QStringLiteral("ComboPort")), QString());
    EXPECT_FALSE(dump().enabled(QStringLiteral("cmdConnect")));
    EXPECT_EQ(dump().text(QStringLiteral("cmdConnect")), QStringLiteral("Connect"));
    for (const QString& name :
         names({"mnuDatei", "mnuEnd", "Language", "English", "German", "mnuHelp", "mnuInfo", "mnuHelp1"})) {
        ASSERT_TRUE(dump().has(name)) << name.toStdString();
        EXPECT_TRUE(dump().enabled(name)) << name.toStdString();
        EXPECT_TRUE(dump().visible(name)) << name.toStdString();
    }
}

TEST_F(StartupState, StatisticsChartAndReadButtonsAreHidden)
{
    for (const QString& name : names({"lstStat", "MSChart1", "cmdChart", "cmdAbs", "cmdGross", "txtMittelwert",
                                      "cmdLesNFE", "cmdLesFE", "cmdLesen", "cmdStop", "picBth", "picUsb"})) {
        ASSERT_TRUE(dump().has(name)) << name.toStdString();
        EXPECT_FALSE(dump().visible(name)) << name.toStdString();
    }
    EXPECT_TRUE(dump().list(QStringLiteral("lstStat")).isEmpty());
}

TEST_F(StartupState, StatusPicturesAndMemoryOptionsAreReady)
{
    EXPECT_TRUE(dump().visible(QStringLiteral("txtSpeicher")));
    EXPECT_EQ(dump().text(QStringLiteral("txtSpeicher")), QStringLiteral("BEREIT"));
    EXPECT_EQ(dump().text(QStringLiteral("txtWait")), QStringLiteral("Bitte gültigen COM-Port wählen !"));
    EXPECT_EQ(dump().text(QStringLiteral("picRahmen")), QStringLiteral("Rahmen.jpg"));
    EXPECT_TRUE(dump().visible(QStringLiteral("picRahmen")));
    EXPECT_TRUE(dump().visible(QStringLiteral("picKivo")));
    EXPECT_EQ(dump().text(QStringLiteral("optFE")), QString());
    EXPECT_EQ(dump().text(QStringLiteral("optNFE")), QString());
    EXPECT_EQ(dump().text(QStringLiteral("optOnline")), QStringLiteral("Online"));
    EXPECT_TRUE(dump().checked(QStringLiteral("German")));
    EXPECT_FALSE(dump().checked(QStringLiteral("English")));
    // The port scan ran to its end before the wait window went away.
    EXPECT_EQ(dump().text(QStringLiteral("frmWait.WaitBar")), QStringLiteral("200"));
    EXPECT_FALSE(dump().visible(QStringLiteral("frmWait.Waitmessage")));
}

TEST_F(StartupState, GridHoldsOnlyTheHeadingRowWithToday)
{
    EXPECT_TRUE(dump().visible(QStringLiteral("MSFlex")));
    const QList<QStringList> rows = dump().gridRows();
    ASSERT_EQ(rows.size(), 1);
    ASSERT_EQ(rows[0].size(), 4);
    const QString format = QStringLiteral("dd.MM.yyyy");
    EXPECT_TRUE(rows[0][0] == before.toString(format) || rows[0][0] == after.toString(format))
        << rows[0][0].toStdString();
    EXPECT_EQ(rows[0].mid(1), (QStringList{QStringLiteral("Nr."), QStringLiteral("Messwert"), QStringLiteral("Messeinheit")}));
}

} // namespace
