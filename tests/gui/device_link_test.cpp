// The device link alone, on a fake serial link, with a view that records
// what it is told: no window, no widget.

#include "device/DeviceLink.h"
#include "platform/FakeSerialLink.h"
#include "texts/Texte.h"

#include <QEventLoop>
#include <QTimer>
#include "RksReplies.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

class RecordingView : public DeviceView {
public:
    void showOpening() override {}
    void showStillConnected() override {}
    void showConnected(const QString& port) override { said << "connected " + port; }
    void showNotConnected() override { said << "not connected"; }
    void showDeviceUnavailable(const QString& reason) override { said << "unavailable " + reason; }
    void showLinkLost() override { said << "link lost"; }
    void showNoPresence() override { said << "no presence"; }
    void gaugeBusy() override {}
    void waitStarted() override { ++waits; }
    void waitEnded() override {}
    void working(bool) override {}
    MsgAnswer message(const QString& text, MsgIcon) override
    {
        said << "message " + text;
        return MsgAnswer::OK;
    }
    void writeLog(const QString&) override {}
    void identified(const std::optional<QString>& failure) override { said << "identified " + failure.value_or(""); }
    void downloadProgress(int linesSeen) override { progress = linesSeen; }
    void dumpSplit(bool exceeded) override { said << (exceeded ? "split, exceeded" : "split"); }
    void onlineRecord(const QString& zeile) override { readings << zeile; }
    bool onlineLine(const QString& zeile) override
    {
        readings << zeile;
        return true;
    }
    void onlineLinesTaken() override { ++batches; }
    void onlineLineRefused(int refused) override { said << QStringLiteral("refused %1").arg(refused); }
    void onlineHeld(const QString& text) override { said << "held " + text; }
    bool onlineTableFull() const override { return false; }
    void reportOnlineTableFull() override { said << "full"; }
    void commandEnded() override { said << "command ended"; }

    QStringList said;
    QStringList readings;
    int waits = 0;
    int progress = 0;
    int batches = 0;
};

using kivo::testing::kDump;
using kivo::testing::kIdentReply;

class DeviceLinkTest : public ::testing::Test {
protected:
    DeviceLinkTest()
    {
        texte.FillMenuTexts();
        texte.FillMessageTexts(QStringLiteral("RK-SIVAR RIDIVORI V3.02"));
        auto fake = std::make_unique<FakeSerialLink>();
        wire = fake.get();
        link = std::make_unique<DeviceLink>(std::move(fake), view, texte);
        link->setProfile({QStringLiteral("1 "), QStringLiteral("K"), QStringLiteral("V"), QStringLiteral("0"),
                          QStringLiteral("-")});
        link->setPortnr(QStringLiteral("ttyUSB0"));
    }
    // The gauge answers each command a moment later, as over a real wire.
    void answer(const std::map<QByteArray, QByteArray>& replies)
    {
        wire->onWrite = [this, replies](const QByteArray& command) {
            const auto it = replies.find(command);
            if (it == replies.end()) return;
            const QByteArray reply = it->second;
            QTimer::singleShot(5, wire, [this, reply] { wire->receive(reply); });
        };
    }

    Texte texte;
    RecordingView view;
    FakeSerialLink* wire = nullptr;
    std::unique_ptr<DeviceLink> link;
};

TEST_F(DeviceLinkTest, ConnectsIdentifiesAndDownloads)
{
    answer({{"$kivo00$\r\n", kIdentReply}, {"$kivo10$\r\n", kDump}});
    DeviceLink::Command command(*link);
    link->prepareConnect();
    link->OpenPort(link->portnr());
    ASSERT_TRUE(link->CheckConnect()); // the cable gauge answered its presence test
    ASSERT_TRUE(link->ReadGeraet());
    EXPECT_EQ(link->geraet(), u"RKS");
    EXPECT_EQ(link->device().anzahl1, 3);
    link->setMessart(kFE);
    ASSERT_TRUE(link->downloadMemory(QString::fromLatin1(kBefehlSpeicher1)));
    EXPECT_EQ(link->dumpLines().size(), 3);
    EXPECT_EQ(view.progress, 3);
    EXPECT_EQ(view.said, QStringList({"connected ttyUSB0", "identified ", "split"}));
    EXPECT_EQ(wire->written, "$kivo00$\r\n$kivo00$\r\n$kivo10$\r\n");
}

TEST_F(DeviceLinkTest, OneCancelEndsTheWholeCommand)
{
    answer({{"$kivo00$\r\n", kIdentReply}}); // the dump never comes
    {
        DeviceLink::Command command(*link);
        link->OpenPort(link->portnr());
        link->setMessart(kFE);
        QTimer::singleShot(50, link.get(), [this] { link->cancel(); });
        EXPECT_FALSE(link->downloadMemory(QString::fromLatin1(kBefehlSpeicher1)));
        wire->written.clear();
        EXPECT_FALSE(link->ReadGeraet()); // nothing more is asked in the same command
        EXPECT_TRUE(wire->written.isEmpty());
    }
    EXPECT_EQ(view.said.last(), u"command ended");
    link->cancel(); // no wait runs: counts for nothing
    DeviceLink::Command next(*link);
    EXPECT_TRUE(link->ReadGeraet());
}

TEST_F(DeviceLinkTest, ALostLinkEndsTheWait)
{
    answer({{"$kivo00$\r\n", kIdentReply}});
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    link->setMessart(kFE);
    QTimer::singleShot(50, link.get(), [this] {
        wire->openResult = OpenResult::NotFound; // the port is gone
        wire->fail();
    });
    EXPECT_FALSE(link->downloadMemory(QString::fromLatin1(kBefehlSpeicher1)));
    EXPECT_FALSE(link->CheckConnect());
    EXPECT_TRUE(view.said.contains(u"link lost"));
    EXPECT_TRUE(view.said.last().startsWith(u"unavailable "));
}

// A line-style reading in its columns, as a DORNA sends it.
QByteArray vLine(int nr, const char* value)
{
    return QByteArray::number(nr).rightJustified(4) + "  " + QByteArray(value).rightJustified(10) + " mVs     \r\n";
}

TEST_F(DeviceLinkTest, OnlineLinesThatCameTogetherAreEachHandedOn)
{
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    link->setMessart(kOnline);
    ASSERT_TRUE(link->startOnline());
    const QByteArray third = vLine(3, "3.000");
    wire->receive(vLine(1, "1.000") + vLine(2, "2.000") + third.left(14));
    EXPECT_EQ(view.readings.size(), 2);
    wire->receive(third.mid(14) + "Fehler\r\n" + vLine(4, "4.000"));
    EXPECT_EQ(view.readings, QStringList({vLine(1, "1.000"), vLine(2, "2.000"), third}));
    EXPECT_TRUE(view.said.last().startsWith(u"held ")) << view.said.join('|').toStdString();
    EXPECT_TRUE(view.said.last().contains(u"\"Fehler\"")); // the gauge's words are quoted

    // Online chosen again takes what waited behind the gauge's message.
    ASSERT_TRUE(link->startOnline());
    EXPECT_EQ(view.readings.size(), 4);
    EXPECT_EQ(view.readings.last(), vLine(4, "4.000"));
}

TEST_F(DeviceLinkTest, DamagedOnlineLinesAreRefusedAndTheRestTaken)
{
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    link->setMessart(kOnline);
    ASSERT_TRUE(link->startOnline());
    QByteArray nul = vLine(2, "3.3");
    nul[14] = '\0'; // "3\0.3" would read 3
    QByteArray ff = vLine(3, "150.0");
    ff[13] = '\xff'; // "1\xff0.0" would read 1
    wire->receive(vLine(1, "1.000") + nul + ff + "\r\n" + vLine(4, "4.000"));
    EXPECT_EQ(view.readings, QStringList({vLine(1, "1.000"), vLine(4, "4.000")}));
    EXPECT_TRUE(view.said.contains(u"refused 2"));
    EXPECT_FALSE(link->onlineStopped());
}

TEST_F(DeviceLinkTest, ReadingsThatCameRightAfterTheAnswerAreTheFirstOnlineReadings)
{
    // A gauge without memory starts sending as soon as it has answered.
    answer({{"$kivo00$\r\n", QByteArray(kIdentReply) + vLine(1, "1.000") + vLine(2, "2.000")}});
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    ASSERT_TRUE(link->ReadGeraet());
    EXPECT_EQ(view.said.last(), u"identified "); // the readings are no part of the answer
    link->setMessart(kOnline);
    ASSERT_TRUE(link->startOnline());
    EXPECT_EQ(view.readings, QStringList({vLine(1, "1.000"), vLine(2, "2.000")}));
}

TEST_F(DeviceLinkTest, WhatFollowsAnEotBelongsToNoAnswer)
{
    // The rest after the EOT comes in pieces, partly after the next command.
    int asked = 0;
    wire->onWrite = [&](const QByteArray&) {
        ++asked;
        if (asked == 1)
            QTimer::singleShot(5, wire, [this] {
                wire->receive(QByteArray(kIdentReply) + "     31.1");
                QTimer::singleShot(100, wire, [this] { wire->receive(" \xb5m      \r\n"); });
            });
        else
            QTimer::singleShot(5, wire, [this] { wire->receive(kIdentReply); });
    };
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    ASSERT_TRUE(link->ReadGeraet());
    EXPECT_EQ(view.said.last(), u"identified ");
    ASSERT_TRUE(link->ReadGeraet());
    EXPECT_EQ(view.said.last(), u"identified ");
    EXPECT_EQ(link->device().anzahl1, 3);
}

TEST_F(DeviceLinkTest, ACountLineEndedByEotCounts)
{
    answer({{"$kivo00$\r\n", "RK-SIVAR\r\nVD: 2.05\r\nM1:12\x04"}});
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    ASSERT_TRUE(link->ReadGeraet());
    EXPECT_EQ(link->device().anzahl1, 12);
}

// Lets the event loop run for `ms` milliseconds.
void pauseFor(int ms)
{
    QEventLoop pause;
    QTimer::singleShot(ms, &pause, &QEventLoop::quit);
    pause.exec();
}

// The gauge answers "$kivo00$" with `answerBytes`, then `later` a moment
// after; it starts its dump 100 ms after being asked. Returns how many lines
// the download of memory 1 took.
qsizetype identifyThenDownload(FakeSerialLink* wire, DeviceLink& link, const QByteArray& answerBytes,
                               const QByteArray& later)
{
    wire->onWrite = [wire, answerBytes, later](const QByteArray& command) {
        if (command == "$kivo00$\r\n") {
            QTimer::singleShot(5, wire, [wire, answerBytes] { wire->receive(answerBytes); });
            QTimer::singleShot(65, wire, [wire, later] { wire->receive(later); });
        } else {
            QTimer::singleShot(100, wire, [wire] { wire->receive(kDump); });
        }
    };
    DeviceLink::Command command(link);
    link.OpenPort(link.portnr());
    if (!link.ReadGeraet()) return -1;
    link.setMessart(kFE);
    if (!link.downloadMemory(QString::fromLatin1(kBefehlSpeicher1))) return -1;
    return link.dumpLines().size();
}

TEST_F(DeviceLinkTest, WhatFollowsTheAnswersEotEndsNoLaterAnswer)
{
    // The rest of a line and its EOT after the answer; a lone stray EOT.
    EXPECT_EQ(identifyThenDownload(wire, *link, QByteArray(kIdentReply) + "x", "\r\n\x04"), 3);
    EXPECT_EQ(identifyThenDownload(wire, *link, kIdentReply, "\x04"), 3);
}

TEST_F(DeviceLinkTest, AnEmInsideADumpIsDamageNotASwitchOff)
{
    QByteArray dump = kDump;
    dump[dump.indexOf("11.0") + 1] = '\x19'; // EM in the middle of reading 2
    answer({{"$kivo10$\r\n", dump}});
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    link->setMessart(kFE);
    ASSERT_TRUE(link->downloadMemory(QString::fromLatin1(kBefehlSpeicher1)));
    pauseFor(400); // past the quiet a switched-off gauge keeps
    EXPECT_EQ(link->dumpLines().size(), 2);
    EXPECT_EQ(link->dumpDamagedLines(), 1);
    EXPECT_FALSE(link->switchedOff());
    EXPECT_TRUE(link->CheckConnect());
}

TEST_F(DeviceLinkTest, AnEotInsteadOfALineEndIsDamageAndTheDumpGoesOn)
{
    QByteArray dump = kDump;
    dump[dump.indexOf("   2") - 1] = '\x04'; // the LF after reading 1
    answer({{"$kivo10$\r\n", dump}});
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    link->setMessart(kFE);
    ASSERT_TRUE(link->downloadMemory(QString::fromLatin1(kBefehlSpeicher1)));
    EXPECT_EQ(link->dumpLines().size(), 1); // reading 3; 1 and 2 ran together
    EXPECT_EQ(link->dumpDamagedLines(), 1);
}

TEST_F(DeviceLinkTest, SwitchedOffDuringThePresenceTestIsNotConnected)
{
    answer({{"$kivo00$\r\n", "RK\x19"}}); // then nothing more
    link->prepareConnect();
    link->OpenPort(link->portnr());
    EXPECT_FALSE(link->CheckConnect());
    EXPECT_TRUE(view.said.last().startsWith(u"unavailable")) << view.said.join('|').toStdString();
}

TEST_F(DeviceLinkTest, OnlineLinesWithALoneCrOrLfAreRefusedAndCounted)
{
    DeviceLink::Command command(*link);
    link->OpenPort(link->portnr());
    link->setMessart(kOnline);
    ASSERT_TRUE(link->startOnline());
    wire->receive(vLine(1, "1.000").chopped(1) + vLine(2, "2.000").chopped(2) + "\n" + vLine(3, "3.000"));
    EXPECT_EQ(view.readings, QStringList({vLine(3, "3.000")}));
    EXPECT_TRUE(view.said.contains(u"refused 2"));
}

} // namespace
