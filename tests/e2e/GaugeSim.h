#pragma once
// The gauge simulator on a pseudo-terminal, for one test.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kivo::e2e {

class GaugeSim {
public:
    // Starts the simulator with its link at `link` and waits until it is
    // ready (at most 10 s).
    GaugeSim(const QString& link, const QStringList& options);
    ~GaugeSim();
    bool ready() const { return isReady; }
    // The commands it received, one a line.
    QStringList commands();
    // The gauge goes away, as when its cable is pulled.
    void kill();

private:
    QString commandLog;
    QProcess process;
    bool isReady = false;
};

} // namespace kivo::e2e
