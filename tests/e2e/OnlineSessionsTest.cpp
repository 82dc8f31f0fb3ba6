// Online.mes holds the online table of one session. Before a new session
// writes it for the first time, the last session's file is kept beside it
// under the time of its last save, so no session's readings are lost.

#include "MeasurementText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kDorna = u"DORNA RIDIVORI"_s;

// A DORNA: it goes online at Connect and sends its lines when told.
RawGauge& startDorna(DownloadBench& bench)
{
    RawGauge& gauge = bench.startRawGauge();
    gauge.answer(kIdentify.toLatin1(), {"DORNA-1\r\nVD: 1.10\r\n\x04"});
    return gauge;
}

// Lines `first` to `last`: reading n has the value n.000 mVs.
QByteArray linesOnWire(int first, int last)
{
    QByteArray wire;
    for (int n = first; n <= last; ++n)
        wire += recordLine(n, QByteArray::number(n).append(".000").constData(), "mVs") + "\r\n";
    return wire;
}

// The values of the reading rows of a measurement file, in their order.
QList<int> savedValues(const QString& path)
{
    QList<int> values;
    for (const QString& line : DriveSession::lines(DriveSession::readFile(path)))
        if (line.indexOf(u':') == 2 && line.contains(u" mVs"_s))
            values << int(line.mid(20, 11).trimmed().replace(u',', u'.').toDouble());
    return values;
}

QList<int> range(int first, int last)
{
    QList<int> values;
    for (int n = first; n <= last; ++n) values << n;
    return values;
}

// The Online files of the data folder, Online.mes first.
QStringList onlineFiles(const QString& folder)
{
    QStringList files = QDir(folder).entryList({u"Online*.mes"_s}, QDir::Files);
    std::sort(files.begin(), files.end());
    return files;
}

// A session of the program: Connect, `first`..`last` sent, closed.
DriveResult session(DownloadBench& bench, RawGauge& gauge, int first, int last, const QString& more = {})
{
    const QByteArray wire = linesOnWire(first, last);
    return bench.connect(kUntilIdle + u"dump\nwait-ms 1200\ndump\n"_s + more + u"close\n"_s, [&](int index) {
        if (index == 0) gauge.feed(wire);
    });
}

// 10 readings, the program closed, 3 readings after the next Connect: the
// 3 are in Online.mes, the 10 in the copy named after their last save. A
// copy of that name already there is not replaced: the next takes "_2".
TEST(OnlineSessions, TheLastSessionsFileIsKeptUnderItsTime)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startDorna(bench);
    ASSERT_TRUE(gauge.ready());
    const QString folder = bench.session.messDataPath(kBrand, kDorna);
    const QString onlineMes = folder + u"/Online.mes"_s;

    const DriveResult first = session(bench, gauge, 1, 10);
    ASSERT_EQ(first.dumps.size(), 2);
    EXPECT_EQ(first.dumps[1].text(u"optOnline"_s), u"Online (10)"_s);
    ASSERT_EQ(savedValues(onlineMes), range(1, 10));
    const QByteArray tenReadings = DriveSession::readFile(onlineMes);
    const QString keptName = u"Online_"_s + QFileInfo(onlineMes).lastModified().toString(u"yyyy-MM-dd_HH-mm-ss"_s) + u".mes"_s;
    EXPECT_EQ(onlineFiles(folder), QStringList({u"Online.mes"_s}));

    const DriveResult second = session(bench, gauge, 11, 13);
    ASSERT_EQ(second.dumps.size(), 2);
    EXPECT_EQ(second.dumps[1].text(u"optOnline"_s), u"Online (3)"_s);
    EXPECT_TRUE(second.dumps[1].messages().isEmpty());
    EXPECT_EQ(onlineFiles(folder), QStringList({u"Online.mes"_s, keptName}));
    EXPECT_EQ(DriveSession::readFile(folder + u"/"_s + keptName), tenReadings);
    EXPECT_EQ(savedValues(onlineMes), range(11, 13));
    EXPECT_EQ(logLines(bench.session, kDorna).count(u"Online.mes der letzten Sitzung aufbewahrt als "_s + folder
                                                     + u"/"_s + keptName),
              1);

    // The last save of the second session as if in the same second as an
    // earlier copy: that copy stays, this one takes the next number.
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 3, 22));
    QFile saved(onlineMes);
    ASSERT_TRUE(saved.open(QIODevice::ReadWrite));
    ASSERT_TRUE(saved.setFileTime(when, QFileDevice::FileModificationTime));
    saved.close();
    DriveSession::writeFile(folder + u"/Online_2026-12-07_14-03-22.mes"_s, "an earlier copy\r\n");
    const QByteArray threeReadings = DriveSession::readFile(onlineMes);
    const DriveResult third = session(bench, gauge, 14, 14);
    ASSERT_EQ(third.dumps.size(), 2);
    EXPECT_EQ(DriveSession::readFile(folder + u"/Online_2026-12-07_14-03-22.mes"_s), "an earlier copy\r\n");
    EXPECT_EQ(DriveSession::readFile(folder + u"/Online_2026-12-07_14-03-22_2.mes"_s), threeReadings);
    EXPECT_EQ(savedValues(onlineMes), range(14, 14));
    EXPECT_EQ(onlineFiles(folder).size(), 4);
}

// Choosing Online again goes on with the same session (its table holds
// every reading Online.mes held); deleting the online table starts a new
// one, and Online.mes of the deleted readings is kept.
TEST(OnlineSessions, DeletingTheOnlineTableStartsASession)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startDorna(bench);
    ASSERT_TRUE(gauge.ready());
    const QString folder = bench.session.messDataPath(kBrand, kDorna);
    const DriveResult result = bench.connect(
        kUntilIdle + u"dump\nwait-ms 1200\ndump\nclick optOnline\n"_s + kUntilIdle
            + u"dump\nwait-ms 1200\ndump\nanswer Yes\nclick cmdFlexTabelleloeschen\n"_s + kUntilIdle
            + u"dump\nwait-ms 1200\ndump\n"_s,
        [&](int index) {
            if (index == 0) gauge.feed(linesOnWire(1, 10));
            if (index == 2) gauge.feed(linesOnWire(11, 13));
            if (index == 4) gauge.feed(linesOnWire(14, 15));
        });
    ASSERT_EQ(result.dumps.size(), 6);
    EXPECT_EQ(result.dumps[3].text(u"optOnline"_s), u"Online (13)"_s);
    EXPECT_EQ(result.dumps[5].text(u"optOnline"_s), u"Online (2)"_s);
    const QStringList files = onlineFiles(folder);
    ASSERT_EQ(files.size(), 2) << files.join(u' ').toStdString();
    EXPECT_EQ(savedValues(folder + u"/"_s + files[1]), range(1, 13));
    EXPECT_EQ(savedValues(folder + u"/Online.mes"_s), range(14, 15));
}

} // namespace
