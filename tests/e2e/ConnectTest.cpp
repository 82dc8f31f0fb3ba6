// Connecting to a gauge through the simulator on a real pseudo-terminal.

#include "DriveSession.h"
#include "GaugeSim.h"

#include <QThread>
#include <gtest/gtest.h>

using namespace kivo::e2e;

namespace {

struct Bench {
    Bench(const QByteArray& konfi, const QStringList& simOptions, const char* type = "VCP") : session(konfi)
    {
        link = session.path(QStringLiteral("gauge"));
        sim = std::make_unique<GaugeSim>(link, simOptions);
        session.setEnv(QStringLiteral("KIVO_EXTRA_PORTS"), link + u':' + QString::fromLatin1(type));
    }
    // Starts the program, picks the simulator's port and presses Connect.
    QString connectScript() const { return QStringLiteral("start\nselect ComboPort %1\nclick cmdConnect\n").arg(link); }

    DriveSession session;
    QString link;
    std::unique_ptr<GaugeSim> sim;
};

const QString kCommand = QStringLiteral("$kivo00$");

TEST(Connect, CableGaugeAnswersAndIsIdentified)
{
    Bench bench("RKS\r\n", {QStringLiteral("--model"), QStringLiteral("RKS")});
    ASSERT_TRUE(bench.sim->ready());
    const DriveResult result = bench.session.run(bench.connectScript() + QStringLiteral("wait-until-idle 15000\ndump\n"));
    ASSERT_TRUE(result.endedInTime);
    ASSERT_EQ(result.dumps.size(), 1) << result.errors.toStdString();
    const Dump& d = result.dumps[0];
    EXPECT_EQ(d.text(QStringLiteral("txtWait")), QStringLiteral("Verbunden"));
    EXPECT_EQ(d.text(QStringLiteral("Frame2")), QStringLiteral("Com-Port(%1)").arg(bench.link));
    EXPECT_FALSE(d.visible(QStringLiteral("cmdConnect")));
    EXPECT_FALSE(d.visible(QStringLiteral("ComboPort")));
    EXPECT_TRUE(d.visible(QStringLiteral("picUsb")));
    EXPECT_TRUE(d.enabled(QStringLiteral("cmdOpen")));
    EXPECT_TRUE(d.messages().isEmpty());
    // presence test, identification, then the memory is read
    EXPECT_EQ(bench.sim->commands(), QStringList({kCommand, kCommand, kCommand, QStringLiteral("$kivo10$")}));
    const QString port = DriveSession::readFile(
        bench.session.appDataPath(QStringLiteral("Brenvor"), QStringLiteral("RK-SIVAR RIDIVORI")) + "/Port.ini");
    EXPECT_EQ(port, bench.link + QStringLiteral("\r\n"));
}

TEST(Connect, NextStartPreselectsTheSavedPort)
{
    Bench bench("RKS\r\n", {QStringLiteral("--model"), QStringLiteral("RKS")});
    ASSERT_TRUE(bench.session.run(bench.connectScript() + QStringLiteral("wait-until-idle 15000\n")).endedInTime);
    const DriveResult again = bench.session.run(QStringLiteral("start\ndump\n"));
    ASSERT_EQ(again.dumps.size(), 1);
    EXPECT_EQ(again.dumps[0].text(QStringLiteral("ComboPort")), bench.link);
    EXPECT_TRUE(again.dumps[0].enabled(QStringLiteral("cmdConnect")));
}

TEST(Connect, SilentCableGaugeIsNotConnected)
{
    Bench bench("RKM\r\n", {QStringLiteral("--silent")});
    ASSERT_TRUE(bench.sim->ready());
    const DriveResult result = bench.session.run(bench.connectScript() + QStringLiteral("wait-until-idle 15000\ndump\n"));
    ASSERT_EQ(result.dumps.size(), 1) << result.errors.toStdString();
    const Dump& d = result.dumps[0];
    EXPECT_EQ(d.text(QStringLiteral("txtWait")), QStringLiteral("Nicht Verbunden"));
    EXPECT_TRUE(d.visible(QStringLiteral("cmdConnect")));
    EXPECT_EQ(d.text(QStringLiteral("cmdConnect")), QStringLiteral("Verbinden"));
    EXPECT_EQ(bench.sim->commands(), QStringList({kCommand}));
}

TEST(Connect, BluetoothGaugeIsNotTestedFirst)
{
    Bench bench("RKT\r\n", {QStringLiteral("--model"), QStringLiteral("RKT")}, "BTH");
    ASSERT_TRUE(bench.sim->ready());
    const DriveResult result = bench.session.run(bench.connectScript() + QStringLiteral("wait-until-idle 15000\ndump\n"));
    ASSERT_EQ(result.dumps.size(), 1) << result.errors.toStdString();
    EXPECT_EQ(result.dumps[0].text(QStringLiteral("txtWait")), QStringLiteral("Verbunden"));
    EXPECT_TRUE(result.dumps[0].visible(QStringLiteral("picBth")));
    // no presence test: identification, then the memory is read
    EXPECT_EQ(bench.sim->commands(), QStringList({kCommand, kCommand, QStringLiteral("$kivo10$")}));
}

TEST(Connect, EscapeEndsTheWaitForASilentBluetoothGauge)
{
    Bench bench("RKT\r\n", {QStringLiteral("--silent")}, "BTH");
    ASSERT_TRUE(bench.sim->ready());
    const DriveResult result = bench.session.run(
        bench.connectScript()
        + QStringLiteral("wait-ms 500\ndump\nkey Escape\nwait-ms 300\nkey Escape\nwait-until-idle 5000\ndump\n"));
    ASSERT_EQ(result.dumps.size(), 2) << result.errors.toStdString();
    // While it waits the operator is told how to cancel.
    EXPECT_TRUE(result.dumps[0].text(QStringLiteral("escapeHint")).contains(QStringLiteral("Esc")));
    EXPECT_TRUE(result.dumps[0].visible(QStringLiteral("cancelButton")));
    // One Escape ends the whole Connect; a gauge that never answered is
    // neither connected nor reported empty.
    const Dump& after = result.dumps[1];
    EXPECT_FALSE(after.visible(QStringLiteral("escapeHint")));
    EXPECT_EQ(after.text(QStringLiteral("txtWait")), QStringLiteral("Nicht Verbunden – das Gerät hat nicht geantwortet."));
    EXPECT_TRUE(after.text(QStringLiteral("lblConnectHint")).endsWith(QStringLiteral("Ist es mit diesem PC gekoppelt?")));
    EXPECT_TRUE(after.visible(QStringLiteral("cmdConnect")));
    EXPECT_TRUE(after.visible(QStringLiteral("ComboPort")));
    EXPECT_FALSE(after.visible(QStringLiteral("picBth")));
    EXPECT_FALSE(after.text(QStringLiteral("txtSpeicher")).contains(QStringLiteral("leer")));
    EXPECT_FALSE(after.text(QStringLiteral("optFE")).contains(QStringLiteral("(0)")));
    EXPECT_EQ(bench.sim->commands(), QStringList({kCommand}));
}

TEST(Connect, SwitchOffDuringIdentification)
{
    // A Bluetooth gauge is asked at once; it switches itself off instead of
    // answering.
    Bench bench("RKT\r\n", {QStringLiteral("--silent"), QStringLiteral("--switch-off-after-ms"), QStringLiteral("1500")},
                "BTH");
    ASSERT_TRUE(bench.sim->ready());
    const DriveResult result = bench.session.run(bench.connectScript() + QStringLiteral("wait-until-idle 15000\ndump\n"));
    ASSERT_EQ(result.dumps.size(), 1) << result.errors.toStdString();
    EXPECT_EQ(result.dumps[0].text(QStringLiteral("txtWait")), QStringLiteral("Gerät nicht verfügbar !"));
    EXPECT_TRUE(result.dumps[0].visible(QStringLiteral("cmdConnect")));
    EXPECT_FALSE(result.dumps[0].visible(QStringLiteral("picBth")));
}

TEST(Connect, UnpluggingTheSelectedPortIsReported)
{
    Bench bench("RKS\r\n", {QStringLiteral("--model"), QStringLiteral("RKS")});
    ASSERT_TRUE(bench.sim->ready());
    GaugeSim* sim = bench.sim.get();
    const DriveResult result = bench.session.run(
        bench.connectScript() + QStringLiteral("wait-until-idle 15000\ndump\nwait-ms 2500\ndump\n"),
        [sim](int index) {
            if (index == 0) sim->kill();
        });
    ASSERT_EQ(result.dumps.size(), 2) << result.errors.toStdString();
    const Dump& d = result.dumps[1];
    bool reported = false;
    for (const auto& m : d.messages())
        reported |= m.toObject().value(u"text").toString() == QStringLiteral("Verbindungsabbruch wegen %1 Unplugged\r\n").arg(bench.link);
    EXPECT_TRUE(reported);
    EXPECT_TRUE(d.visible(QStringLiteral("cmdConnect")));
    EXPECT_TRUE(d.visible(QStringLiteral("ComboPort")));
    EXPECT_FALSE(d.visible(QStringLiteral("picUsb")));
}

} // namespace
