// The session's inspections kept in the archive as they happen: a memory
// downloaded over a fake wire, an online session reading by reading, and
// an archive that cannot be reached for a while.

#include "PgCluster.h"
#include "session/ArchiveRecorder.h"
#include "RksSession.h"
#include "session/GaugeSession.h"

#include <QDir>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

class Recording : public kivo::testing::RksSession {
protected:
    Recording() { target.sqlitePath = home.filePath(QStringLiteral("Archiv.sqlite")); }

    // An online line as a line-style gauge sends it.
    static QString line(int nr, const char* value)
    {
        return QStringLiteral("%1  %2 µm      ").arg(nr, 4).arg(QString::fromLatin1(value), 10);
    }

    // An online session begins in an empty online table.
    void beginOnline()
    {
        session.showTable(kOnline);
        session.tables().ClearRecords(kOnline);
        session.tables().setOnlineZaehler(1);
        session.onlineBegins();
    }

    ArchiveTarget target;
};

TEST_F(Recording, AMemoryAndAnOnlineSessionAreKeptAsTheyHappen)
{
    ArchiveRecorder recorder(session, [this] { return std::make_unique<Archive>(target); });
    DeviceLink::Command command(session.link());
    session.link().prepareConnect();
    ASSERT_EQ(session.reachGauge(), GaugeSession::Reach::Answered);
    session.showTable(kFE);
    ASSERT_TRUE(session.downloadMemory().complete);

    beginOnline();
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 1; i <= 2; ++i) {
        ASSERT_TRUE(session.takeRecordLine(line(i, "20.5"), kOnline, session.link().profile(), now).kept);
        session.tables().nextOnlineNumber();
        // Kept before the next reading is taken.
        Archive look(target);
        EXPECT_EQ(look.list(QString(), {}, {}).front().count, i);
    }
    // A reading deleted from the table stays in the archive.
    session.deleteReading(1);
    EXPECT_EQ(recorder.waiting(), 0);

    Archive archive(target);
    const std::vector<InspectionSummary> all = archive.list(QString(), {}, {});
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].source, u"online");
    EXPECT_EQ(all[0].count, 2);
    EXPECT_EQ(all[1].source, u"memory1");
    EXPECT_EQ(all[1].gaugeCode, u"RKS"); // as the identification names it
    EXPECT_EQ(all[1].model, u"RKS");
    EXPECT_EQ(all[1].count, 3);
    const std::optional<Inspection> memory = archive.load(all[1].id);
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->gaugeVersion, u"2.05");
    EXPECT_DOUBLE_EQ(memory->readings[2].value, 12.0);
}

TEST_F(Recording, AnArchiveOutOfReachGetsEveryWriteOnceInOrderWhenItAnswers)
{
    std::atomic<bool> reachable = false; // read by the writer's thread
    ArchiveTarget nowhere;
    nowhere.sqlitePath = home.filePath(QStringLiteral("a-folder"));
    QDir().mkpath(nowhere.sqlitePath); // a folder in the file's place: no archive there
    ArchiveRecorder recorder(session, [&] { return std::make_unique<Archive>(reachable ? target : nowhere); });
    QStringList said;
    QObject::connect(&recorder, &ArchiveRecorder::unreachable, [&](const QString&) { said << "unreachable"; });
    QObject::connect(&recorder, &ArchiveRecorder::reachable, [&] { said << "reachable"; });

    beginOnline();
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 1; i <= 3; ++i) {
        session.takeRecordLine(line(i, "30.0"), kOnline, session.link().profile(), now);
        session.tables().nextOnlineNumber();
    }
    EXPECT_EQ(recorder.waiting(), 4); // the session and its three readings
    EXPECT_EQ(said, QStringList{"unreachable"}); // said once
    EXPECT_FALSE(recorder.flush()); // the timer's try, still out of reach
    EXPECT_EQ(said, QStringList{"unreachable"});
    reachable = true;
    EXPECT_TRUE(recorder.flush());
    EXPECT_TRUE(recorder.flush()); // nothing twice
    EXPECT_EQ(said, (QStringList{"unreachable", "reachable"}));
    Archive archive(target);
    const std::vector<InspectionSummary> all = archive.list(QString(), {}, {});
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].count, 3);
    const std::optional<Inspection> online = archive.load(all[0].id);
    ASSERT_EQ(online->readings.size(), 3u);
    EXPECT_EQ(online->readings[2].seq, 3);
}

// A team archive whose server stops in the middle of an online session
// and starts again: every reading arrives once, in order.
TEST_F(Recording, AServerStoppedMidSessionGetsEveryReadingOnceInOrder)
{
    kivo::testing::PgCluster cluster;
    if (!cluster.ready()) GTEST_SKIP() << cluster.error().toStdString();
    const ArchiveTarget team = *parseArchiveTarget(cluster.line(), QString()).target;
    ArchiveRecorder recorder(session, [&] { return std::make_unique<Archive>(team); });
    beginOnline();
    const QDateTime now = QDateTime::currentDateTime();
    const auto take = [&](int i) {
        session.takeRecordLine(line(i, QByteArray::number(10 + i).constData()), kOnline, session.link().profile(), now);
        session.tables().nextOnlineNumber();
    };
    take(1);
    take(2);
    ASSERT_EQ(recorder.waiting(), 0);
    ASSERT_TRUE(cluster.stop());
    take(3);
    take(4);
    EXPECT_EQ(recorder.waiting(), 2);
    ASSERT_TRUE(cluster.start());
    take(5); // waits behind them, in order
    EXPECT_EQ(recorder.waiting(), 3);
    EXPECT_TRUE(recorder.flush()); // as the retry timer does
    EXPECT_EQ(recorder.waiting(), 0);
    Archive archive(team);
    const std::vector<InspectionSummary> all = archive.list(QString(), {}, {});
    ASSERT_EQ(all.size(), 1u);
    const std::optional<Inspection> online = archive.load(all[0].id);
    ASSERT_EQ(online->readings.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(online->readings[size_t(i)].seq, i + 1);
        EXPECT_DOUBLE_EQ(online->readings[size_t(i)].value, 11.0 + i);
    }
}

// The program ends while the archive is out of reach: what waited is in the
// journal, and the next start sends it, a line cut short left out.
TEST_F(Recording, WhatWaitsWhenTheProgramEndsIsSentAtTheNextStart)
{
    ArchiveTarget nowhere;
    nowhere.sqlitePath = home.filePath(QStringLiteral("a-folder"));
    QDir().mkpath(nowhere.sqlitePath);
    ArchiveJournal journal(home.filePath(QStringLiteral("data/Archiv-wartend.jsonl")));
    {
        ArchiveRecorder recorder(session, [&] { return std::make_unique<Archive>(nowhere); }, journal);
        beginOnline();
        for (int i = 1; i <= 3; ++i) {
            session.takeRecordLine(line(i, "30.25"), kOnline, session.link().profile(), QDateTime::currentDateTime());
            session.tables().nextOnlineNumber();
        }
        EXPECT_EQ(recorder.waiting(), 4);
    }
    ASSERT_EQ(journal.load().size(), 4u);
    {
        QFile f(journal.path());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("{\"uuid\":\"x\",\"reading\":[4,4"); // the end of a write the machine did not finish
    }
    ArchiveRecorder next(session, [&] { return std::make_unique<Archive>(target); }, journal);
    QTRY_COMPARE(next.waiting(), 0);
    EXPECT_FALSE(QFile::exists(journal.path()));
    Archive archive(target);
    const std::vector<InspectionSummary> all = archive.list(QString(), {}, {});
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].count, 3);
    EXPECT_DOUBLE_EQ(archive.load(all[0].id)->readings[2].value, 30.25);
}

// An online session deleted from the archive while it grows, and the
// archive's file removed under the program: the session is kept again
// whole, in the file the archive is now.
TEST_F(Recording, AnOnlineSessionDeletedOrItsFileRemovedIsKeptAgainWhole)
{
    ArchiveRecorder recorder(session, [this] { return std::make_unique<Archive>(target); });
    beginOnline();
    int taken = 0;
    const auto take = [&] {
        ++taken;
        session.takeRecordLine(line(taken, QByteArray::number(20 + taken).constData()), kOnline,
                               session.link().profile(), QDateTime::currentDateTime());
        session.tables().nextOnlineNumber();
    };
    const auto keptReadings = [&]() -> std::vector<ArchivedReading> {
        Archive archive(target);
        const auto all = archive.list(QString(), {}, {});
        if (all.size() != 1) return {};
        return archive.load(all[0].id)->readings;
    };
    take();
    take();
    {
        Archive other(target); // another program deletes it
        ASSERT_TRUE(other.remove(other.list(QString(), {}, {}).at(0).id));
    }
    take();
    EXPECT_EQ(keptReadings().size(), 3u);
    EXPECT_EQ(recorder.recordingUuid().isEmpty(), false);

    for (const char* end : {"", "-wal", "-shm"}) QFile::remove(target.sqlitePath + QLatin1String(end));
    take();
    const std::vector<ArchivedReading> kept = keptReadings();
    ASSERT_EQ(kept.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(kept[size_t(i)].value, 21.0 + i);
    EXPECT_EQ(recorder.waiting(), 0);
}

// A server that takes the connection and never answers holds up one wait,
// not the program: the readings go on being taken and wait for it.
TEST_F(Recording, AServerThatNeverAnswersHoldsUpNoReading)
{
    // A socket that listens and is never read: the system takes the
    // connection, nobody answers.
    const int tarpit = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(tarpit, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(tarpit, 8), 0);
    ASSERT_EQ(getsockname(tarpit, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const ArchiveTarget silent =
        *parseArchiveTarget(QStringLiteral("postgresql://kivo@127.0.0.1:%1/none").arg(ntohs(address.sin_port)), QString()).target;
    std::atomic<bool> answers = false;
    ArchiveRecorder recorder(session, [&] { return std::make_unique<Archive>(answers ? target : silent); });
    QStringList said;
    QObject::connect(&recorder, &ArchiveRecorder::unreachable, [&](const QString& why) { said << why; });
    beginOnline();
    for (int i = 1; i <= 3; ++i) {
        session.takeRecordLine(line(i, "30.0"), kOnline, session.link().profile(), QDateTime::currentDateTime());
        session.tables().nextOnlineNumber();
    }
    // Given up on before the driver's own 3 s were out: the program did not
    // wait for the driver.
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said[0], u"keine Antwort binnen 1,5 s");
    EXPECT_EQ(recorder.waiting(), 4);
    answers = true;
    QTRY_COMPARE_WITH_TIMEOUT(recorder.waiting(), 0, 20000); // the timer's tries, once the driver gave up
    Archive archive(target);
    ASSERT_EQ(archive.list(QString(), {}, {}).size(), 1u);
    EXPECT_EQ(archive.list(QString(), {}, {}).at(0).count, 3);
    close(tarpit);
}

} // namespace

// The check made on a table goes with its inspection, through the journal
// when the archive is out of reach, and comes back with it when the
// inspection is opened again.
TEST_F(Recording, TheCheckMadeOnATableIsKeptWithItsInspection)
{
    ArchiveTarget nowhere;
    nowhere.sqlitePath = home.filePath(QStringLiteral("a-folder"));
    QDir().mkpath(nowhere.sqlitePath);
    ArchiveJournal journal(home.filePath(QStringLiteral("data/Archiv-wartend.jsonl")));
    Judgement sspc;
    sspc.rule = JudgeRule::SspcPa2;
    sspc.nominal = 10;
    sspc.maximum = 40;
    sspc.spotSize = 1;
    {
        ArchiveRecorder recorder(session, [&] { return std::make_unique<Archive>(nowhere); }, journal);
        DeviceLink::Command command(session.link());
        session.link().prepareConnect();
        ASSERT_EQ(session.reachGauge(), GaugeSession::Reach::Answered);
        session.showTable(kFE);
        ASSERT_TRUE(session.downloadMemory().complete);
        EXPECT_EQ(session.origin(kFE).source, u"memory1");
        EXPECT_EQ(session.origin(kFE).gaugeVersion, u"2.05");
        session.setJudgement(sspc);
        EXPECT_EQ(recorder.waiting(), 2);
    }
    ArchiveRecorder next(session, [&] { return std::make_unique<Archive>(target); }, journal);
    QTRY_COMPARE(next.waiting(), 0);
    Archive archive(target);
    const std::vector<InspectionSummary> all = archive.list(QString(), {}, {});
    ASSERT_EQ(all.size(), 1u);
    std::optional<Inspection> kept = archive.load(all[0].id);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->judgement, judgementText(sspc));
    ASSERT_TRUE(kept->verdictMet.has_value());

    // Opened again, the table has its check; a new check replaces it.
    session.showTable(kNFE);
    session.takeInspection(*kept, QStringLiteral("Archiv #1"));
    ASSERT_TRUE(session.origin(kNFE).judgement);
    EXPECT_EQ(*session.origin(kNFE).judgement, sspc);
    EXPECT_EQ(session.origin(kNFE).gaugeVersion, u"2.05");
    session.setJudgement(std::nullopt);
    EXPECT_EQ(next.waiting(), 0);
    EXPECT_TRUE(archive.load(all[0].id)->judgement.isEmpty());
    EXPECT_FALSE(archive.load(all[0].id)->verdictMet.has_value());
}
