#pragma once
// kivo-cli run as a lab's script runs it: no display at all, its settings
// and data folders the test's.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace kivo::e2e {

struct CliRun {
    int exitCode = -1; // -1: it crashed or did not end in time
    QString out, err;
    qint64 ms = 0;
};

inline QProcessEnvironment cliEnvironment(const QString& configHome, const QString& dataHome,
                                          const QString& extraPorts = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.insert(QStringLiteral("KIVO_EXTRA_PORTS"), extraPorts);
    return env;
}

// Waits for a started kivo-cli to end and collects what it said.
inline CliRun finishCli(QProcess& p, const QElapsedTimer& clock)
{
    if (!p.waitForFinished(90000)) return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError()), clock.elapsed()};
}

inline CliRun runCli(const QStringList& args, const QProcessEnvironment& env, const QString& workingFolder = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workingFolder.isEmpty()) p.setWorkingDirectory(workingFolder);
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(KIVO_CLI), args);
    return finishCli(p, clock);
}

} // namespace kivo::e2e
