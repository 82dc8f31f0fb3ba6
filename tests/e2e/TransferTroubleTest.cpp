// Transfers that are disturbed: the language switched, the window closed,
// the link lost or the command cancelled while the program waits for the
// gauge, leftovers of a cancelled dump, and a wire that floods the program.

#include "MeasurementText.h"

#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSivar = u"RK-SIVAR RIDIVORI"_s;

// A slow dump of `count` readings of 10.0 µm: about 60 ms a reading at
// 4800 baud.
GaugeSim& slowDump(DownloadBench& bench, int count)
{
    QList<QByteArray> lines;
    for (int n = 1; n <= count; ++n) lines << recordLine(n, "10.0", "µm");
    const QString memory = bench.gaugeFile(u"memory%1.txt"_s.arg(count), lines);
    GaugeSim& sim =
        bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory, u"--pace-baud"_s, u"4800"_s}));
    EXPECT_TRUE(sim.ready());
    return sim;
}

Grid readingsOf10(int count, const QStringList& heading = germanHeading())
{
    Grid grid{heading};
    for (int n = 1; n <= count; ++n) grid << readingRow(n, u"10,0"_s, kUmNoLabel);
    return grid;
}

TEST(TransferTrouble, LanguageSwitchDuringADownloadEnablesNothing)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    slowDump(bench, 40);
    const DriveResult result =
        bench.connect(u"wait-ms 800\nclick English\ndump\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& during = result.dumps[0];
    EXPECT_TRUE(during.visible(u"escapeHint"_s)) << "the download was not running";
    for (const QString& name : names({"cmdLesen", "optFE", "optOnline", "cmdOpen", "cmdSave"}))
        EXPECT_FALSE(during.enabled(name)) << name.toStdString();
    EXPECT_EQ(during.text(u"cmdOpen"_s), u"Open Data File"_s); // recaptioned at once
    // The download is whole, and drawn in English once it is over.
    const Dump& after = result.dumps[1];
    Grid expected = readingsOf10(40, englishHeading());
    EXPECT_EQ(bench.grid(after), expected);
    EXPECT_EQ(after.text(u"optFE"_s), u"Memory (40)"_s);
    EXPECT_TRUE(after.enabled(u"cmdLesen"_s));
    EXPECT_TRUE(after.messages().isEmpty());
    EXPECT_TRUE(after.lastRowShown());
}

TEST(TransferTrouble, ClosingDuringConnectWritesNoSettings)
{
    DownloadBench bench("RKT", PortType::Bluetooth);
    ASSERT_TRUE(bench.startSim(simOptions({u"--silent"_s})).ready());
    const QString settings = bench.session.appDataPath(kBrand, u"RK-TALO RIDIVORI"_s);
    const QByteArray portIni = DriveSession::readFile(settings + u"/Port.ini"_s);
    const DriveResult result = bench.connect(u"wait-ms 500\nclose\n"_s);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(DriveSession::readFile(settings + u"/Port.ini"_s), portIni);
    EXPECT_FALSE(QFileInfo::exists(settings + u"/Limit.ini"_s));
    EXPECT_FALSE(QFileInfo::exists(bench.session.messDataPath(kBrand, u"RK-TALO RIDIVORI"_s) + u"/Projekt.ini"_s));
}

TEST(TransferTrouble, ClosingDuringThePresenceTestSendsNothingMore)
{
    DownloadBench bench("RKS", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    gauge.answer(kIdentify.toLatin1(), {QByteArray()}); // switched off: the presence test waits
    ASSERT_TRUE(gauge.ready());
    const DriveResult result = bench.connect(u"wait-ms 800\nclose\n"_s);
    EXPECT_EQ(result.exitCode, 0);
    QThread::msleep(300);
    EXPECT_EQ(gauge.commands(), QStringList({kIdentify})) << gauge.commands().join(u'|').toStdString();
}

TEST(TransferTrouble, LostLinkEndsTheDownloadAndAReconnectReadsOnce)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    GaugeSim& first = slowDump(bench, 30);
    const QString script = u"wait-ms 1200\ndump\nwait-ms 1500\ndump\nwait-ms 1500\nclick cmdConnect\n"_s + kUntilIdle
                           + u"dump\n"_s;
    const DriveResult result = bench.connect(script, [&](int index) {
        // The cable is pulled in the middle of the dump; later a gauge is
        // plugged in again on the same port.
        if (index == 0) first.kill();
        if (index == 1) slowDump(bench, 12);
    });
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_TRUE(result.dumps[0].visible(u"escapeHint"_s)) << "the download was not running";
    const Dump& lost = result.dumps[1];
    EXPECT_FALSE(lost.visible(u"escapeHint"_s)) << "still waiting for a gauge that is gone";
    EXPECT_EQ(bench.grid(lost), Grid({germanHeading()}));
    EXPECT_TRUE(lost.visible(u"cmdConnect"_s));
    const Dump& again = result.dumps[2];
    EXPECT_EQ(bench.grid(again), readingsOf10(12));
    EXPECT_EQ(again.text(u"optFE"_s), u"Speicher (12)"_s);
}

TEST(TransferTrouble, OneEscapeEndsTheWholeRead)
{
    DownloadBench bench("RKS", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    const QByteArray reply = "RK-SIVAR\r\nVD: 2.05\r\nM1:3\r\n\x04";
    // The presence test and Connect's identification are answered; the
    // read's identification is not.
    gauge.answer(kIdentify.toLatin1(), {reply, reply, QByteArray()});
    const DriveResult result = bench.connect(u"wait-ms 800\nkey Escape\nwait-until-idle 3000\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(bench.gaugeCommands(), QStringList({kIdentify, kIdentify, kIdentify}));
    const Dump& d = result.dumps[0];
    EXPECT_FALSE(d.visible(u"escapeHint"_s));
    EXPECT_EQ(d.text(u"txtWait"_s), u"Nicht Verbunden – das Gerät hat nicht geantwortet."_s);
    EXPECT_FALSE(d.text(u"txtSpeicher"_s).contains(u"leer"_s));
}

TEST(TransferTrouble, ReadAfterACancelledDumpIgnoresItsRest)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    slowDump(bench, 40);
    const DriveResult result = bench.connect(u"wait-ms 600\nkey Escape\nwait-until-idle 5000\nclick cmdLesen\n"_s
                                             + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_TRUE(d.messages().isEmpty()) << messageTexts(d).join(u'|').toStdString();
    EXPECT_EQ(bench.grid(d), readingsOf10(40));
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (40)"_s);
}

TEST(TransferTrouble, AFloodInsteadOfAnAnswerIsStopped)
{
    DownloadBench bench("RKT", PortType::Bluetooth);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    QByteArray flood = "RK-TALO\r\n";
    for (int n = 0; n < 60000; ++n) flood += "VD: 2.05 and more of the same\r\n";
    gauge.answer(kIdentify.toLatin1(), {flood});
    const DriveResult result = bench.connect(u"wait-until-idle 20000\ndump\n"_s, {}, 40000);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(messageTexts(d),
              QStringList({u"Das Gerät sendet mehr Daten als erwartet. Die Übertragung wurde abgebrochen."_s}));
    EXPECT_TRUE(d.visible(u"cmdConnect"_s));
    EXPECT_FALSE(d.text(u"txtSpeicher"_s).contains(u"leer"_s));
}

} // namespace
