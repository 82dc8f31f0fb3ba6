// How the program ends, and that one installation runs only once per user.

#include "DriveSession.h"
#include "ProjectVersion.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace kivo::e2e;

namespace {

const QByteArray kRks = "RKS\r\n";

TEST(Lifecycle, DisabledEndButtonIsRefused)
{
    const DriveSession session(kRks);
    const DriveResult result = session.run(QStringLiteral("start\nclick cmdEnde\nwait-ms 200\ndump\n"));
    ASSERT_TRUE(result.endedInTime);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.errors.contains(QStringLiteral("click cmdEnde: not available"))) << result.errors.toStdString();
    // The program is still there to be dumped.
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(result.dumps[0].title(), QStringLiteral("RK-SIVAR RIDIVORI ") + titleVersion());
}

TEST(Lifecycle, EndMenuEndsTheProcess)
{
    const DriveSession session(kRks);
    const DriveResult result = session.run(QStringLiteral("start\ndump\nclick mnuEnd\nwait-ms 1000\ndump\n"));
    ASSERT_TRUE(result.endedInTime);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.dumps.size(), 1) << "nothing after the end";
    EXPECT_EQ(result.output.count('\n'), 1);
}

TEST(Lifecycle, ClosingTheWindowEndsTheProcess)
{
    const DriveSession session(kRks);
    const DriveResult result = session.run(QStringLiteral("start\ndump\nclose\nwait-ms 1000\ndump\n"));
    ASSERT_TRUE(result.endedInTime);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.dumps.size(), 1) << "nothing after the end";
}

TEST(Lifecycle, SecondCopyEndsSilently)
{
    const DriveSession session(kRks);
    const QString log = QDir(session.appDataPath(QStringLiteral("Brenvor"), QStringLiteral("RK-SIVAR RIDIVORI")))
                            .filePath(QStringLiteral("Brenvor_TransferLog.txt"));
    const std::unique_ptr<QProcess> first = session.start(QStringLiteral("start\nwait-ms 4000\ndump\n"));

    // The first copy has its start-up log written once it is running.
    QDeadlineTimer started(10000);
    while (DriveSession::lines(DriveSession::readFile(log)).size() < 4 && !started.hasExpired()) QThread::msleep(20);
    ASSERT_EQ(DriveSession::lines(DriveSession::readFile(log)).size(), 4);
    const QByteArray firstLog = DriveSession::readFile(log);

    const DriveResult second = session.run(QStringLiteral("start\ndump\n"), {}, 3000);
    const bool firstStillRunning = first->state() != QProcess::NotRunning;
    const DriveResult firstResult = DriveSession::finish(*first);

    ASSERT_TRUE(firstStillRunning) << "the second copy must meet a running first one";
    EXPECT_TRUE(second.endedInTime);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.output.isEmpty()) << second.output.toStdString();
    // The second copy ends before it touches the log.
    EXPECT_EQ(DriveSession::readFile(log), firstLog);

    ASSERT_TRUE(firstResult.endedInTime);
    EXPECT_EQ(firstResult.exitCode, 0);
    EXPECT_EQ(firstResult.dumps.size(), 1);
}

} // namespace
