#pragma once
// A session of an RK-SIVAR installation over a fake wire, its folders in a
// temporary folder of its own: the gauge answers who it is and sends its
// memory a moment after each command, as over a real wire.

#include "QuietSessionView.h"
#include "RksReplies.h"
#include "platform/FakeSerialLink.h"
#include "session/GaugeSession.h"

#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

namespace kivo::testing {

class RksSession : public ::testing::Test {
protected:
    RksSession()
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
        wire->onWrite = [this](const QByteArray& command) {
            const std::map<QByteArray, QByteArray> replies = {{"$kivo00$\r\n", kIdentReply}, {"$kivo10$\r\n", kDump}};
            const auto it = replies.find(command);
            if (it == replies.end()) return;
            const QByteArray reply = it->second;
            QTimer::singleShot(5, wire, [this, reply] { wire->receive(reply); });
        };
    }

    QTemporaryDir home;
    QuietSessionView view;
    GaugeSession session;
    FakeSerialLink* wire = nullptr;
};

} // namespace kivo::testing
