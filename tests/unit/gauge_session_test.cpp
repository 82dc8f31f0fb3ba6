// The session takes a gauge's record lines into its tables without a window.

#include "QuietSessionView.h"
#include "platform/FakeSerialLink.h"
#include "session/GaugeSession.h"
#include "shared/Messart.h"
#include "table/MeasurementFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kivo {
namespace {

const ModelProfile kZorma{QStringLiteral("3"), QStringLiteral("K"), QStringLiteral("E"), QStringLiteral("2"),
                          QStringLiteral("+")};

// A record line as the gauge writes it: the number right-aligned in 4, two
// blanks, the value right-aligned in 10, a blank, the unit in 4, a blank,
// the material right-aligned in 3.
QString line(int nr, const char* value, const char* unit)
{
    return QStringLiteral("%1  %2 %3 %4").arg(nr, 4).arg(QString::fromLatin1(value), 10).arg(QString::fromUtf8(unit), -4).arg(QStringLiteral("Fe"), 3);
}

TEST(GaugeSession, TakesReadingsAndTellsEachOne)
{
    GaugeSession session;
    std::vector<std::pair<int, int>> told;
    QObject::connect(&session, &GaugeSession::readingTaken, [&](int kind, int slot) { told.push_back({kind, slot}); });
    const QDateTime now(QDate(2026, 12, 8), QTime(10, 0, 1));
    session.tables().ClearRecords(kFE);
    session.tables().setSatznr(1);
    EXPECT_TRUE(session.takeRecordLine(line(1, "12.5", "µm"), kFE, kZorma, now).kept);
    EXPECT_TRUE(session.takeRecordLine(line(2, "13.5", "µm"), kFE, kZorma, now).kept);
    EXPECT_EQ(session.tables().count(kFE), 2);
    EXPECT_DOUBLE_EQ(session.tables().record(kFE, 2).wert, 13.5);
    EXPECT_EQ(session.tables().record(kFE, 1).datum, QStringLiteral("08.12.2026"));
    EXPECT_EQ(session.tables().record(kFE, 1).zeit, QStringLiteral("10:00:01"));
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{kFE, 1}, {kFE, 2}}));
}

// A table emptied behind its rows and filled anew shows the new readings
// only, each once.
TEST(GaugeSession, ATableFilledAnewShowsItsNewRowsOnly)
{
    GaugeSession session;
    const QDateTime now(QDate(2026, 12, 8), QTime(10, 0, 1));
    session.tables().ClearRecords(kFE);
    session.tables().setSatznr(1);
    for (int i = 1; i <= 3; ++i) session.takeRecordLine(line(i, "12.5", "µm"), kFE, kZorma, now);
    session.tables().ClearRecords(kFE);
    session.tables().ResetStatistics();
    for (int i = 1; i <= 2; ++i) session.takeRecordLine(line(i, "13.5", "µm"), kFE, kZorma, now);
    ASSERT_EQ(session.shown().rows(), 2);
    EXPECT_EQ(session.shown().slotAt(0), 1);
    EXPECT_EQ(session.shown().slotAt(1), 2);
}

TEST(GaugeSession, AReadingTheFileCouldNotHoldIsRefused)
{
    GaugeSession session;
    session.tables().ClearRecords(kFE);
    session.tables().setSatznr(1);
    const GaugeSession::Intake intake =
        session.takeRecordLine(line(1, "99999999999", "µm"), kFE, kZorma, QDateTime::currentDateTime());
    EXPECT_FALSE(intake.kept);
    EXPECT_EQ(intake.error, QStringLiteral("6Overflow"));
    EXPECT_EQ(session.tables().count(kFE), 0);
}

using QuietView = testing::QuietSessionView;

// A session of the model `code` with its texts, its folders in `home`.
void prepare(GaugeSession& session, QuietView& view, const QString& code, int language, const QTemporaryDir& home)
{
    session.attach(std::make_unique<FakeSerialLink>(), view);
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    session.settleInstallation(home.filePath(QStringLiteral("program")), KonfiFields{code, {}, {}, {}});
    ASSERT_TRUE(session.setModel(code));
    session.texte().languageIndex = language;
    session.texte().FillMenuTexts();
    session.texte().FillMessageTexts(session.identity().titleText());
}

TEST(GaugeSession, NamesTheMemoriesOfEachLayoutInBothLanguages)
{
    QTemporaryDir home;
    QuietView view;
    GaugeSession session;
    prepare(session, view, QStringLiteral("VX"), kGerman, home);
    ModelProfile profile = session.link().profile();
    const auto names = [&](const char* layout) {
        profile.speicherlayout = QString::fromLatin1(layout);
        session.link().setProfile(profile);
        return QStringList{session.memoryName(kFE), session.memoryName(kNFE), session.statisticsName(kOnline)};
    };
    EXPECT_EQ(names("2N"), (QStringList{QStringLiteral("FE-Speicher"), QStringLiteral("NFE-Speicher"), QStringLiteral("ONLINE")}));
    EXPECT_EQ(names("2"), (QStringList{QStringLiteral("Speicher1"), QStringLiteral("Speicher2"), QStringLiteral("ONLINE")}));
    EXPECT_EQ(names("1"), (QStringList{QStringLiteral("Speicher"), QString(), QStringLiteral("ONLINE")}));
    EXPECT_EQ(names("X"), (QStringList{QString(), QString(), QStringLiteral("ONLINE")}));
    session.texte().languageIndex = 1;
    EXPECT_EQ(names("2N"), (QStringList{QStringLiteral("FE-Memory"), QStringLiteral("NFE-Memory"), QStringLiteral("ONLINE")}));
}

// The report of a table is made from the session alone: the saved project
// data, the statistics counted once, the heading and the readings.
TEST(GaugeSession, TheReportComesFromTheInspection)
{
    QTemporaryDir home;
    QuietView view;
    GaugeSession session;
    prepare(session, view, QStringLiteral("VX"), 1, home);
    ProjectData project;
    project.felder = {QStringLiteral("Bridge 4"), QStringLiteral("Girder; \"A\""), {}, {}, {}, QStringLiteral("J. Doe")};
    project.date = QDate(2026, 3, 1);
    project.time = QTime(9, 30);
    ASSERT_TRUE(session.saveProjectData(project));
    ASSERT_TRUE(session.loadProjectData());
    EXPECT_EQ(session.projectData().felder[1], QStringLiteral("Girder; \"A\""));

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QStringList lines{QStringLiteral("Speicher"), QString(), QStringLiteral("01.02.2024       Nr.      Messwert"), QString()};
    for (int i = 0; i < 3; ++i)
        lines << reportRow({QStringLiteral("10:00:0%1").arg(i), i + 1, 100.0 + 10 * i, QStringLiteral("µm  "), QStringLiteral(" Fe")},
                           english);
    const LoadedFile file = readMeasurementFile(lines, QStringLiteral("2"), kMaxReadings);
    ASSERT_EQ(file.readings.size(), 3u);
    session.link().setMessart(kFE);
    session.takeFile(file);
    session.takeFile(file); // a second file in its place counts its own readings only

    const ReportInput in = session.reportInput(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(in.projectTexts[0], QStringLiteral("Bridge 4"));
    EXPECT_EQ(in.projectTexts[5], QStringLiteral("J. Doe"));
    EXPECT_EQ(in.projectTime, QStringLiteral("09:30"));
    EXPECT_EQ(in.heading[0], QStringLiteral("01.02.2024"));
    ASSERT_EQ(in.rows.size(), 3u);
    EXPECT_DOUBLE_EQ(in.rows[2].wert, 120.0);
    ASSERT_GE(in.statistics.size(), 6);
    EXPECT_TRUE(in.statistics.join(u'|').contains(QStringLiteral("110.0"))) << in.statistics.join(u'|').toStdString();
    EXPECT_EQ(session.tables().statisticsCount(), 3);
    const WorkbookInput book = session.workbookInput(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(book.chartTitle, in.statistics.first());
    EXPECT_EQ(book.rows.size(), 3u);
    EXPECT_TRUE(view.messages.isEmpty()) << view.messages.join(u'|').toStdString();
}

TEST(GaugeSession, ADownloadShortOfTheAnnouncedCountIsSaid)
{
    GaugeSession::MemoryDownload d;
    d.complete = true;
    d.announced = 12;
    d.received = 12;
    EXPECT_FALSE(missingReadingsText(d, true));
    d.received = 10;
    EXPECT_EQ(missingReadingsText(d, true).value_or(QString()),
              QStringLiteral("Das Gerät meldete 12 Messwerte, empfangen wurden nur 10. Bitte den Speicher erneut lesen."));
    d.received = 12;
    d.damaged = 2;
    EXPECT_EQ(missingReadingsText(d, false).value_or(QString()),
              QStringLiteral("The gauge reported 12 readings, 12 arrived; 2 lines were damaged. Please read the memory again."));
    // A dump past the table's size is said elsewhere; an incomplete one is not taken at all.
    d = GaugeSession::MemoryDownload{};
    d.complete = true;
    d.announced = 7000;
    d.received = 5000;
    EXPECT_FALSE(missingReadingsText(d, false));
    d.complete = false;
    d.received = 1;
    EXPECT_FALSE(missingReadingsText(d, false));
}

} // namespace
} // namespace kivo
