// kivo-cli downloading 5000 readings from the gauge simulator paced at
// 38400 baud, timed against the time the dump's bytes need on the wire.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

constexpr int kBaud = 38400;

// The gauge's memory: 5000 record lines of 25 columns and CR LF.
QByteArray memoryOf5000()
{
    QByteArray bytes;
    for (int i = 1; i <= 5000; ++i)
        bytes += QStringLiteral("%1  %2 %3    \r\n")
                     .arg(i, 4)
                     .arg(QStringLiteral("%1.%2").arg(40 + i % 17).arg(i % 10), 10)
                     .arg(QStringLiteral("µm  "))
                     .toLatin1();
    return bytes;
}

void BM_CliDownload5000At38400(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray memory = memoryOf5000();
    QFile file(dir.filePath(QStringLiteral("memory1.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(memory) != memory.size()) {
        state.SkipWithError("cannot write the gauge's memory");
        return;
    }
    file.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    const QString link = dir.filePath(QStringLiteral("gauge"));
    const double wire = double(memory.size() + 40) * 10 / kBaud; // the dump with its header and ends
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QProcess sim;
        sim.start(QStringLiteral(KIVO_GAUGE_SIM), {QStringLiteral("--link"), link, QStringLiteral("--model"), QStringLiteral("RKS"),
                                                    QStringLiteral("--memory1"), file.fileName(), QStringLiteral("--pace-baud"),
                                                    QString::number(kBaud)});
        if (!sim.waitForReadyRead(10000)) {
            state.SkipWithError("the simulator did not start");
            return;
        }
        QProcess cli;
        cli.setProcessEnvironment(env);
        const QString out = dir.filePath(QStringLiteral("day.mes"));
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        cli.start(QStringLiteral(KIVO_CLI), {QStringLiteral("download"), link, QStringLiteral("--model"), QStringLiteral("RKS"),
                                              QStringLiteral("--out"), out});
        const bool ended = cli.waitForFinished(300000);
        seconds = clock.elapsed() / 1000.0;
        state.PauseTiming();
        if (!ended || cli.exitCode() != 0 || !QFileInfo::exists(out)) state.SkipWithError("the download failed");
        sim.terminate();
        sim.waitForFinished(5000);
        QFile::remove(out);
        state.ResumeTiming();
    }
    state.counters["wire_s"] = wire;
    state.counters["over_wire_pct"] = 100 * (seconds - wire) / wire;
}
BENCHMARK(BM_CliDownload5000At38400)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
