// Opening a measurement file of 50 MB: the table keeps 5000 readings and
// the rest is only counted, so the time is a read of the file and the
// memory that of the kept readings. Arg 0: rows in µm as the program
// writes them (the "µ" byte settles the encoding at once); arg 1: rows in
// mils, plain ASCII, for which the whole file is checked for UTF-8 first.
// The peak_rss counter is the peak of the whole process: run the benchmark
// alone (--benchmark_filter=BM_LoadMeasurementFile) to read it.

#include "session/ProgramState.h"
#include "shared/Cp1252.h"
#include "table/LoadMeasurementFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace {

using namespace kivo;

constexpr qint64 kFileSize = 50 * 1024 * 1024;

// The file is written once per run and per unit, a block of rows at a time.
QString largeFile(bool ascii)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(ascii ? QStringLiteral("mils.mes") : QStringLiteral("um.mes"));
    if (QFile::exists(path)) return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(encodeCp1252(
        QStringLiteral("Speicher\r\n\r\nStatistik:\r\n\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n")));
    const QString unit = ascii ? QStringLiteral("mils") : QStringLiteral("µm  ");
    for (int n = 1; file.size() < kFileSize;) {
        QString block;
        for (int i = 0; i < 10000; ++i, ++n)
            block += QStringLiteral("10:00:01      %1 %2 %3  Fe\r\n")
                         .arg(n % 100000, 5)
                         .arg(QStringLiteral("%1,%2").arg(n % 997).arg(n % 10), 11)
                         .arg(unit);
        file.write(encodeCp1252(block));
    }
    return path;
}

void BM_LoadMeasurementFile50MB(benchmark::State& state)
{
    const QString path = largeFile(state.range(0) != 0);
    const qint64 size = QFile(path).size();
    for (auto _ : state) {
        const std::optional<LoadedFile> file = loadMeasurementFile(path, QStringLiteral("1"), kMaxReadings);
        if (!file || int(file->readings.size()) != kMaxReadings) state.SkipWithError("the readings did not load");
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(state.iterations() * size);
#ifdef Q_OS_LINUX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
#endif
}
BENCHMARK(BM_LoadMeasurementFile50MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
