// The session takes a gauge's record lines into its tables without a window.

#include "session/GaugeSession.h"
#include "shared/Messart.h"

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

} // namespace
} // namespace kivo
