// The session's procedures over a fake wire, without a window: the table
// on show while the gauge is asked who it is, a memory downloaded into its
// table and drawn as rows, a reading deleted.

#include "QuietSessionView.h"
#include "RksReplies.h"
#include "platform/FakeSerialLink.h"
#include "session/GaugeSession.h"

#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

using namespace kivo;

namespace {

using kivo::testing::kDump;
using kivo::testing::kIdentReply;

class SessionOverAWire : public ::testing::Test {
protected:
    SessionOverAWire()
    {
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
        auto fake = std::make_unique<FakeSerialLink>();
        wire = fake.get();
        session.attach(std::move(fake), view);
        session.settleInstallation(home.filePath(QStringLiteral("program")), KonfiFields{QStringLiteral("RKS"), {}, {}, {}});
        session.setModel(QStringLiteral("RKS"));
        session.texte().FillMenuTexts();
        session.texte().FillMessageTexts(session.identity().titleText());
        session.link().setPortnr(QStringLiteral("ttyUSB0"));
        // The gauge answers each command a moment later, as over a real wire.
        wire->onWrite = [this](const QByteArray& command) {
            const std::map<QByteArray, QByteArray> replies = {{"$kivo00$\r\n", kIdentReply}, {"$kivo10$\r\n", kDump}};
            const auto it = replies.find(command);
            if (it == replies.end()) return;
            const QByteArray reply = it->second;
            QTimer::singleShot(5, wire, [this, reply] { wire->receive(reply); });
        };
    }

    QTemporaryDir home;
    kivo::testing::QuietSessionView view;
    GaugeSession session;
    FakeSerialLink* wire = nullptr;
};

TEST_F(SessionOverAWire, NoTableIsOnShowWhileTheGaugeIsAskedWhoItIs)
{
    session.showTable(kNFE);
    EXPECT_EQ(session.link().messart(), kNFE); // the link's next exchange is for it
    DeviceLink::Command command(session.link());
    session.link().prepareConnect();
    EXPECT_EQ(session.reachGauge(), GaugeSession::Reach::Answered);
    EXPECT_EQ(session.tableKind(), kIdentification);
    EXPECT_EQ(session.identity().geraet, session.link().geraet()); // the gauge's own code
    session.showTable(kFE);
    EXPECT_EQ(session.tableKind(), kFE);
}

TEST_F(SessionOverAWire, AMemoryIsDownloadedIntoItsTableAndDrawnAsRows)
{
    std::vector<int> taken;
    QStringList filling;
    QObject::connect(&session, &GaugeSession::readingTaken, [&](int, int slot) { taken.push_back(slot); });
    QObject::connect(&session, &GaugeSession::fillingTable, [&](bool on) { filling << (on ? "on" : "off"); });
    DeviceLink::Command command(session.link());
    session.link().prepareConnect();
    ASSERT_EQ(session.reachGauge(), GaugeSession::Reach::Answered);
    session.showTable(kFE);
    const GaugeSession::MemoryDownload d = session.downloadMemory();
    EXPECT_TRUE(d.opened && d.complete && d.anyByte);
    EXPECT_FALSE(d.isShort());
    EXPECT_EQ(d.announced, 3);
    EXPECT_EQ(taken, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(filling, (QStringList{"on", "off"}));
    EXPECT_EQ(session.shown().rows(), 3);
    EXPECT_EQ(session.rowCells(2, QLocale(QLocale::English, QLocale::UnitedStates))[2].trimmed(), QStringLiteral("12.00"));
    EXPECT_EQ(session.tables().statisticsCount(), 3);

    // The second reading deleted: the others keep what they had, numbered 1..2.
    session.deleteReading(2);
    session.redraw();
    ASSERT_EQ(session.tables().count(kFE), 2);
    EXPECT_EQ(session.tables().record(kFE, 2).nr, 2);
    EXPECT_DOUBLE_EQ(session.tables().record(kFE, 2).wert, 12.0);
    EXPECT_EQ(session.shown().rows(), 2);
    EXPECT_TRUE(view.messages.isEmpty()) << view.messages.join(u'|').toStdString();
}

} // namespace
