#pragma once
// An in-memory serial link for tests: what the program writes is recorded,
// and a test hands it the gauge's answer.

#include "platform/SerialLink.h"

#include <functional>

namespace kivo {

class FakeSerialLink : public SerialLink {
    Q_OBJECT
public:
    OpenResult open(const QString& port, QString* reason) override
    {
        openedPort = port;
        if (openResult != OpenResult::Opened) {
            if (reason) *reason = failureReason;
            return openResult;
        }
        opened = true;
        return OpenResult::Opened;
    }
    void close() override
    {
        opened = false;
        resetReceiveState();
    }
    bool isOpen() const override { return opened; }
    void write(const QByteArray& bytes) override
    {
        written += bytes;
        if (onWrite) onWrite(bytes);
    }

    // The gauge sends `bytes`.
    void receive(const QByteArray& bytes) { deliver(bytes); }
    // The device went away.
    void fail() { emit commEvent(kEvLinkFailure); }

    OpenResult openResult = OpenResult::Opened;
    QString failureReason;
    QString openedPort;
    QByteArray written;
    std::function<void(const QByteArray&)> onWrite;

private:
    bool opened = false;
};

} // namespace kivo
