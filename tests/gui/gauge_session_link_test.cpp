// The session's procedures over a fake wire, without a window: the table
// on show while the gauge is asked who it is, a memory downloaded into its
// table and drawn as rows, a reading deleted.

#include "RksSession.h"
#include "session/GaugeSession.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {


using SessionOverAWire = kivo::testing::RksSession;

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
