#include "GaugeSim.h"

#include <QFile>

namespace kivo::e2e {

GaugeSim::GaugeSim(const QString& link, const QStringList& options) : commandLog(link + QStringLiteral(".commands"))
{
    process.setStandardErrorFile(commandLog);
    process.start(QStringLiteral(KIVO_GAUGE_SIM), QStringList{QStringLiteral("--link"), link} + options);
    isReady = process.waitForReadyRead(10000) && process.readLine().trimmed() == link.toUtf8();
}

GaugeSim::~GaugeSim() { kill(); }

QStringList GaugeSim::commands()
{
    QFile file(commandLog);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void GaugeSim::kill()
{
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace kivo::e2e
